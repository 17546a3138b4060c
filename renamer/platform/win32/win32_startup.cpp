#include "platform/win32/win32_startup.h"

#include <windows.h>

#include "platform/win32/win32_file_system.h"

namespace quillon::win32 {

int Win32Startup::ReadTableFile(const std::string& path, std::vector<std::uint8_t>& contents) {
  contents.clear();
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  std::uint8_t buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      const int error = static_cast<int>(GetLastError());
      CloseHandle(file);
      return error;
    }
    if (got == 0) break;
    contents.insert(contents.end(), buffer, buffer + got);
  }
  CloseHandle(file);
  return 0;
}

std::string Win32Startup::ListFixedDrives() {
  std::string drives;
  const DWORD mask = GetLogicalDrives();
  for (int i = 2; i < 26; ++i) {  // A: and B: are never fixed disks
    if ((mask & (1u << i)) == 0) continue;
    const std::string root = std::string(1, static_cast<char>('A' + i)) + ":\\";
    if (GetDriveTypeA(root.c_str()) == DRIVE_FIXED) drives += root + ",";
  }
  return drives;
}

std::string Win32Startup::UserProfile() {
  char buffer[MAX_PATH] = {};
  const DWORD needed = ExpandEnvironmentStringsA("%USERPROFILE%", buffer, MAX_PATH);
  if (needed == 0 || needed > MAX_PATH) return "%USERPROFILE%";
  return buffer;
}

std::u16string Win32Startup::Widen(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), units);
  return FromWide(wide);
}

}  // namespace quillon::win32
