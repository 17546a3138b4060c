// Whole-file reading, and writing that replaces a file only once the new contents are complete
// on disk, so that a write cut short leaves the old file as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pictor::posix {

// The file's bytes; nullopt when it does not exist. Only a regular file is read, and at most as
// many bytes as it had when opened: a FIFO or a device (/dev/zero) is refused at once. Throws
// std::system_error on other failures.
std::optional<std::vector<std::uint8_t>> ReadFileIfExists(const std::string& path);

// Writes the bytes to a temporary file beside the target, flushes it to disk, then renames it
// over the target (through a symbolic link, to the file it names). Missing folders are created.
// The file keeps the permissions of the file it replaces; a new one is readable by its owner only.
// Throws std::system_error; the target is then untouched and no temporary file is left.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// Holds an exclusive lock on "<file>.lock" beside the file (beside the file a symbolic link names)
// for its lifetime, waiting for another holder to let go; missing folders are created. Every
// program that changes the file takes it, so that no two changes interleave. The lock file stays.
// Throws std::system_error.
class FileLock {
 public:
  explicit FileLock(const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_;
};

}  // namespace pictor::posix
