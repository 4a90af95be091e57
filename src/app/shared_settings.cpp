#include "app/shared_settings.h"

namespace px {

SharedFilesAction DecideSharedFiles(SharedFilesMoment moment, bool changedElsewhere, bool unappliedEdits) {
  if (!changedElsewhere) return SharedFilesAction::KeepPage;
  if (moment == SharedFilesMoment::Show && unappliedEdits) return SharedFilesAction::KeepPage;
  return SharedFilesAction::TakeFiles;
}

bool HasUnappliedEdits(const SettingsSession& session, const LabelSet& appliedLabels) {
  if (session.labelsReloadPending) return false;
  return session.model != session.saved || session.labels != appliedLabels;
}

}  // namespace px
