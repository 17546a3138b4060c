#include "integer_text.h"

#include <string>

#include "error_texts.h"
#include "renamer_error.h"
#include "visible_bytes.h"

namespace quillon {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseIntegerText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;

  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }

  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }

  if (i == text.size()) return std::nullopt;  // no digits at all

  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = hex ? HexDigitValue(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16u : 10u) + static_cast<std::uint64_t>(digit);
    const std::uint64_t limit = hex ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    if (value > limit) return std::nullopt;
  }

  // Hexadecimal text fills all 32 bits, so values above 7FFFFFFF wrap to negative numbers.
  auto result = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  if (negative) result = static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(result));
  return result;
}

std::int32_t TextToInteger(std::string_view text) {
  if (const auto value = ParseIntegerText(text)) return *value;
  throw RenamerError(FillIn(kNotAnIntegerText, VisibleBytes(text)));
}

}  // namespace quillon
