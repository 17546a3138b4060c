#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "platform/posix/utf8_names.h"

namespace quillon::posix {
namespace {

// Writes all the bytes, going on after interruptions; false when the system refuses.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<std::vector<std::uint8_t>> ReadAll(int fd) {
  std::vector<std::uint8_t> bytes;
  std::uint8_t block[65536];
  for (;;) {
    const ssize_t n = read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) return bytes;
    bytes.insert(bytes.end(), block, block + n);
  }
}

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

  bool Exists(std::u16string_view name) override {
    struct stat st {};
    return fstatat(dirfd(dir_), EncodePath(name).c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
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
  const bool written = WriteAll(fd, bytes);
  const bool closed = close(fd) == 0;
  if (!written || !closed) {
    unlink(path.c_str());  // a partial log would pass for a whole one
    return NewFileResult::kFailed;
  }
  return NewFileResult::kWritten;
}

namespace {

// A journal being written. The lock, held while the file is open, tells other programs' start-ups
// that a run is writing it.
class PosixJournalFile : public JournalFile {
 public:
  PosixJournalFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~PosixJournalFile() override {
    if (fd_ >= 0) close(fd_);
  }
  PosixJournalFile(const PosixJournalFile&) = delete;
  PosixJournalFile& operator=(const PosixJournalFile&) = delete;

  bool Append(std::span<const std::uint8_t> bytes) override { return fd_ >= 0 && WriteAll(fd_, bytes); }
  bool Sync() override { return fd_ >= 0 && fdatasync(fd_) == 0; }
  void Remove() override {
    unlink(path_.c_str());  // while locked, so no start-up takes it in between
    close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
  std::string path_;
};

class PosixLeftJournal : public LeftJournal {
 public:
  PosixLeftJournal(int fd, std::string path, std::vector<std::uint8_t> contents)
      : fd_(fd), path_(std::move(path)), contents_(std::move(contents)) {}
  ~PosixLeftJournal() override { close(fd_); }
  PosixLeftJournal(const PosixLeftJournal&) = delete;
  PosixLeftJournal& operator=(const PosixLeftJournal&) = delete;

  const std::vector<std::uint8_t>& Contents() const override { return contents_; }
  void Remove() override { unlink(path_.c_str()); }

 private:
  int fd_;
  std::string path_;
  std::vector<std::uint8_t> contents_;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> PosixLogFolder::ReadFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::optional<std::vector<std::uint8_t>> bytes;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) bytes = ReadAll(fd);
  close(fd);
  return bytes;
}

std::vector<std::string> PosixLogFolder::ListFiles(const std::string& folder, std::string_view suffix) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* d = readdir(dir)) {
    const std::string_view name = d->d_name;
    if (name.size() > suffix.size() && name.ends_with(suffix)) names.emplace_back(name);
  }
  closedir(dir);
  return names;
}

std::unique_ptr<JournalFile> PosixLogFolder::CreateJournal(const std::string& path, NewFileResult& result) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) {
    result = errno == EEXIST ? NewFileResult::kAlreadyExists : NewFileResult::kFailed;
    return nullptr;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {  // a start-up took the new file already: leave it
    close(fd);
    result = NewFileResult::kAlreadyExists;
    return nullptr;
  }
  result = NewFileResult::kWritten;
  return std::make_unique<PosixJournalFile>(fd, path);
}

std::unique_ptr<LeftJournal> PosixLogFolder::TakeLeftJournal(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat held {};
  struct stat named {};
  // Locked by a running program; or removed, or replaced, since it was opened here.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 || fstat(fd, &held) != 0 || stat(path.c_str(), &named) != 0 ||
      held.st_dev != named.st_dev || held.st_ino != named.st_ino || !S_ISREG(held.st_mode)) {
    close(fd);
    return nullptr;
  }
  std::optional<std::vector<std::uint8_t>> contents = ReadAll(fd);
  if (!contents) {
    close(fd);
    return nullptr;
  }
  return std::make_unique<PosixLeftJournal>(fd, path, std::move(*contents));
}

LocalTime PosixClock::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::uint32_t PosixClock::Milliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

std::uint64_t PosixClock::Microseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000000 + static_cast<std::uint64_t>(now.tv_nsec / 1000);
}

int TableReadError(int errno_value) {
  switch (errno_value) {
    case ENOENT:
      return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
      return 5;
    case EIO:
      return 30;  // the system's "read fault"
    // Other errno values are shown above 1000, clear of the numbers that have texts of their own.
    default:
      return 1000 + errno_value;
  }
}

}  // namespace quillon::posix
