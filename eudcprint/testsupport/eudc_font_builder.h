// Makes TrueType fonts for tests, benchmarks and demonstration data: an EUDC font whose every
// user-defined character has a glyph of its own, and, for font listings, a stand-in for a Big5
// typeface.
//
// Glyph design (square em of kUnitsPerEm units, advance one em): a frame, and inside it a 4 x 4 grid
// that shows the character's code point in bits, one hexadecimal digit per row from the top, most
// significant bit on the left; a filled square is a 1. U+E123 thus reads 1110 / 0001 / 0010 / 0011.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pictor::testsupport {

inline constexpr std::uint16_t kUnitsPerEm = 1024;

struct FontRequest {
  std::string familyName;  // UTF-8
  // Code points of the Basic Multilingual Plane (no surrogates, not U+FFFF); each gets a glyph of
  // its own. Duplicates count once.
  std::vector<char32_t> codePoints;
  // Also map the blocks that hold code page 950's characters (ASCII, punctuation and symbols,
  // Bopomofo, the unified ideographs) to one shared plain glyph, enough for font listings to take
  // the font for a Traditional Chinese typeface. Code points listed above keep their own glyphs.
  bool coverTraditionalChinese = false;
};

// Glyph indexes: 0 is .notdef; with coverTraditionalChinese, 1 is an empty space and 2 the shared
// glyph; then the code points' glyphs in ascending code point order.
//
// Throws std::invalid_argument for a code point outside the rules above or a family name that is not
// UTF-8, and std::length_error when the character map grows past its format's 64 KB limit (only
// with the Chinese cover and thousands of scattered gaps).
std::vector<std::uint8_t> BuildTrueTypeFont(const FontRequest& request);

// The private-use code points of all 6217 user-defined characters, ascending, less those of the given
// Big5 codes (codes that are not user-defined characters are ignored).
std::vector<char32_t> EudcCodePoints(std::span<const std::uint16_t> omittedBig5Codes = {});

}  // namespace pictor::testsupport
