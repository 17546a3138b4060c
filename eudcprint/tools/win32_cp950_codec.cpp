#include "tools/win32_cp950_codec.h"

#include <windows.h>

namespace pictor::tools {
namespace {

constexpr UINT kCodePage950 = 950;

}  // namespace

std::string Win32Cp950Codec::FromUtf8(std::string_view utf8) const {
  if (utf8.empty()) return {};
  const int wide_length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wide_length);
  const int length = WideCharToMultiByte(kCodePage950, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kCodePage950, 0, wide.data(), wide_length, text.data(), length, nullptr, nullptr);
  return text;
}

char16_t Win32Cp950Codec::DecodePair(std::uint16_t code) const {
  const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  wchar_t decoded[2] = {};
  const int count = MultiByteToWideChar(kCodePage950, MB_ERR_INVALID_CHARS, bytes, 2, decoded, 2);
  return count == 1 ? static_cast<char16_t>(decoded[0]) : u'\uFFFD';
}

std::string Win32Cp950Codec::EncodeOther(char32_t code_point) const {
  if (code_point > 0xFFFF) return "?";
  const wchar_t wide = static_cast<wchar_t>(code_point);
  char bytes[4] = {};
  BOOL lost = FALSE;
  const int count = WideCharToMultiByte(kCodePage950, 0, &wide, 1, bytes, sizeof bytes, nullptr, &lost);
  if (count <= 0 || lost) return "?";
  return std::string(bytes, static_cast<std::size_t>(count));
}

}  // namespace pictor::tools
