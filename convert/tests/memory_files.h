#pragma once
// Files held in memory, with failures that a test can arrange at each step.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "file_port.h"

namespace tessel::testing {

class MemoryFiles : public FilePort {
 public:
  using Bytes = std::vector<std::uint8_t>;

  std::map<std::string, Bytes> files;
  std::set<std::string> readOnly;
  std::map<std::string, std::string> aliases;  // another spelling of the same file

  // Failures to arrange.
  bool failCreateTarget = false;
  bool failCreateTemporary = false;
  int failWriteNumber = 0;  // the n-th write fails (1 for the first); 0: none
  int failReadNumber = 0;
  bool failCommit = false;
  bool failReplace = false;
  std::size_t readBlock = 1 << 20;  // bytes handed out per read

  std::vector<std::string> calls;  // every operation, in order

  void add(const std::string& path, Bytes bytes) { files[path] = std::move(bytes); }
  void add(const std::string& path, const std::string& text) { files[path] = Bytes(text.begin(), text.end()); }

  std::unique_ptr<SourceFile> openSource(const std::string& path) override;
  std::unique_ptr<TargetFile> createTarget(const std::string& path) override;
  bool sameFile(const std::string& a, const std::string& b) override;
  std::unique_ptr<TargetFile> createTemporaryBeside(const std::string& path, std::string& temporaryPath) override;
  bool replace(const std::string& temporaryPath, const std::string& path) override;
  void remove(const std::string& path) override;
  bool createWith(const std::string& path, std::string_view bytes) override;
  bool appendToExisting(const std::string& path, std::string_view bytes) override;

  std::string canonical(const std::string& path) const {
    auto it = aliases.find(path);
    return it == aliases.end() ? path : it->second;
  }
  int writes = 0;
  int reads = 0;
  int temporaryCount = 0;
};

}  // namespace tessel::testing
