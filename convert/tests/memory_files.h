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
  std::set<std::string> read_only;
  std::map<std::string, std::string> aliases;  // another spelling of the same file

  // Failures to arrange.
  bool fail_create_target = false;
  bool fail_create_temporary = false;
  int fail_write_number = 0;  // the n-th write fails (1 for the first); 0: none
  int fail_read_number = 0;
  bool fail_commit = false;
  bool fail_replace = false;
  std::size_t read_block = 1 << 20;  // bytes handed out per read

  std::vector<std::string> calls;  // every operation, in order

  void Add(const std::string& path, Bytes bytes) { files[path] = std::move(bytes); }
  void Add(const std::string& path, const std::string& text) { files[path] = Bytes(text.begin(), text.end()); }

  std::unique_ptr<SourceFile> OpenSource(const std::string& path) override;
  std::unique_ptr<TargetFile> CreateTarget(const std::string& path) override;
  bool SameFile(const std::string& a, const std::string& b) override;
  std::unique_ptr<TargetFile> CreateTemporaryBeside(const std::string& path, std::string& temporary_path) override;
  bool Replace(const std::string& temporary_path, const std::string& path) override;
  void Remove(const std::string& path) override;
  bool CreateWith(const std::string& path, std::string_view bytes) override;
  bool AppendToExisting(const std::string& path, std::string_view bytes) override;

  std::string Canonical(const std::string& path) const {
    auto it = aliases.find(path);
    return it == aliases.end() ? path : it->second;
  }
  int writes = 0;
  int reads = 0;
  int temporary_count = 0;
};

}  // namespace tessel::testing
