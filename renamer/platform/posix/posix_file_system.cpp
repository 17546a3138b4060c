#include "posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "utf8_names.h"

namespace quillon::posix {
namespace {

class PosixFolderSearch : public FolderSearch {
 public:
  PosixFolderSearch(DIR* dir, dev_t device) : dir_(dir), device_(device) {}
  ~PosixFolderSearch() override { closedir(dir_); }
  PosixFolderSearch(const PosixFolderSearch&) = delete;
  PosixFolderSearch& operator=(const PosixFolderSearch&) = delete;

  // Takes over an open folder descriptor; closes it and gives null when it is unusable.
  static std::unique_ptr<FolderSearch> Adopt(int fd, const dev_t* required_device) {
    if (fd < 0) return nullptr;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode) || (required_device && st.st_dev != *required_device)) {
      close(fd);
      return nullptr;
    }
    DIR* dir = fdopendir(fd);
    if (!dir) {
      close(fd);
      return nullptr;
    }
    return std::make_unique<PosixFolderSearch>(dir, st.st_dev);
  }

  bool Next(DirectoryEntry& entry) override {
    const dirent* d = readdir(dir_);
    if (!d) return false;
    DecodedName decoded = DecodeName(d->d_name);
    entry.name = std::move(decoded.text);
    entry.name_exact = decoded.exact;
    unsigned char type = d->d_type;
    if (type == DT_UNKNOWN) {
      struct stat st {};
      if (fstatat(dirfd(dir_), d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) type = S_ISDIR(st.st_mode) ? DT_DIR : DT_REG;
    }
    // Symbolic links are entries like files: their own names are mapped, their targets never walked.
    entry.is_directory = type == DT_DIR;
    entry.walk_into = entry.is_directory;
    return true;
  }

  std::unique_ptr<FolderSearch> OpenSubfolder(const DirectoryEntry& entry, std::u16string_view) override {
    const std::string name = EncodePath(entry.name);
    const int fd = openat(dirfd(dir_), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    return Adopt(fd, &device_);  // another device is another file system: not walked
  }

  bool Rename(std::u16string_view old_name, std::u16string_view new_name) override {
    const std::optional<std::string> target = EncodeNameStrict(new_name);
    if (!target) return false;
    const std::string source = EncodePath(old_name);
    const int fd = dirfd(dir_);
    return renameat2(fd, source.c_str(), fd, target->c_str(), RENAME_NOREPLACE) == 0;
  }

 private:
  DIR* dir_;
  dev_t device_;
};

}  // namespace

std::unique_ptr<FolderSearch> PosixFileSystem::OpenFolder(std::u16string_view path) {
  // The trailing "/" makes "" the root folder, the way "\*.*" searches the root of the current drive.
  const std::string native = EncodePath(path) + "/";
  return PosixFolderSearch::Adopt(open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), nullptr);
}

bool PosixLogFolder::FolderExists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void PosixLogFolder::CreateFolder(const std::string& path) { mkdir(path.c_str(), 0777); }

NewFileResult PosixLogFolder::WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? NewFileResult::kAlreadyExists : NewFileResult::kFailed;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  const bool closed = close(fd) == 0;
  if (done != bytes.size() || !closed) {
    unlink(path.c_str());  // a partial log would pass for a whole one
    return NewFileResult::kFailed;
  }
  return NewFileResult::kWritten;
}

LocalTime PosixClock::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm tm {};
  localtime_r(&now, &tm);
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

int TableReadError(int errno_value) {
  switch (errno_value) {
    case ENOENT: return 2;
    case ENOTDIR: case ENAMETOOLONG: case ELOOP: case EINVAL: return 3;
    case EMFILE: case ENFILE: return 4;
    case EACCES: case EPERM: case EISDIR: return 5;
    case EIO: return 30;  // the system's "read fault"
    // Other errno values are shown above 1000, clear of the numbers that have texts of their own.
    default: return 1000 + errno_value;
  }
}

}  // namespace quillon::posix
