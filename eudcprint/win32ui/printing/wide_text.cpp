#include "win32ui/printing/wide_text.h"

#include <windows.h>

namespace pictor::win32ui {
namespace {

// The core's texts are code page 950 whatever the system's code page is.
constexpr UINT kBig5CodePage = 950;

}  // namespace

std::wstring Cp950ToWide(std::string_view cp950) {
  if (cp950.empty()) return {};
  const int size = static_cast<int>(cp950.size());
  const int length = MultiByteToWideChar(kBig5CodePage, 0, cp950.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kBig5CodePage, 0, cp950.data(), size, wide.data(), length);
  return wide;
}

std::string WideToCp950(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(kBig5CodePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kBig5CodePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace pictor::win32ui
