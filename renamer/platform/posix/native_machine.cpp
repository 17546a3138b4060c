#include "platform/native_machine.h"

#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_startup.h"

namespace quillon {

NativeMachine MakeNativeMachine() {
  NativeMachine machine;
  machine.style = PathStyle::kPosix;
  machine.files = std::make_unique<posix::PosixFileSystem>();
  machine.logs = std::make_unique<posix::PosixLogFolder>();
  machine.clock = std::make_unique<posix::PosixClock>();
  machine.startup = std::make_unique<posix::PosixStartup>();
  return machine;
}

}  // namespace quillon

#include <unistd.h>

#include <climits>

namespace quillon {

std::string ProgramFolder() {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "./";
  const std::string path(buffer, static_cast<std::size_t>(n));
  return path.substr(0, path.rfind('/') + 1);
}

}  // namespace quillon
