// The symbols that the input methods' root codes stand for, as code page 950 byte strings.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace pictor {

// The full-width space "　" that marks a position without a root.
inline constexpr std::string_view kFullWidthSpace = "\xa1\x40";

// Phonetic root codes 1-42 (entry 0 is code 1); every symbol has the lead byte 0xA3.
inline constexpr std::array<std::string_view, 42> PhoneticSymbolTable = {
    "\xa3\x74",  // ㄅ
    "\xa3\x75",  // ㄆ
    "\xa3\x76",  // ㄇ
    "\xa3\x77",  // ㄈ
    "\xa3\x78",  // ㄉ
    "\xa3\x79",  // ㄊ
    "\xa3\x7a",  // ㄋ
    "\xa3\x7b",  // ㄌ
    "\xa3\x7c",  // ㄍ
    "\xa3\x7d",  // ㄎ
    "\xa3\x7e",  // ㄏ
    "\xa3\xa1",  // ㄐ
    "\xa3\xa2",  // ㄑ
    "\xa3\xa3",  // ㄒ
    "\xa3\xa4",  // ㄓ
    "\xa3\xa5",  // ㄔ
    "\xa3\xa6",  // ㄕ
    "\xa3\xa7",  // ㄖ
    "\xa3\xa8",  // ㄗ
    "\xa3\xa9",  // ㄘ
    "\xa3\xaa",  // ㄙ
    "\xa3\xb8",  // ㄧ
    "\xa3\xb9",  // ㄨ
    "\xa3\xba",  // ㄩ
    "\xa3\xab",  // ㄚ
    "\xa3\xac",  // ㄛ
    "\xa3\xad",  // ㄜ
    "\xa3\xae",  // ㄝ
    "\xa3\xaf",  // ㄞ
    "\xa3\xb0",  // ㄟ
    "\xa3\xb1",  // ㄠ
    "\xa3\xb2",  // ㄡ
    "\xa3\xb3",  // ㄢ
    "\xa3\xb4",  // ㄣ
    "\xa3\xb5",  // ㄤ
    "\xa3\xb6",  // ㄥ
    "\xa3\xb7",  // ㄦ
    "\xa3\xbc",  // ˉ
    "\xa3\xbd",  // ˊ
    "\xa3\xbe",  // ˇ
    "\xa3\xbf",  // ˋ
    "\xa3\xbb",  // ˙
};

// Radical root codes 1-26 of the Changjie and Quick input methods (entry 0 is code 1).
inline constexpr std::array<std::string_view, 26> RadicalSymbolTable = {
    "\xa4\xe9",  // 日
    "\xa4\xeb",  // 月
    "\xaa\xf7",  // 金
    "\xa4\xec",  // 木
    "\xa4\xf4",  // 水
    "\xa4\xf5",  // 火
    "\xa4\x67",  // 土
    "\xa6\xcb",  // 竹
    "\xa4\xe0",  // 戈
    "\xa4\x51",  // 十
    "\xa4\x6a",  // 大
    "\xa4\xa4",  // 中
    "\xa4\x40",  // 一
    "\xa4\x7d",  // 弓
    "\xa4\x48",  // 人
    "\xa4\xdf",  // 心
    "\xa4\xe2",  // 手
    "\xa4\x66",  // 口
    "\xa4\x72",  // 尸
    "\xa4\xdc",  // 廿
    "\xa4\x73",  // 山
    "\xa4\x6b",  // 女
    "\xa5\xd0",  // 田
    "\xc3\xf8",  // 難
    "\xa4\x52",  // 卜
    "\xad\xab",  // 重
};

// The symbol a root byte names in a table, or nullopt when the byte, taken as a signed byte,
// is not one of the table's codes (0, negative and too large values hold no root).
template <std::size_t N>
constexpr std::optional<std::string_view> RootSymbol(const std::array<std::string_view, N>& table,
                                                     std::uint8_t root_byte) {
  const auto code = static_cast<std::int8_t>(root_byte);
  if (code < 1 || static_cast<std::size_t>(code) > N) return std::nullopt;
  return table[static_cast<std::size_t>(code) - 1];
}

}  // namespace pictor
