#include "win32ui/frame/wide_text.h"

#include <windows.h>

namespace pictor::win32ui {
namespace {

constexpr UINT kCodePage950 = 950;

}  // namespace

std::wstring WideFromCp950(std::string_view cp950) {
  if (cp950.empty()) return {};
  const int length = MultiByteToWideChar(kCodePage950, 0, cp950.data(), static_cast<int>(cp950.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kCodePage950, 0, cp950.data(), static_cast<int>(cp950.size()), wide.data(), length);
  return wide;
}

std::string Cp950FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length =
      WideCharToMultiByte(kCodePage950, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kCodePage950, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                      nullptr);
  return text;
}

}  // namespace pictor::win32ui
