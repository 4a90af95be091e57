#pragma once
// One px6410 per user session: a lock file marks the running instance (and
// settles two starts at the same moment); a local socket beside it lets a
// second start ask the running one to show its window before it ends. Both
// live in the session's runtime folder ($XDG_RUNTIME_DIR).
#include <QLocalServer>
#include <QLockFile>

#include <functional>
#include <memory>

#include "app/main_controller.h"

namespace px {

class QtSingleInstance final : public SingleInstancePort {
 public:
  // folder: where the lock and the socket live (the runtime folder by default).
  explicit QtSingleInstance(QString folder = {});
  ~QtSingleInstance() override;

  // The running instance was asked to show itself.
  std::function<void()> onShowRequest;

  // The first instance takes the lock and listens; any other asks the
  // running one to show itself and answers false. Where no lock can be made
  // (no usable runtime folder), this one runs, unguarded.
  bool ClaimFirstInstance() override;

  static constexpr int kAskTimeoutMs = 10000;

 private:
  bool AskRunningToShow();

  QString lockPath_;
  QString socketPath_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer server_;
};

}  // namespace px
