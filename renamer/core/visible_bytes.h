#pragma once

#include <string>
#include <string_view>

namespace quillon {

// 8-bit text quoted in a message so that a reader sees every byte whatever the code page: printable
// ASCII stays, a backslash becomes "\\", and every other byte (control bytes, a zero byte, a
// byte-order mark, bytes of other code pages) becomes "\xHH". The result holds no zero byte, so
// the message is never cut short.
std::string VisibleBytes(std::string_view bytes);

}  // namespace quillon
