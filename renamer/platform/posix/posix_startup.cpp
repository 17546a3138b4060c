#include "platform/posix/posix_startup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/posix/mount_table.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/utf8_names.h"

namespace quillon::posix {

int PosixStartup::ReadTableFile(const std::string& path, std::vector<std::uint8_t>& contents) {
  contents.clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return TableReadError(errno);
  struct stat st {};
  if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    close(fd);
    return TableReadError(EISDIR);
  }
  std::uint8_t buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      close(fd);
      return TableReadError(error);
    }
    if (n == 0) break;
    contents.insert(contents.end(), buffer, buffer + n);
  }
  close(fd);
  return 0;
}

std::string PosixStartup::ListFixedDrives() {
  std::ifstream in("/proc/self/mountinfo");
  std::stringstream text;
  text << in.rdbuf();
  return JoinDriveList(FixedDiskMountPoints(ParseMountInfo(text.str()), IsFixedBlockDevice));
}

std::string PosixStartup::UserProfile() {
  const char* home = std::getenv("HOME");
  return home ? home : "$HOME";  // left as written when unset, like an unexpanded variable
}

std::u16string PosixStartup::Widen(std::string_view text) { return DecodeName(text).text; }

}  // namespace quillon::posix
