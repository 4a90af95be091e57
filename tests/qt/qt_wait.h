#pragma once
// Runs the event loop until a condition holds or the time is up.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

namespace px::testing {

inline bool ProcessEventsUntil(const std::function<bool()>& done, int milliseconds = 5000) {
  const QDeadlineTimer deadline(milliseconds);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
}

}  // namespace px::testing
