#pragma once

#include <string>
#include <string_view>

namespace quillon {

inline constexpr char16_t kReplacementCharacter = u'\uFFFD';

constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// A name or path as rows and log lines show it: a surrogate without its other half, and a line
// break, become U+FFFD. A lone surrogate stands for a byte that is not valid UTF-8 in a POSIX name,
// or is an unpaired surrogate in a Windows name; shown as it is, it would make the log invalid
// UTF-16. A line break (which a POSIX name may hold) would split the log's record. Renames keep
// using the name itself.
std::u16string ShownText(std::u16string_view text);

}  // namespace quillon
