#include "tests/core/memory_machine.h"

#include <algorithm>

#include "core/utf8_text.h"

namespace quillon::testing {

Node* Node::Add(std::u16string child_name, bool directory) {
  auto child = std::make_unique<Node>();
  child->name = std::move(child_name);
  child->is_directory = directory;
  children.push_back(std::move(child));
  return children.back().get();
}

Node* Node::Find(std::u16string_view child_name) {
  for (auto& child : children) {
    if (child->name == child_name) return child.get();
  }
  return nullptr;
}

std::vector<std::u16string> Node::ChildNames() const {
  std::vector<std::u16string> names;
  for (const auto& child : children) names.push_back(child->name);
  return names;
}

// Lists its folder live, the way a directory read does: an entry renamed while the search is
// open moves to the end of the folder and turns up again under its new name.
class MemorySearch : public FolderSearch {
 public:
  MemorySearch(MemoryFileSystem& fs, Node* node, std::u16string path) : fs_(fs), node_(node), path_(std::move(path)) {}

  bool Next(DirectoryEntry& entry) override {
    entry = DirectoryEntry{};
    if (next_ < 2) {  // a real directory search lists "." and ".." first
      entry.name = next_++ == 0 ? u"." : u"..";
      entry.is_directory = entry.walk_into = true;
      return true;
    }
    if (next_ - 2 >= node_->children.size()) return false;
    const Node& child = *node_->children[next_++ - 2];
    entry.name = child.name;
    entry.is_directory = child.is_directory;
    entry.walk_into = child.is_directory && !child.is_link;
    entry.name_exact = !child.inexact_name;
    return true;
  }

  std::unique_ptr<FolderSearch> OpenSubfolder(const DirectoryEntry& entry, std::u16string_view path) override {
    Node* child = node_->Find(entry.name);
    return child ? fs_.Start(child, path) : nullptr;
  }

  bool Rename(std::u16string_view old_name, std::u16string_view new_name) override {
    fs_.renames.emplace_back(path_ + fs_.separator_ + std::u16string(old_name), std::u16string(new_name));
    if (fs_.trace_)
      fs_.trace_->push_back("rename " + quillon::ToUtf8(path_) + " " + quillon::ToUtf8(old_name) + " -> " +
                            quillon::ToUtf8(new_name));
    auto& children = node_->children;
    const auto it = std::find_if(children.begin(), children.end(), [&](const auto& c) { return c->name == old_name; });
    if (it == children.end() || (*it)->rename_fails || node_->Find(new_name)) return false;
    std::unique_ptr<Node> moved = std::move(*it);
    children.erase(it);
    moved->name = std::u16string(new_name);
    children.push_back(std::move(moved));
    return true;
  }

  bool Exists(std::u16string_view name) override { return node_->Find(name) != nullptr; }

 private:
  MemoryFileSystem& fs_;
  Node* node_;
  std::u16string path_;
  std::size_t next_ = 0;
};

MemoryFileSystem::MemoryFileSystem(std::vector<std::string>* trace, char16_t separator)
    : trace_(trace), separator_(separator) {
  root_.is_directory = true;
}

Node* MemoryFileSystem::Resolve(std::u16string_view path) {
  std::u16string full(path);
  if (full.empty() || full.front() == separator_) full = current_drive + full;
  Node* node = &root_;
  std::size_t start = 0;
  while (start <= full.size()) {
    std::size_t end = full.find(separator_, start);
    if (end == std::u16string::npos) end = full.size();
    const std::u16string_view part = std::u16string_view(full).substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    node = node->Find(part);
    if (!node || !node->is_directory) return nullptr;
  }
  return node;
}

Node* MemoryFileSystem::AddPath(std::u16string_view path, bool directory) {
  Node* node = &root_;
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t end = path.find(separator_, start);
    if (end == std::u16string_view::npos) end = path.size();
    const std::u16string part(path.substr(start, end - start));
    const bool last = end == path.size();
    Node* next = node->Find(part);
    if (!next) next = node->Add(part, last ? directory : true);
    node = next;
    start = end + 1;
  }
  return node;
}

std::unique_ptr<FolderSearch> MemoryFileSystem::OpenFolder(std::u16string_view path) {
  return Start(Resolve(path), path);
}

std::unique_ptr<FolderSearch> MemoryFileSystem::Start(Node* node, std::u16string_view path) {
  std::u16string pattern(path);
  pattern += separator_;
  pattern += u"*.*";
  patterns.push_back(pattern);
  if (trace_) trace_->push_back("search " + quillon::ToUtf8(pattern));
  if (!node || !node->searchable) return nullptr;
  return std::make_unique<MemorySearch>(*this, node, std::u16string(path));
}

int MemoryStartup::ReadTableFile(const std::string& path, std::vector<std::uint8_t>& contents) {
  contents.clear();
  const auto it = files.find(path);
  if (it == files.end()) return 2;  // not found
  contents.assign(it->second.begin(), it->second.end());
  return 0;
}

void RecordingHost::ShowFolder(std::u16string_view path) {
  shown.emplace_back(path);
  if (trace_) trace_->push_back("show " + quillon::ToUtf8(path));
}

void RecordingHost::AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view folder) {
  rows.push_back(Row{std::u16string(display_name), std::u16string(result), std::u16string(folder)});
  if (trace_)
    trace_->push_back("row " + quillon::ToUtf8(display_name) + " | " + quillon::ToUtf8(result) + " | " +
                      quillon::ToUtf8(folder));
}

void RecordingHost::HandlePendingEvents() {
  ++events_handled;
  if (trace_) trace_->push_back("events");
  if (on_events) on_events(*this);
}

namespace {

class MemoryJournalFile : public JournalFile {
 public:
  MemoryJournalFile(MemoryLogFolder& folder, std::string path) : folder_(folder), path_(std::move(path)) {
    folder_.locked.insert(path_);
  }
  ~MemoryJournalFile() override { folder_.locked.erase(path_); }

  bool Append(std::span<const std::uint8_t> bytes) override {
    if (folder_.journal_writes_fail) return false;
    ++folder_.appends;
    auto& file = folder_.files[path_];
    file.insert(file.end(), bytes.begin(), bytes.end());
    return true;
  }
  bool Sync() override {
    ++folder_.syncs;
    return !folder_.journal_writes_fail;
  }
  void Remove() override { folder_.files.erase(path_); }

 private:
  MemoryLogFolder& folder_;
  std::string path_;
};

class MemoryLeftJournal : public LeftJournal {
 public:
  MemoryLeftJournal(MemoryLogFolder& folder, std::string path)
      : folder_(folder), path_(std::move(path)), contents_(folder.files.at(path_)) {
    folder_.locked.insert(path_);
  }
  ~MemoryLeftJournal() override { folder_.locked.erase(path_); }

  const std::vector<std::uint8_t>& Contents() const override { return contents_; }
  void Remove() override { folder_.files.erase(path_); }

 private:
  MemoryLogFolder& folder_;
  std::string path_;
  std::vector<std::uint8_t> contents_;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> MemoryLogFolder::ReadFile(const std::string& path) {
  const auto it = files.find(path);
  if (it == files.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> MemoryLogFolder::ListFiles(const std::string& folder, std::string_view suffix) {
  std::vector<std::string> names;
  for (const auto& [path, bytes] : files) {
    if (path.size() <= folder.size() + 1 || path.compare(0, folder.size(), folder) != 0) continue;
    const std::string name = path.substr(folder.size() + 1);
    if (name.find_first_of("\\/") == std::string::npos && name.ends_with(suffix)) names.push_back(name);
  }
  return names;
}

std::unique_ptr<JournalFile> MemoryLogFolder::CreateJournal(const std::string& path, NewFileResult& result) {
  if (!can_write) {
    result = NewFileResult::kFailed;
    return nullptr;
  }
  if (files.count(path)) {
    result = NewFileResult::kAlreadyExists;
    return nullptr;
  }
  files[path];
  result = NewFileResult::kWritten;
  return std::make_unique<MemoryJournalFile>(*this, path);
}

std::unique_ptr<LeftJournal> MemoryLogFolder::TakeLeftJournal(const std::string& path) {
  if (!files.count(path) || locked.count(path)) return nullptr;
  return std::make_unique<MemoryLeftJournal>(*this, path);
}

}  // namespace quillon::testing
