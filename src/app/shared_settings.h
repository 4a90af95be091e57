#pragma once
// What the utility does when config.bin or str.ini changed under it (another
// program on the same folder: px6410ctl, a second copy of the utility).
// Model and labels are always taken together, so that a row never shows one
// setting while Apply sends another; edits not yet applied are never dropped
// without the user's Cancel.
#include "model/label_set.h"
#include "model/settings_session.h"

namespace px {

enum class SharedFilesMoment {
  Show,    // the window is about to show
  Cancel,  // the page's Cancel: back to what the files hold
};

enum class SharedFilesAction {
  KeepPage,   // the page stays as it is
  TakeFiles,  // model, saved copy and labels from the files now
};

// Unchanged files: the page stays. Changed files: Cancel takes them; a show
// takes them unless the page holds edits not yet applied, which stay until
// Cancel (which then takes the files), OK or Apply (which write the page).
SharedFilesAction DecideSharedFiles(SharedFilesMoment moment, bool changedElsewhere, bool unappliedEdits);

// The page differs from what was last loaded or applied. After a Cancel the
// edits are gone even while the labels wait to be read again.
bool HasUnappliedEdits(const SettingsSession& session, const LabelSet& appliedLabels);

}  // namespace px
