#pragma once
// What file conversion and the character list need from the file system.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tessel {

class SourceFile {
 public:
  virtual ~SourceFile() = default;
  // Reads up to buffer.size() bytes: the count read, 0 at the end of the file, nothing on an error.
  virtual std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) = 0;
};

class TargetFile {
 public:
  virtual ~TargetFile() = default;
  // Writes all bytes, or reports failure.
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
  // Makes what was written durable before the file is put in place of another.
  virtual bool Commit() = 0;
};

class FilePort {
 public:
  virtual ~FilePort() = default;

  // The file, opened for reading; it must also be writable (a read-only source is refused).
  virtual std::unique_ptr<SourceFile> OpenSource(const std::string& path) = 0;
  // A new empty file at `path`, truncating an existing one.
  virtual std::unique_ptr<TargetFile> CreateTarget(const std::string& path) = 0;
  // True when both paths name one existing file, however they are spelled (case, relative and
  // absolute forms, links).
  virtual bool SameFile(const std::string& a, const std::string& b) = 0;
  // A new file with a unique name in the folder of the file `path` names (links resolved), with
  // that file's permissions; its name goes to `temporaryPath`.
  virtual std::unique_ptr<TargetFile> CreateTemporaryBeside(const std::string& path, std::string& temporary_path) = 0;
  // Puts the temporary file in place of the file `path` names, in one step.
  virtual bool Replace(const std::string& temporary_path, const std::string& path) = 0;
  virtual void Remove(const std::string& path) = 0;

  // The character list: a new file holding `bytes` (truncating an existing one), and `bytes`
  // appended to an existing file (which is not created).
  virtual bool CreateWith(const std::string& path, std::string_view bytes) = 0;
  virtual bool AppendToExisting(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace tessel
