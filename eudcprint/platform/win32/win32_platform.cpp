#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <cstdio>

namespace pictor::win32 {
namespace {

constexpr UINT kCodePage950 = 950;

std::wstring ToWide(UINT code_page, std::string_view text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string FromWide(UINT code_page, const std::wstring& wide) {
  if (wide.empty()) return {};
  const int length =
      WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
  return text;
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::string Cp950ToUtf8(std::string_view cp950) { return FromWide(CP_UTF8, ToWide(kCodePage950, cp950)); }

std::string Utf8ToCp950(std::string_view utf8) { return FromWide(kCodePage950, ToWide(CP_UTF8, utf8)); }

std::vector<std::uint32_t> Win32KeyboardLayouts::LoadedLayouts() {
  const int count = GetKeyboardLayoutList(0, nullptr);
  if (count <= 0) return {};
  std::vector<HKL> handles(static_cast<std::size_t>(count));
  const int got = GetKeyboardLayoutList(count, handles.data());
  std::vector<std::uint32_t> layouts;
  for (int i = 0; i < got; ++i) {
    layouts.push_back(static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(handles[static_cast<std::size_t>(i)])));
  }
  return layouts;
}

PlatformFamily Win32PlatformFamily::Family() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
  return known && version.dwPlatformId == VER_PLATFORM_WIN32_NT ? PlatformFamily::kWindowsNT
                                                                : PlatformFamily::kWindows9x;
}

bool Win32DocumentFiles::CanRead(std::string_view path) {
  const Handle file(CreateFileA(std::string(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.Get() != INVALID_HANDLE_VALUE;
}

bool Win32DocumentFiles::WriteEmpty(std::string_view path) {
  const Handle file(
      CreateFileA(std::string(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.Get() != INVALID_HANDLE_VALUE;
}

std::optional<std::vector<std::uint8_t>> Win32FileReader::ReadWholeFile(std::string_view path) {
  Handle file(CreateFileA(std::string(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) return std::nullopt;
  // Files on disk only: not pipes, consoles or devices such as NUL.
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr)) {
      return std::nullopt;
    }
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

void MessageBoxMessages::Show(std::string_view text, std::string_view caption, MessageIcon icon) {
  UINT style = MB_OK;
  if (icon == MessageIcon::kStop) style |= MB_ICONSTOP;
  if (icon == MessageIcon::kInformation) style |= MB_ICONINFORMATION;
  MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(), style);
}

void StderrMessages::Show(std::string_view text, std::string_view caption, MessageIcon) {
  std::fprintf(stderr, "%s: %s\n", Cp950ToUtf8(caption).c_str(), Cp950ToUtf8(text).c_str());
}

std::string Win32WindowsDirectory::WindowsDirectory() {
  char directory[256];
  const UINT length = GetWindowsDirectoryA(directory, sizeof directory);
  if (length == 0 || length >= sizeof directory) return {};
  return std::string(directory, length);
}

Win32Platform::Win32Platform(bool console_warnings) : console_warnings_(console_warnings) {}

MessagePort& Win32Platform::Messages() {
  if (console_warnings_) return console_;
  return boxes_;
}

}  // namespace pictor::win32
