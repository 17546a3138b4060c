#include "dry_run_file_system.h"

#include <set>

namespace quillon {
namespace {

class DryRunFolder : public FolderSearch {
 public:
  explicit DryRunFolder(std::unique_ptr<FolderSearch> real) : real_(std::move(real)) {}

  static std::unique_ptr<FolderSearch> Wrap(std::unique_ptr<FolderSearch> real) {
    return real ? std::make_unique<DryRunFolder>(std::move(real)) : nullptr;
  }

  bool Next(DirectoryEntry& entry) override { return real_->Next(entry); }

  std::unique_ptr<FolderSearch> OpenSubfolder(const DirectoryEntry& entry, std::u16string_view path) override {
    return Wrap(real_->OpenSubfolder(entry, path));
  }

  bool Rename(std::u16string_view old_name, std::u16string_view new_name) override {
    if (!Exists(old_name) || Exists(new_name)) return false;
    const std::u16string from(old_name);
    const std::u16string to(new_name);
    if (!added_.erase(from)) removed_.insert(from);
    if (!removed_.erase(to)) added_.insert(to);
    return true;
  }

  bool Exists(std::u16string_view name) override {
    const std::u16string key(name);
    return added_.contains(key) || (!removed_.contains(key) && real_->Exists(name));
  }

 private:
  std::unique_ptr<FolderSearch> real_;
  std::set<std::u16string> removed_;  // names renamed away in the preview
  std::set<std::u16string> added_;    // names made by the preview's renames
};

}  // namespace

std::unique_ptr<FolderSearch> DryRunFileSystem::OpenFolder(std::u16string_view path) {
  return DryRunFolder::Wrap(real_.OpenFolder(path));
}

}  // namespace quillon
