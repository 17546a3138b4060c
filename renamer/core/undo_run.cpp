#include "undo_run.h"

#include "shown_text.h"

namespace quillon {

UndoRun::UndoRun(FileSystemPort& files, RunHost& host, PathStyle style, RunJournal* journal)
    : files_(files), host_(host), separator_(Separator(style)), journal_(journal), log_(style) {}

std::u16string UndoRun::CurrentFolder(const std::u16string& logged) const {
  const std::pair<std::u16string, std::u16string>* best = nullptr;
  for (const auto& moved : moved_folders_) {
    const std::u16string& from = moved.first;
    const bool inside =
        logged.size() == from.size() || (logged.size() > from.size() && logged[from.size()] == separator_);
    if (inside && logged.starts_with(from) && (!best || from.size() > best->first.size())) best = &moved;
  }
  return best ? best->second + logged.substr(best->first.size()) : logged;
}

void UndoRun::Undo(std::span<const LoggedRename> renames) {
  for (auto it = renames.rbegin(); it != renames.rend(); ++it) {
    if (host_.StopRequested()) return;
    const LoggedRename& rename = *it;
    const std::u16string folder = CurrentFolder(rename.folder);
    host_.ShowFolder(ShownText(folder));

    const std::unique_ptr<FolderSearch> search = files_.OpenFolder(folder);
    std::optional<UndoSkipReason> skip;
    if (!search || !search->Exists(rename.new_name)) {
      skip = UndoSkipReason::kGone;
    } else if (search->Exists(rename.old_name)) {
      skip = UndoSkipReason::kNameTaken;
    }
    bool renamed = false;
    if (skip) {
      if (journal_) journal_->Refused(folder, rename.new_name, rename.old_name, rename.is_directory);
    } else {
      if (journal_) journal_->RenameAhead(folder, rename.new_name, rename.old_name, rename.is_directory);
      renamed = search->Rename(rename.new_name, rename.old_name);
      if (journal_) journal_->RenameDone(renamed);
      if (!renamed) skip = UndoSkipReason::kFailed;
    }
    if (renamed) ++undone_;
    if (skip) skipped_.push_back(UndoSkip{rename, folder, *skip});

    const std::u16string display = rename.is_directory ? u"<" + rename.new_name + u">" : rename.new_name;
    const std::u16string result = renamed ? rename.old_name : std::u16string(kCannotRename);
    host_.AddRow(ShownText(display), ShownText(result), ShownText(folder));
    log_.AddRecord(folder, display, result);

    // The entries logged inside a folder are found where the folder is now.
    if (rename.is_directory) {
      std::u16string logged = rename.folder + separator_ + rename.old_name;
      std::u16string now = folder + separator_ + (renamed ? rename.old_name : rename.new_name);
      if (logged != now) moved_folders_.emplace_back(std::move(logged), std::move(now));
    }
    host_.HandlePendingEvents();
    if (journal_) journal_->Tick();
  }
}

}  // namespace quillon
