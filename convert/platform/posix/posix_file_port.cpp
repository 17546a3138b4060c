// Files on POSIX systems: descriptors, identity by device and inode, unique temporary files made
// with mkstemp, replacement by rename.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "file_port_factory.h"

namespace tessel {
namespace {

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

class PosixSourceFile final : public SourceFile {
 public:
  explicit PosixSourceFile(int fd) : fd_(fd) {}
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override {
    for (;;) {
      const ssize_t n = ::read(fd_.Get(), buffer.data(), buffer.size());
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno != EINTR) return std::nullopt;
    }
  }

 private:
  Descriptor fd_;
};

class PosixTargetFile final : public TargetFile {
 public:
  explicit PosixTargetFile(int fd) : fd_(fd) {}
  bool Write(std::span<const std::uint8_t> bytes) override { return WriteAll(fd_.Get(), bytes.data(), bytes.size()); }
  bool Commit() override { return ::fsync(fd_.Get()) == 0; }

 private:
  Descriptor fd_;
};

// The path with symbolic links resolved, so that a replacement lands on the file and not on a link.
std::string Resolved(const std::string& path) {
  char buffer[PATH_MAX];
  return ::realpath(path.c_str(), buffer) != nullptr ? std::string(buffer) : path;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

class PosixFilePort final : public FilePort {
 public:
  std::unique_ptr<SourceFile> OpenSource(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixSourceFile>(fd);
  }

  std::unique_ptr<TargetFile> CreateTarget(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixTargetFile>(fd);
  }

  bool SameFile(const std::string& a, const std::string& b) override {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
  }

  std::unique_ptr<TargetFile> CreateTemporaryBeside(const std::string& path, std::string& temporary_path) override {
    const std::string real = Resolved(path);
    std::string pattern = FolderOf(real) + "/.CNSCONV-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return nullptr;
    temporary_path = name.data();
    // The converted file keeps the permissions of the file it replaces.
    struct stat st {};
    if (::stat(real.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
    return std::make_unique<PosixTargetFile>(fd);
  }

  bool Replace(const std::string& temporary_path, const std::string& path) override {
    return ::rename(temporary_path.c_str(), Resolved(path).c_str()) == 0;
  }

  void Remove(const std::string& path) override { ::unlink(path.c_str()); }

  bool CreateWith(const std::string& path, std::string_view bytes) override {
    const Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    return fd.Get() >= 0 && WriteAll(fd.Get(), reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

  bool AppendToExisting(const std::string& path, std::string_view bytes) override {
    const Descriptor fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (fd.Get() < 0 || ::lseek(fd.Get(), 0, SEEK_END) < 0) return false;
    return WriteAll(fd.Get(), reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
};

}  // namespace

std::unique_ptr<FilePort> MakeFilePort() { return std::make_unique<PosixFilePort>(); }

}  // namespace tessel
