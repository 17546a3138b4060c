#pragma once
// UTF-16 text as UTF-8, for printing names and for the posix adapter's paths.

#include <string>
#include <string_view>

namespace quillon {

// Appends one code point in UTF-8.
void AppendUtf8(std::string& out, char32_t code_point);

// Surrogate pairs join; a lone surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

}  // namespace quillon
