#pragma once

#include "core/ports.h"

namespace quillon::win32 {

// Folders through FindFirstFileW/FindNextFileW and renames through MoveFileW, which never
// replaces an existing name. Reparse points (symbolic links, junctions, mounted volumes) are
// entries of their folder but are never searched.
class Win32FileSystem : public FileSystemPort {
 public:
  std::unique_ptr<FolderSearch> OpenFolder(std::u16string_view path) override;
};

// The log folder and its files, on 8-bit paths of the system's code page. A journal being written
// is open with no sharing of writes, which is how a start-up tells it from one left by a run that
// ended.
class Win32LogFolder : public LogFolderPort {
 public:
  bool FolderExists(const std::string& path) override;
  void CreateFolder(const std::string& path) override;
  NewFileResult WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
  std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder, std::string_view suffix) override;
  std::unique_ptr<JournalFile> CreateJournal(const std::string& path, NewFileResult& result) override;
  std::unique_ptr<LeftJournal> TakeLeftJournal(const std::string& path) override;
};

class Win32Clock : public ClockPort {
 public:
  LocalTime Now() override;
  std::uint32_t Milliseconds() override;
  std::uint64_t Microseconds() override;
};

std::wstring ToWide(std::u16string_view text);
std::u16string FromWide(std::wstring_view text);

}  // namespace quillon::win32
