#include "registry_document.h"

#include <algorithm>
#include <unordered_set>

namespace pictor::regfile {

TextKind TextKindOf(RegFileFormat format) {
  return format == RegFileFormat::kRegedit4 ? TextKind::kCodePage : TextKind::kUtf16;
}

RegistryDocument::RegistryDocument(RegFileFormat format) : format_(format) {}

std::u16string RegistryDocument::CanonicalPath(std::u16string_view path) const {
  std::u16string canonical;
  for (const std::u16string& part : SplitKeyPath(path, Kind())) {
    if (!canonical.empty()) canonical.push_back(u'\\');
    canonical += FoldCase(part, Kind());
  }
  return canonical;
}

void RegistryDocument::RebuildIndex() {
  index_.clear();
  for (std::size_t i = 0; i < keys_.size(); ++i) index_.emplace(CanonicalPath(keys_[i].path), i);
}

const RegFileKey* RegistryDocument::FindKey(std::u16string_view path) const {
  const auto found = index_.find(CanonicalPath(path));
  return found == index_.end() ? nullptr : &keys_[found->second];
}

RegFileKey* RegistryDocument::FindKey(std::u16string_view path) {
  const auto found = index_.find(CanonicalPath(path));
  return found == index_.end() ? nullptr : &keys_[found->second];
}

bool RegistryDocument::IsAtOrBelow(std::u16string_view path, const std::vector<std::u16string>& parts) const {
  const std::vector<std::u16string> own = SplitKeyPath(path, Kind());
  if (own.size() < parts.size()) return false;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (!EqualsIgnoringCase(own[i], parts[i], Kind())) return false;
  }
  return true;
}

bool RegistryDocument::KeyExists(std::u16string_view path) const {
  if (FindKey(path) != nullptr) return true;
  // Compared part by part: in code page 950 text a backslash may be the second byte of a
  // character, so one path beginning with another plus "\\" need not lie below it.
  const std::vector<std::u16string> parts = SplitKeyPath(path, Kind());
  return std::any_of(keys_.begin(), keys_.end(), [&](const RegFileKey& key) { return IsAtOrBelow(key.path, parts); });
}

std::vector<std::u16string> RegistryDocument::SubkeyNames(std::u16string_view path) const {
  const std::vector<std::u16string> parent = SplitKeyPath(path, Kind());
  std::vector<std::u16string> names;
  std::unordered_set<std::u16string> seen;
  for (const RegFileKey& key : keys_) {
    const std::vector<std::u16string> parts = SplitKeyPath(key.path, Kind());
    if (parts.size() <= parent.size()) continue;
    bool below = true;
    for (std::size_t i = 0; i < parent.size() && below; ++i) {
      below = EqualsIgnoringCase(parts[i], parent[i], Kind());
    }
    if (!below) continue;
    const std::u16string& name = parts[parent.size()];
    if (seen.insert(FoldCase(name, Kind())).second) names.push_back(name);
  }
  return names;
}

RegFileKey& RegistryDocument::CreateKey(std::u16string_view path) {
  if (RegFileKey* existing = FindKey(path)) return *existing;
  // Written with single separators and no trailing one, as it will appear in the file.
  std::u16string written;
  for (const std::u16string& part : SplitKeyPath(path, Kind())) {
    if (!written.empty()) written.push_back(u'\\');
    written += part;
  }
  keys_.push_back(RegFileKey{std::move(written), {}});
  index_.emplace(CanonicalPath(path), keys_.size() - 1);
  return keys_.back();
}

void RegistryDocument::DeleteKeyTree(std::u16string_view path) {
  const std::vector<std::u16string> parts = SplitKeyPath(path, Kind());
  std::erase_if(keys_, [&](const RegFileKey& key) { return IsAtOrBelow(key.path, parts); });
  RebuildIndex();
}

const RegFileValue* RegistryDocument::FindValue(const RegFileKey& key, std::u16string_view name) const {
  for (const RegFileValue& value : key.values) {
    if (EqualsIgnoringCase(value.name, name, Kind())) return &value;
  }
  return nullptr;
}

void RegistryDocument::SetValue(RegFileKey& key, RegFileValue value) {
  for (RegFileValue& existing : key.values) {
    if (EqualsIgnoringCase(existing.name, value.name, Kind())) {
      // The name keeps the spelling it has in the file.
      existing.type = value.type;
      existing.data = std::move(value.data);
      return;
    }
  }
  key.values.push_back(std::move(value));
}

bool RegistryDocument::DeleteValue(RegFileKey& key, std::u16string_view name) {
  const auto removed = std::erase_if(
      key.values, [&](const RegFileValue& value) { return EqualsIgnoringCase(value.name, name, Kind()); });
  return removed > 0;
}

}  // namespace pictor::regfile
