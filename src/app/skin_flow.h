#pragma once
// What the main window does with the skin chooser's answer after OK: the
// program's skin and text colour take the choice, and str.ini gets the four
// "Skins" keys in the order "RColor", "GColor", "BColor", "Path".
#include "app/app_state.h"
#include "skin/skin_chooser.h"
#include "storage/profile_store.h"

namespace px {

// True when every key was written; the choice is in force either way.
bool ApplySkinChoice(AppState& state, ProfileStore& store, const SkinChoice& choice);

}  // namespace px
