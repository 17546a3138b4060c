// Ends the program's window as 結束 does when the system asks the program to end (SIGTERM,
// SIGHUP, SIGINT): the signal is heard in the event loop, never acted on inside its handler.
#pragma once

#include <QObject>
#include <QSocketNotifier>

#include "platform/posix/termination_signals.h"

namespace pictor::app {

class MainFrame;

class TerminationWatch : public QObject {
  Q_OBJECT

 public:
  explicit TerminationWatch(MainFrame& frame);

 private:
  MainFrame& frame_;
  posix::TerminationSignals signals_;
  QSocketNotifier notifier_;
};

}  // namespace pictor::app
