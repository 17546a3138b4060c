// Walking code page 950 byte texts character by character. A lead byte (0x81-0xFE) and the byte
// after it form one character, whatever that second byte is: 許 is B3 5C and 功 is A5 5C, so a
// 0x5C there is no backslash, and a cut must never keep a lead byte without its second byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ascii.h"

namespace pictor {

constexpr bool IsCp950LeadByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x81 && byte <= 0xFE;
}

// Bytes of the character that starts at position i: 2 for a lead byte with a byte after it.
constexpr std::size_t Cp950CharLength(std::string_view text, std::size_t i) {
  return IsCp950LeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

// Position of the first single-byte character `byte`, or npos.
constexpr std::size_t FindCp950Byte(std::string_view text, char byte) {
  for (std::size_t i = 0; i < text.size(); i += Cp950CharLength(text, i)) {
    if (text[i] == byte && Cp950CharLength(text, i) == 1) return i;
  }
  return std::string_view::npos;
}

// Position of the last single-byte character `byte`, or npos.
constexpr std::size_t FindLastCp950Byte(std::string_view text, char byte) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); i += Cp950CharLength(text, i)) {
    if (text[i] == byte && Cp950CharLength(text, i) == 1) found = i;
  }
  return found;
}

// The longest start of the text of at most maxBytes bytes that ends on a character boundary.
constexpr std::string_view Cp950Prefix(std::string_view text, std::size_t max_bytes) {
  if (text.size() <= max_bytes) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + Cp950CharLength(text, end);
    if (next > max_bytes) break;
    end = next;
  }
  return text.substr(0, end);
}

// The letters a-z upper-cased, as the platform's CharUpperA does on a code page 950 system: the
// second byte of a double-byte character belongs to that character and is never a letter. Byte
// by byte, 字庫 (A6 72 AE 77) would become 吐娠 (A6 52 AE 57).
inline std::string Cp950Uppercase(std::string_view text) {
  std::string result(text);
  for (std::size_t i = 0; i < result.size(); i += Cp950CharLength(result, i)) {
    if (Cp950CharLength(result, i) == 1) result[i] = AsciiUpper(result[i]);
  }
  return result;
}

}  // namespace pictor
