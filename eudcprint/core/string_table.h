// pictor's string table (language 1028): the texts it loads by number, in code page 950.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace pictor {

inline constexpr std::uint16_t kSystemDefaultValueNameId = 1001;
inline constexpr std::uint16_t kSystemDefaultNameId = 1002;
inline constexpr std::uint16_t kDefaultFaceNameId = 1003;
inline constexpr std::uint16_t kApplicationTitleId = 57344;
inline constexpr std::uint16_t kNotEudcCodeId = 61446;
inline constexpr std::uint16_t kStartCodeIncompleteId = 61447;
inline constexpr std::uint16_t kEndCodeIncompleteId = 61448;
inline constexpr std::uint16_t kStartAfterEndId = 61449;
inline constexpr std::uint16_t kNoAssociationId = 61450;

struct StringResource {
    std::uint16_t id;
    std::string_view text;
};

inline constexpr std::array<StringResource, 9> StringTable = {{
    {kSystemDefaultValueNameId, "SystemDefaultEUDCFont"},
    {kSystemDefaultNameId, "\xbc\xd0\xb7\xc7\xb3\x79\xa6\x72"},  // 標準造字
    {kDefaultFaceNameId, "\xb2\xd3\xa9\xfa\xc5\xe9"},            // 細明體
    {kApplicationTitleId, "\xa6\x43\xa6\x4c\xb5\x7b\xa6\xa1"},   // 列印程式
    // 不是正確的外字字碼！
    {kNotEudcCodeId, "\xa4\xa3\xac\x4f\xa5\xbf\xbd\x54\xaa\xba\xa5\x7e\xa6\x72\xa6\x72\xbd\x58\xa1\x49"},
    // 起始碼輸入尚未完成！
    {kStartCodeIncompleteId, "\xb0\x5f\xa9\x6c\xbd\x58\xbf\xe9\xa4\x4a\xa9\x7c\xa5\xbc\xa7\xb9\xa6\xa8\xa1\x49"},
    // 結束碼輸入尚未完成！
    {kEndCodeIncompleteId, "\xb5\xb2\xa7\xf4\xbd\x58\xbf\xe9\xa4\x4a\xa9\x7c\xa5\xbc\xa7\xb9\xa6\xa8\xa1\x49"},
    // 起始碼大於結束碼！
    {kStartAfterEndId, "\xb0\x5f\xa9\x6c\xbd\x58\xa4\x6a\xa9\xf3\xb5\xb2\xa7\xf4\xbd\x58\xa1\x49"},
    // 沒有任何造字檔關聯設定！
    {kNoAssociationId,
     "\xa8\x53\xa6\xb3\xa5\xf4\xa6\xf3\xb3\x79\xa6\x72\xc0\xc9\xc3\xf6\xc1\x70\xb3\x5d\xa9\x77\xa1\x49"},
}};

// The text of a string; empty for a number the table lacks.
constexpr std::string_view LoadStringResource(std::uint16_t id) {
    for (const StringResource& entry : StringTable) {
        if (entry.id == id) return entry.text;
    }
    return {};
}

}  // namespace pictor
