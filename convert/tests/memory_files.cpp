#include "memory_files.h"

#include <algorithm>

namespace tessel::testing {
namespace {

class MemorySource final : public SourceFile {
 public:
  MemorySource(MemoryFiles& owner, std::vector<std::uint8_t> bytes) : owner_(owner), bytes_(std::move(bytes)) {}
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override {
    if (++owner_.reads == owner_.fail_read_number) return std::nullopt;
    const std::size_t n = std::min({buffer.size(), bytes_.size() - at_, owner_.read_block});
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at_), n, buffer.begin());
    at_ += n;
    return n;
  }

 private:
  MemoryFiles& owner_;
  std::vector<std::uint8_t> bytes_;  // a snapshot: what the file held when opened
  std::size_t at_ = 0;
};

class MemoryTarget final : public TargetFile {
 public:
  MemoryTarget(MemoryFiles& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
  bool Write(std::span<const std::uint8_t> bytes) override {
    owner_.calls.push_back("write " + path_);
    if (++owner_.writes == owner_.fail_write_number) return false;
    auto& file = owner_.files[path_];
    file.insert(file.end(), bytes.begin(), bytes.end());
    return true;
  }
  bool Commit() override {
    owner_.calls.push_back("commit " + path_);
    return !owner_.fail_commit;
  }

 private:
  MemoryFiles& owner_;
  std::string path_;
};

}  // namespace

std::unique_ptr<SourceFile> MemoryFiles::OpenSource(const std::string& path) {
  calls.push_back("open " + path);
  const std::string name = Canonical(path);
  auto it = files.find(name);
  if (it == files.end() || read_only.count(name)) return nullptr;
  return std::make_unique<MemorySource>(*this, it->second);
}

std::unique_ptr<TargetFile> MemoryFiles::CreateTarget(const std::string& path) {
  calls.push_back("create " + path);
  if (fail_create_target) return nullptr;
  const std::string name = Canonical(path);
  files[name].clear();
  return std::make_unique<MemoryTarget>(*this, name);
}

bool MemoryFiles::SameFile(const std::string& a, const std::string& b) {
  return files.count(Canonical(a)) && Canonical(a) == Canonical(b);
}

std::unique_ptr<TargetFile> MemoryFiles::CreateTemporaryBeside(const std::string& path, std::string& temporary_path) {
  calls.push_back("temporary " + path);
  if (fail_create_temporary) return nullptr;
  temporary_path = Canonical(path) + ".tmp" + std::to_string(++temporary_count);
  files[temporary_path].clear();
  return std::make_unique<MemoryTarget>(*this, temporary_path);
}

bool MemoryFiles::Replace(const std::string& temporary_path, const std::string& path) {
  calls.push_back("replace " + path);
  if (fail_replace) return false;
  files[Canonical(path)] = files[temporary_path];
  files.erase(temporary_path);
  return true;
}

void MemoryFiles::Remove(const std::string& path) {
  calls.push_back("remove " + path);
  files.erase(path);
}

bool MemoryFiles::CreateWith(const std::string& path, std::string_view bytes) {
  calls.push_back("create " + path);
  if (fail_create_target) return false;
  files[path] = Bytes(bytes.begin(), bytes.end());
  return true;
}

bool MemoryFiles::AppendToExisting(const std::string& path, std::string_view bytes) {
  auto it = files.find(path);
  if (it == files.end()) return false;
  it->second.insert(it->second.end(), bytes.begin(), bytes.end());
  return true;
}

}  // namespace tessel::testing
