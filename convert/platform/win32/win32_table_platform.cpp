// Table loading on Windows: the Windows directory, the private profile functions and the platform
// version come from the system; the out-of-memory warning is a message box.

#include <windows.h>

#include <memory>

#include "table_platform_factory.h"

namespace tessel {
namespace {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

class Win32TablePlatform final : public TablePlatform {
 public:
  char PathSeparator() const override { return '\\'; }

  std::string WindowsDirectory() override {
    char buffer[160] = {};
    const UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
    return (n > 0 && n < sizeof buffer) ? std::string(buffer, n) : std::string();
  }

  bool FileExists(const std::string& path) override {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
  }

  std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) override {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    // A file that cannot be read to its end is missing, like one that cannot be opened.
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[65536];
    DWORD n = 0;
    BOOL read = FALSE;
    while ((read = ::ReadFile(h, block, sizeof block, &n, nullptr)) && n > 0)
      bytes.insert(bytes.end(), block, block + n);
    CloseHandle(h);
    if (!read) return std::nullopt;
    return bytes;
  }

  std::string ProfileString(const std::string& file, std::string_view section, std::string_view key,
                            std::string_view default_value, std::size_t capacity) override {
    std::string buffer(capacity, '\0');
    const DWORD n = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                             std::string(default_value).c_str(), buffer.data(),
                                             static_cast<DWORD>(capacity), file.c_str());
    buffer.resize(n);
    return buffer;
  }

  bool IsNtFamily() override { return (GetVersion() & 0x80000000u) == 0; }

  void Warn(std::string_view caption, std::string_view text) override {
    // The wide-character box shows the texts right whatever the system code page.
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(), MB_OK | MB_ICONWARNING);
  }
};

}  // namespace

std::unique_ptr<TablePlatform> MakeTablePlatform() { return std::make_unique<Win32TablePlatform>(); }

}  // namespace tessel
