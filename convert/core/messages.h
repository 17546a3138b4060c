#pragma once
// Texts the library shows to the user, in UTF-8.

#include <string_view>

namespace tessel::messages {

inline constexpr std::string_view kOutOfMemoryCaption = "Zentavo轉碼程式 - 動態連結檔";
inline constexpr std::string_view kOutOfMemoryText = "記憶體不足，無法載入完整的轉碼 Table ！";

}  // namespace tessel::messages
