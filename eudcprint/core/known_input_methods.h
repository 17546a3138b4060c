// Keyboard-layout handles of the Traditional-Chinese input methods and their column titles.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "fixed_text.h"

namespace pictor {

inline constexpr std::uint32_t kPhoneticHkl = 0xE0010404;
inline constexpr std::uint32_t kChangjieHkl = 0xE0020404;
inline constexpr std::uint32_t kQuickHkl = 0xE0030404;

struct KnownInputMethod {
  std::uint32_t hkl;
  std::string_view title;  // code page 950, fits a 32-byte field with its terminator
};

inline constexpr std::size_t kInputMethodTitleSize = 32;

inline constexpr std::array<KnownInputMethod, 7> KnownInputMethodTable = {{
    {0xE0010404, "\xaa\x60\xad\xb5"},          // 注音
    {0xE0020404, "\xad\xdc\xbe\x65"},          // 倉頡
    {0xE0030404, "\xb3\x74\xa6\xa8"},          // 速成
    {0xE0080404, "\xb7\x73\xaa\x60\xad\xb5"},  // 新注音
    {0xE0090404, "\xb7\x73\xad\xdc\xbe\x65"},  // 新倉頡
    {0xE0050404, "\xa6\xe6\xa6\x43"},          // 行列
    {0xE0060404, "\xa4\x6a\xa9\xf6"},          // 大易
}};

// The column title of a known input method, held in its 32-byte field.
inline std::optional<FixedText<kInputMethodTitleSize>> KnownInputMethodTitle(std::uint32_t hkl) {
  for (const KnownInputMethod& row : KnownInputMethodTable) {
    if (row.hkl == hkl) return FixedText<kInputMethodTitleSize>(row.title);
  }
  return std::nullopt;
}

}  // namespace pictor
