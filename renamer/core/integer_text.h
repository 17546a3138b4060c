#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillon {

// The platform's text-to-integer conversion, whose rules the rename table relies on:
//   - leading blanks are skipped, then an optional "+" or "-";
//   - "$", "x", "X", "0x" or "0X" marks hexadecimal digits (either case), otherwise decimal;
//   - at least one digit, and nothing after the digits;
//   - decimal values must fit a signed 32-bit integer; hexadecimal ones may use all 32 bits
//     ("$FFFFFFFF" is -1), and a ninth significant hexadecimal digit overflows.
// Returns nothing when the text breaks a rule.
std::optional<std::int32_t> ParseIntegerText(std::string_view text);

// ParseIntegerText, raising RenamerError "'<text>' is not a valid integer value" on failure, with
// the text's bytes shown by VisibleBytes.
std::int32_t TextToInteger(std::string_view text);

}  // namespace quillon
