#pragma once
// The core's small ports in Qt: message boxes owned by the main window, the
// protocol's pauses.
#include <QThread>
#include <QWidget>

#include "common/ports.h"
#include "skin/qt/modal_qt.h"

namespace px {

class QtMessageBoxes final : public MessageBoxPort {
 public:
  void SetOwner(QWidget* owner) { owner_ = owner; }
  void ShowMessage(TextView text, TextView caption) override { ShowMessageQt(owner_, text, caption); }

 private:
  QWidget* owner_ = nullptr;
};

class QtWait final : public WaitPort {
 public:
  void Wait(unsigned milliseconds) override { QThread::msleep(milliseconds); }
};

}  // namespace px
