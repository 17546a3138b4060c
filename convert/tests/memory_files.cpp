#include "memory_files.h"

#include <algorithm>

namespace tessel::testing {
namespace {

class MemorySource final : public SourceFile {
 public:
  MemorySource(MemoryFiles& owner, std::vector<std::uint8_t> bytes) : owner_(owner), bytes_(std::move(bytes)) {}
  std::optional<std::size_t> read(std::span<std::uint8_t> buffer) override {
    if (++owner_.reads == owner_.failReadNumber) return std::nullopt;
    const std::size_t n = std::min({buffer.size(), bytes_.size() - at_, owner_.readBlock});
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
  bool write(std::span<const std::uint8_t> bytes) override {
    owner_.calls.push_back("write " + path_);
    if (++owner_.writes == owner_.failWriteNumber) return false;
    auto& file = owner_.files[path_];
    file.insert(file.end(), bytes.begin(), bytes.end());
    return true;
  }
  bool commit() override {
    owner_.calls.push_back("commit " + path_);
    return !owner_.failCommit;
  }

 private:
  MemoryFiles& owner_;
  std::string path_;
};

}  // namespace

std::unique_ptr<SourceFile> MemoryFiles::openSource(const std::string& path) {
  calls.push_back("open " + path);
  const std::string name = canonical(path);
  auto it = files.find(name);
  if (it == files.end() || readOnly.count(name)) return nullptr;
  return std::make_unique<MemorySource>(*this, it->second);
}

std::unique_ptr<TargetFile> MemoryFiles::createTarget(const std::string& path) {
  calls.push_back("create " + path);
  if (failCreateTarget) return nullptr;
  const std::string name = canonical(path);
  files[name].clear();
  return std::make_unique<MemoryTarget>(*this, name);
}

bool MemoryFiles::sameFile(const std::string& a, const std::string& b) {
  return files.count(canonical(a)) && canonical(a) == canonical(b);
}

std::unique_ptr<TargetFile> MemoryFiles::createTemporaryBeside(const std::string& path, std::string& temporaryPath) {
  calls.push_back("temporary " + path);
  if (failCreateTemporary) return nullptr;
  temporaryPath = canonical(path) + ".tmp" + std::to_string(++temporaryCount);
  files[temporaryPath].clear();
  return std::make_unique<MemoryTarget>(*this, temporaryPath);
}

bool MemoryFiles::replace(const std::string& temporaryPath, const std::string& path) {
  calls.push_back("replace " + path);
  if (failReplace) return false;
  files[canonical(path)] = files[temporaryPath];
  files.erase(temporaryPath);
  return true;
}

void MemoryFiles::remove(const std::string& path) {
  calls.push_back("remove " + path);
  files.erase(path);
}

bool MemoryFiles::createWith(const std::string& path, std::string_view bytes) {
  calls.push_back("create " + path);
  if (failCreateTarget) return false;
  files[path] = Bytes(bytes.begin(), bytes.end());
  return true;
}

bool MemoryFiles::appendToExisting(const std::string& path, std::string_view bytes) {
  auto it = files.find(path);
  if (it == files.end()) return false;
  it->second.insert(it->second.end(), bytes.begin(), bytes.end());
  return true;
}

}  // namespace tessel::testing
