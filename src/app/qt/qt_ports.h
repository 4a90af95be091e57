#pragma once
// The core's small ports in Qt: message boxes owned by the main window, the
// protocol's pauses.
#include <QMessageBox>
#include <QThread>
#include <QWidget>

#include "common/qt/qt_text.h"
#include "common/ports.h"

namespace px {

class QtMessageBoxes final : public MessageBoxPort {
 public:
  void SetOwner(QWidget* owner) { owner_ = owner; }
  void ShowMessage(TextView text, TextView caption) override {
    QMessageBox box(QMessageBox::NoIcon, ToQString(caption), ToQString(text), QMessageBox::Ok, owner_);
    box.exec();
  }

 private:
  QWidget* owner_ = nullptr;
};

class QtWait final : public WaitPort {
 public:
  void Wait(unsigned milliseconds) override { QThread::msleep(milliseconds); }
};

}  // namespace px
