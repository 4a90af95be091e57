#include "app/qt/plug_watch_qt.h"

#include <QFileInfo>

#include <cstdio>

#include "device/device_link.h"
#include "device/linux/udev_monitor.h"

namespace px {

QtPlugWatch::QtPlugWatch(PlugHandler onPlug) : onPlug_(std::move(onPlug)) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  QObject::connect(&settle_, &QTimer::timeout, [this] { onPlug_(lastArrived_); });
}

QtPlugWatch::~QtPlugWatch() = default;

void QtPlugWatch::Note(bool arrived) {
  lastArrived_ = arrived;
  settle_.start();
}

std::unique_ptr<QtPlugWatch> QtPlugWatch::ForHidraw(PlugHandler onPlug) {
  std::string error;
  std::unique_ptr<UdevHidrawMonitor> monitor = UdevHidrawMonitor::Open(&error);
  if (!monitor) {
    std::fprintf(stderr, "px6410: plugging the mouse in or out will go unnoticed (%s)\n", error.c_str());
    return nullptr;
  }
  std::unique_ptr<QtPlugWatch> watch(new QtPlugWatch(std::move(onPlug)));
  watch->notifier_ = std::make_unique<QSocketNotifier>(monitor->Fd(), QSocketNotifier::Read);
  watch->monitor_ = std::move(monitor);
  QtPlugWatch* self = watch.get();
  QObject::connect(self->notifier_.get(), &QSocketNotifier::activated, [self] {
    while (std::optional<HidrawPlug> plug = self->monitor_->Receive()) {
      if (plug->ids.VendorID == kMouseVendorId && plug->ids.ProductID == kMouseProductId) self->Note(plug->arrived);
    }
  });
  return watch;
}

std::unique_ptr<QtPlugWatch> QtPlugWatch::ForStateFile(const NativePath& stateFile, PlugHandler onPlug) {
  std::unique_ptr<QtPlugWatch> watch(new QtPlugWatch(std::move(onPlug)));
  const QString file = QString::fromStdString(stateFile.string());
  const QFileInfo info(file);
  watch->filePresent_ = info.exists();
  watch->folder_ = std::make_unique<QFileSystemWatcher>(QStringList{info.absolutePath()});
  QtPlugWatch* self = watch.get();
  // Saves replace the file in one rename, so it is missing only when unplugged.
  QObject::connect(self->folder_.get(), &QFileSystemWatcher::directoryChanged, [self, file] {
    const bool present = QFileInfo::exists(file);
    if (present == self->filePresent_) return;
    self->filePresent_ = present;
    self->Note(present);
  });
  return watch;
}

}  // namespace px
