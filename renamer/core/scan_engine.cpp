#include "scan_engine.h"

#include <utility>

#include "shown_text.h"

namespace quillon {

ScanEngine::ScanEngine(const RenameTable& table, FileSystemPort& files, LogFolderPort& logs, RunHost& host,
                       PathStyle style, std::string log_dir)
    : table_(table),
      files_(files),
      logs_(logs),
      host_(host),
      style_(style),
      log_dir_(std::move(log_dir)),
      log_(style) {}

void ScanEngine::ScanRoots(std::span<const std::u16string> roots) {
  for (const auto& root : roots) {
    if (host_.StopRequested()) return;
    ScanFolder(root);
  }
}

void ScanEngine::ScanFolder(std::u16string_view path) { Scan(std::u16string(path), nullptr, nullptr); }

void ScanEngine::Scan(const std::u16string& path, FolderSearch* parent, const DirectoryEntry* entry) {
  const std::u16string shown_path = ShownText(path);
  host_.ShowFolder(shown_path);
  if (!logs_.FolderExists(log_dir_)) logs_.CreateFolder(log_dir_);

  std::unique_ptr<FolderSearch> search = parent ? parent->OpenSubfolder(*entry, path) : files_.OpenFolder(path);
  if (!search) {
    if (!parent) unsearched_roots_.push_back(path);
    return;
  }
  ++counts_.folders;

  // The listing is read whole before anything is renamed, so that an entry renamed during the
  // walk cannot turn up a second time under its new name and be mapped twice.
  std::vector<DirectoryEntry> entries;
  for (DirectoryEntry next; search->Next(next);) entries.push_back(std::move(next));

  const char16_t separator = Separator(style_);
  for (const DirectoryEntry& item : entries) {
    // Names beginning with "." ("." and ".." among them) are neither renamed nor walked.
    if (!item.name.empty() && item.name.front() != u'.') {
      ++counts_.entries;
      std::u16string display;
      if (item.is_directory) {
        if (item.walk_into) Scan(path + separator + item.name, search.get(), &item);
        display = u"<" + item.name + u">";
      } else {
        display = item.name;
      }
      const std::u16string result = RenameEntry(*search, path, item);
      if (!result.empty()) {
        host_.AddRow(ShownText(display), ShownText(result), shown_path);
        log_.AddRecord(path, display, result);
      }
    }
    host_.HandlePendingEvents();
    if (journal_) journal_->Tick();
    if (host_.StopRequested()) return;
  }
}

std::u16string ScanEngine::RenameEntry(FolderSearch& folder, const std::u16string& path, const DirectoryEntry& entry) {
  if (!entry.name_exact) return {};
  const MappedName mapped = MapName(entry.name, table_, host_.CurrentDirection());
  if (!mapped.changed) return {};
  bool renamed = false;
  if (!mapped.allowed) {
    if (journal_) journal_->Refused(path, entry.name, mapped.name, entry.is_directory);
  } else {
    if (journal_) journal_->RenameAhead(path, entry.name, mapped.name, entry.is_directory);
    renamed = folder.Rename(entry.name, mapped.name);
    if (journal_) journal_->RenameDone(renamed);
  }
  if (renamed) {
    ++counts_.renamed;
    return mapped.name;
  }
  ++counts_.failed;
  return std::u16string(kCannotRename);
}

}  // namespace quillon
