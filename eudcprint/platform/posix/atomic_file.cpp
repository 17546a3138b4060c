#include "platform/posix/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace pictor::posix {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error = errno) {
  throw std::system_error(error, std::generic_category(), what + " " + path);
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void MakeFolders(const std::string& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) {
    if (!S_ISDIR(info.st_mode)) Fail("not a folder:", folder, ENOTDIR);
    return;
  }
  if (errno != ENOENT) Fail("cannot look at", folder);
  MakeFolders(ParentOf(folder));
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) Fail("cannot create", folder);
}

// The file a symbolic link finally names, so that replacing it keeps the link.
std::string ResolveTarget(const std::string& path) {
  std::string target = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
    std::string link(PATH_MAX, '\0');
    const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
    if (length <= 0) Fail("cannot read the link", target);
    link.resize(static_cast<std::size_t>(length));
    target = (link.front() == '/') ? link : ParentOf(target) + "/" + link;
  }
  Fail("too many symbolic links at", path, ELOOP);
}

void WriteAll(int fd, std::span<const std::uint8_t> bytes, const std::string& path) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail("cannot write", path);
    }
    done += static_cast<std::size_t>(written);
  }
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadFileIfExists(const std::string& path) {
  // Not blocking: opening a FIFO for reading would otherwise wait for a writer.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.Get() < 0) {
    if (errno == ENOENT) return std::nullopt;
    Fail("cannot open", path);
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) Fail("cannot look at", path);
  if (!S_ISREG(info.st_mode)) Fail("not a regular file:", path, EINVAL);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail("cannot read", path);
    }
    if (got == 0) break;  // the file shrank meanwhile
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::string target = ResolveTarget(path);
  const std::string folder = ParentOf(target);
  MakeFolders(folder);

  std::string temporary = target + ".tmp-XXXXXX";
  FileDescriptor fd(::mkstemp(temporary.data()));
  if (fd.Get() < 0) Fail("cannot create a temporary file beside", target);
  try {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && ::fchmod(fd.Get(), old.st_mode & 07777) != 0) {
      Fail("cannot set the permissions of", temporary);
    }
    WriteAll(fd.Get(), bytes, temporary);
    if (::fsync(fd.Get()) != 0) Fail("cannot flush", temporary);
    if (::close(fd.Release()) != 0) Fail("cannot close", temporary);
    if (::rename(temporary.c_str(), target.c_str()) != 0) Fail("cannot replace", target);
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  // The rename is on disk once the folder is.
  FileDescriptor folder_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder_fd.Get() >= 0) ::fsync(folder_fd.Get());
}

FileLock::FileLock(const std::string& path) : fd_(-1) {
  const std::string target = ResolveTarget(path);
  MakeFolders(ParentOf(target));
  const std::string lock_path = target + ".lock";
  FileDescriptor fd(::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (fd.Get() < 0) Fail("cannot open the lock file", lock_path);
  while (::flock(fd.Get(), LOCK_EX) != 0) {
    if (errno != EINTR) Fail("cannot lock", lock_path);
  }
  fd_ = fd.Release();
}

FileLock::~FileLock() {
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
}

}  // namespace pictor::posix
