#include "qt/termination_watch.h"

#include "qt/main_frame.h"

namespace pictor::app {

TerminationWatch::TerminationWatch(MainFrame& frame)
    : frame_(frame), notifier_(signals_.ReadDescriptor(), QSocketNotifier::Read) {
  connect(&notifier_, &QSocketNotifier::activated, this, [this] {
    if (!signals_.Take().empty()) frame_.EndProgram();
  });
}

}  // namespace pictor::app
