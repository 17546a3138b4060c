#include "platform/posix/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace pictor::posix {
namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGHUP, SIGINT};

// The pipe's write end, for the handler; -1 while no TerminationSignals exists.
volatile sig_atomic_t write_end_for_handler = -1;

extern "C" void WriteSignalNumber(int signal) {
  const int saved = errno;
  const auto number = static_cast<unsigned char>(signal);
  // A full pipe already holds a signal to answer: nothing is lost by dropping this byte.
  [[maybe_unused]] const ssize_t written = write(write_end_for_handler, &number, 1);
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals() {
  if (write_end_for_handler != -1) throw std::logic_error("TerminationSignals: one at a time");
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
    throw std::system_error(errno, std::generic_category(), "cannot make the signal pipe");
  }
  read_end_ = ends[0];
  write_end_ = ends[1];
  write_end_for_handler = write_end_;
  struct sigaction action {};
  action.sa_handler = WriteSignalNumber;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &previous_[i]);
}

TerminationSignals::~TerminationSignals() {
  for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous_[i], nullptr);
  write_end_for_handler = -1;
  close(read_end_);
  close(write_end_);
}

std::vector<int> TerminationSignals::Take() {
  std::vector<int> signals;
  unsigned char numbers[16];
  ssize_t got = 0;
  while ((got = read(read_end_, numbers, sizeof numbers)) > 0) signals.insert(signals.end(), numbers, numbers + got);
  return signals;
}

}  // namespace pictor::posix
