// pictor's string table (language 1028): the texts it loads by number, in code page 950.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace pictor {

inline constexpr std::uint16_t kDocumentStringId = 128;
inline constexpr std::uint16_t kSystemDefaultValueNameId = 1001;
inline constexpr std::uint16_t kSystemDefaultNameId = 1002;
inline constexpr std::uint16_t kDefaultFaceNameId = 1003;
inline constexpr std::uint16_t kApplicationTitleId = 57344;
inline constexpr std::uint16_t kUntitledDocumentId = 61443;
inline constexpr std::uint16_t kNotEudcCodeId = 61446;
inline constexpr std::uint16_t kStartCodeIncompleteId = 61447;
inline constexpr std::uint16_t kEndCodeIncompleteId = 61448;
inline constexpr std::uint16_t kStartAfterEndId = 61449;
inline constexpr std::uint16_t kNoAssociationId = 61450;
inline constexpr std::uint16_t kPrintingPortId = 61504;
inline constexpr std::uint16_t kPreviewOnePageId = 61505;
inline constexpr std::uint16_t kPreviewTwoPagesId = 61506;
inline constexpr std::uint16_t kPrintingPageId = 61507;
inline constexpr std::uint16_t kPreviewPageDescriptionId = 61508;
inline constexpr std::uint16_t kPrintToFileExtensionId = 61509;
inline constexpr std::uint16_t kPrintToFileNameId = 61510;
inline constexpr std::uint16_t kPrintToFileFilterId = 61511;
inline constexpr std::uint16_t kPrintToFileCaptionId = 61512;
inline constexpr std::uint16_t kPrintingToFileId = 61513;
inline constexpr std::uint16_t kTitleLineFormatId = 62000;
inline constexpr std::uint16_t kPageNumberFormatId = 62001;
inline constexpr std::uint16_t kCodeCaptionId = 62002;

struct StringResource {
  std::uint16_t id;
  std::string_view text;
};

inline constexpr std::array<StringResource, 24> kStringTable = {{
    // The document's fields: window title, document name, new-file name, filter name, extension,
    // file-type id and file-type name.
    {kDocumentStringId, "\xa6\x43\xa6\x4c\xb5\x7b\xa6\xa1\n\nPictor\n\n\nPictor.Document\nPictor Document"},
    {kSystemDefaultValueNameId, "SystemDefaultEUDCFont"},
    {kSystemDefaultNameId, "\xbc\xd0\xb7\xc7\xb3\x79\xa6\x72"},  // 標準造字
    {kDefaultFaceNameId, "\xb2\xd3\xa9\xfa\xc5\xe9"},            // 細明體
    {kApplicationTitleId, "\xa6\x43\xa6\x4c\xb5\x7b\xa6\xa1"},   // 列印程式
    {kUntitledDocumentId, "\xa6\xdb\xb3\x79\xa6\x72"},           // 自造字
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
    {kPrintingPortId, "\xa9\xf3 %1"},              // 於 %1
    {kPreviewOnePageId, "\xa4\x40\xad\xb6(&P)"},   // 一頁(&P)
    {kPreviewTwoPagesId, "\xa8\xe2\xad\xb6(&T)"},  // 兩頁(&T)
    {kPrintingPageId, "\xb2\xc4 %u \xad\xb6"},     // 第 %u 頁
    // 第 %u 頁\n第 %u 到 %u 頁\n: one page, and a page range
    {kPreviewPageDescriptionId, "\xb2\xc4 %u \xad\xb6\n\xb2\xc4 %u \xa8\xec %u \xad\xb6\n"},
    {kPrintToFileExtensionId, "prn"},
    {kPrintToFileNameId, "Output.prn"},
    {kPrintToFileFilterId, "Printer Files (*.prn)|*.prn|All Files (*.*)|*.*||"},
    {kPrintToFileCaptionId, "\xa6\x43\xa6\x4c\xa6\xdc\xc0\xc9\xae\xd7"},  // 列印至檔案
    {kPrintingToFileId, "to %1"},
    // 字型：%s        外字檔案：%s (eight spaces between the two fields)
    {kTitleLineFormatId, "\xa6\x72\xab\xac\xa1\x47%s        \xa5\x7e\xa6\x72\xc0\xc9\xae\xd7\xa1\x47%s"},
    {kPageNumberFormatId, "\xb2\xc4 %d \xad\xb6"},  // 第 %d 頁
    {kCodeCaptionId, "\xa4\xba\xbd\x58"},           // 內碼
}};

// The text of a string; empty for a number the table lacks. Every text is a literal, so its
// data() is zero-terminated and may serve as a format.
constexpr std::string_view LoadStringResource(std::uint16_t id) {
  for (const StringResource& entry : kStringTable) {
    if (entry.id == id) return entry.text;
  }
  return {};
}

}  // namespace pictor
