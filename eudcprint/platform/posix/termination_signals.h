// The signals that ask a program to end (SIGTERM at logout, shutdown or kill; SIGHUP when its
// terminal goes; SIGINT for Ctrl+C), turned into bytes on a pipe that the program's own loop
// watches, so that it ends as it would by itself. The handler only writes the signal's number,
// which is safe in a signal handler; everything else happens in the loop.
#pragma once

#include <csignal>
#include <vector>

namespace pictor::posix {

class TerminationSignals {
 public:
  // Installs the handlers; throws std::system_error when the pipe cannot be made. One at a time.
  TerminationSignals();
  // Puts the earlier handlers back and closes the pipe.
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // Readable once a signal came.
  int ReadDescriptor() const { return read_end_; }
  // The signals that came since the last call, without waiting.
  std::vector<int> Take();

 private:
  int read_end_ = -1;
  int write_end_ = -1;
  struct sigaction previous_[3] = {};
};

}  // namespace pictor::posix
