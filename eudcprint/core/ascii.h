// Byte-wise ASCII letter case, as the registry and the input-method records compare and fold
// their code page 950 texts: only 0x41-0x5A and 0x61-0x7A change, whatever byte they follow. And
// ASCII numbers, as the registry, the range fields and the command lines write them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pictor {

constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c; }

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

inline std::string AsciiUppercase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AsciiUpper(c);
  return result;
}

// A number of 1 to maxDigits ASCII digits in base 10 or 16 (either letter case); nullopt for
// anything else, an empty text included.
constexpr std::optional<std::uint32_t> ParseAsciiNumber(std::string_view text, unsigned base, std::size_t max_digits) {
  if (text.empty() || text.size() > max_digits) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : text) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && AsciiUpper(c) >= 'A' && AsciiUpper(c) <= 'F') {
      digit = static_cast<unsigned>(AsciiUpper(c) - 'A' + 10);
    } else {
      return std::nullopt;
    }
    number = number * base + digit;
  }
  return number;
}

}  // namespace pictor
