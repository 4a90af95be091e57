#include "app/skin_flow.h"

#include "storage/str_ini.h"

namespace px {

bool ApplySkinChoice(AppState& state, ProfileStore& store, const SkinChoice& choice) {
  state.SkinFolder = choice.skinFolder;
  state.TextColor = choice.color;
  state.SkinName = choice.skinName;
  return SaveSkinChoice(store, choice.color, choice.skinName);
}

}  // namespace px
