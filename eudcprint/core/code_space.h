// The user-defined area of code page 950 as pictor sees it: four ranges of double-byte Big5 codes,
// 6217 characters in all, addressed by Big5 code, by EUDC ordinal (the character's private-use code
// point minus kPrivateUseBase) or by code-order index (its position in ascending Big5 order).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace pictor {

inline constexpr std::uint16_t EUDC_CHARACTER_COUNT = 6217;

// Answer of the conversions below when the value names no user-defined character.
inline constexpr std::uint16_t kNoCharacter = 0xFFFF;

struct CodeRange {
  std::uint16_t first;
  std::uint16_t last;
};

// The ranges in the order the range dialog lists them and the validity test walks them.
inline constexpr std::array<CodeRange, 4> EudcCodeRange = {{
    {0xFA40, 0xFEFE},
    {0x8E40, 0xA0FE},
    {0x8140, 0x8DFE},
    {0xC6A1, 0xC8FE},
}};

// Ordinal 0-6216 to its Big5 code; kNoCharacter for larger values.
std::uint16_t OrdinalToBig5(std::uint16_t ordinal);

// Code-order index 0-6216 to its Big5 code; kNoCharacter for larger values.
std::uint16_t CodeIndexToBig5(std::uint16_t index);

// Big5 code of a user-defined character to its code-order index, else kNoCharacter.
std::uint16_t Big5ToCodeIndex(std::uint16_t code);

// Position of any double-byte Big5 code (leads 0x81-0xFE) in the full numbering that starts with
// lead 0xA1, then 0x8E-0xA0, then 0x81-0x8D; kNoCharacter for other leads and bad trail bytes.
std::uint16_t Big5ToFullIndex(std::uint16_t code);

// EUDC ordinal of a Big5 code; nullopt when the code is not a user-defined character.
std::optional<std::uint16_t> Big5ToOrdinal(std::uint16_t code);

bool IsEudcCode(std::uint16_t code);

// The private-use code point of EUDC ordinal 0: ordinal n is the code point kPrivateUseBase + n
// (U+E000 to U+F848), as the platform maps the user-defined area onto Unicode.
inline constexpr char16_t kPrivateUseBase = 0xE000;

// The private-use code point of an ordinal below EUDC_CHARACTER_COUNT.
constexpr char16_t OrdinalToPrivateUse(std::uint16_t ordinal) {
  return static_cast<char16_t>(kPrivateUseBase + ordinal);
}

// The ordinal of a private-use code point U+E000 to U+F848; nullopt for any other code point.
constexpr std::optional<std::uint16_t> PrivateUseToOrdinal(char32_t code_point) {
  if (code_point < kPrivateUseBase || code_point - kPrivateUseBase >= EUDC_CHARACTER_COUNT) return std::nullopt;
  return static_cast<std::uint16_t>(code_point - kPrivateUseBase);
}

// The private-use code point of a user-defined Big5 code; nullopt for any other code.
std::optional<char16_t> Big5ToPrivateUse(std::uint16_t code);

// Trail byte of a position 0-156 among the 157 Big5 trail bytes, and back (nullopt for a byte
// outside 0x40-0x7E and 0xA1-0xFE).
std::uint8_t TrailByteAt(unsigned position);
std::optional<unsigned> TrailPosition(std::uint8_t trail);

}  // namespace pictor
