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

// The log folder and file, on 8-bit paths of the system's code page.
class Win32LogFolder : public LogFolderPort {
 public:
  bool FolderExists(const std::string& path) override;
  void CreateFolder(const std::string& path) override;
  NewFileResult WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
};

class Win32Clock : public ClockPort {
 public:
  LocalTime Now() override;
};

std::wstring ToWide(std::u16string_view text);
std::u16string FromWide(std::wstring_view text);

}  // namespace quillon::win32
