#pragma once
// The mouse being plugged in and pulled out, for the Qt event loop: udev's
// hidraw events for the real mouse, the state file appearing and vanishing
// for the simulated one. One mouse brings several hidraw nodes at once, so a
// burst of events is told once, when it has settled, by its last event.
#include <QFileSystemWatcher>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <memory>

#include "common/native_path.h"

namespace px {

class UdevHidrawMonitor;

class QtPlugWatch {
 public:
  using PlugHandler = std::function<void(bool arrived)>;

  // Quiet time after the last event of a burst.
  static constexpr int kSettleMs = 300;

  // Nothing when udev cannot be reached; the program then notices no plugs.
  static std::unique_ptr<QtPlugWatch> ForHidraw(PlugHandler onPlug);
  static std::unique_ptr<QtPlugWatch> ForStateFile(const NativePath& stateFile, PlugHandler onPlug);
  ~QtPlugWatch();

 private:
  explicit QtPlugWatch(PlugHandler onPlug);
  void Note(bool arrived);

  PlugHandler onPlug_;
  QTimer settle_;
  bool lastArrived_ = false;
  std::unique_ptr<UdevHidrawMonitor> monitor_;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::unique_ptr<QFileSystemWatcher> folder_;
  bool filePresent_ = false;
};

}  // namespace px
