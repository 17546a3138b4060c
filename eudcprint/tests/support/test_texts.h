// Code page 950 names the tests use, written out byte by byte here rather than taken from the
// string table, so that a wrong byte in the program's own texts shows as a failure.
#pragma once

#include <string_view>

namespace pictor::testing {

inline constexpr std::string_view kMing = "\xb2\xd3\xa9\xfa\xc5\xe9";                   // 細明體
inline constexpr std::string_view kKai = "\xbc\xd0\xb7\xa2\xc5\xe9";                    // 標楷體
inline constexpr std::string_view kNewMing = "\xb7\x73\xb2\xd3\xa9\xfa\xc5\xe9";        // 新細明體
inline constexpr std::string_view kSystemDefault = "\xbc\xd0\xb7\xc7\xb3\x79\xa6\x72";  // 標準造字

}  // namespace pictor::testing
