#pragma once
// One px6410 per desktop session: a lock file marks the running instance
// (and settles two starts at the same moment); a local socket beside it lets
// a second start ask the running one to show its window, handing over its
// activation token, before it ends. Both live in the user's runtime folder
// ($XDG_RUNTIME_DIR) under the session's name (app/instance_session).
#include <QLocalServer>
#include <QLockFile>

#include <functional>
#include <memory>
#include <string>

#include "app/instance_session.h"
#include "app/main_controller.h"

namespace px {

class QtSingleInstance final : public SingleInstancePort {
 public:
  // folder: where the lock and the socket live (the runtime folder by
  // default); name: their base name (this session's by default); token: what
  // this start was given to come forward with, for the running instance.
  explicit QtSingleInstance(QString folder = {}, QString name = {}, ActivationToken token = {});
  ~QtSingleInstance() override;

  // The running instance was asked to show itself, with the asking start's token.
  std::function<void(const ActivationToken&)> onShowRequest;

  // The session's name from the environment, and this start's own tokens
  // (read before Qt starts: its X11 platform takes DESKTOP_STARTUP_ID away).
  static QString SessionName();
  static ActivationToken StartToken();

  // The first instance takes the lock and listens; any other asks the
  // running one to show itself and answers false. Where no lock can be made
  // (no usable runtime folder), this one runs, unguarded.
  bool ClaimFirstInstance() override;

  // After a refused claim: what the ending start shows in a box (empty: nothing).
  const std::string& EndingNotice() const { return endingNotice_; }

  static constexpr int kAskTimeoutMs = 10000;

 private:
  bool AskRunningToShow();
  bool Refused(LockRefusal why);

  ActivationToken token_;
  std::string endingNotice_;
  QString lockPath_;
  QString socketPath_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer server_;
};

}  // namespace px
