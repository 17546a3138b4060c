#include "dialog_templates.h"

#include <array>

#include "ascii.h"
#include "cp950_text.h"
#include "shell_resources.h"
#include "string_table.h"

namespace pictor {
namespace {

constexpr std::string_view kDialogFont = "\xb7\x73\xb2\xd3\xa9\xfa\xc5\xe9";  // 新細明體
constexpr int kDialogPointSize = 9;
constexpr int kToolbarPointSize = 8;
// A modal dialog with a caption and a close box.
constexpr std::uint32_t kModalDialogStyle = kDsModalFrame | kWsPopup | kWsCaption | kWsSysMenu;

constexpr std::array<ControlTemplate, 4> kFontSettingControls = {{
    {kIdOk, ControlClass::kButton, kBsDefPushButton | kWsTabStop, kOkText, {167, 15, 40, 14}},
    {kIdCancel, ControlClass::kButton, kBsPushButton | kWsTabStop, kCancelText, {167, 35, 40, 14}},
    {kIdAssociationList,
     ControlClass::kListBox,
     kLbsOwnerDrawFixed | kLbsNotify | kLbsSort | kWsVScroll | kWsBorder | kLbsNoIntegralHeight | kWsTabStop,
     "",
     {14, 19, 142, 57}},
    {kNoControlId, ControlClass::kStatic, kSsLeft, "\xa6\x72\xa7\xce\xa1\x47", {15, 9, 50, 8}},  // 字形：
}};

constexpr DialogTemplate kFontSetting{kFontSettingDialogId,
                                      kModalDialogStyle,
                                      "\xb3\x5d\xa9\x77\xa6\x72\xa7\xce",  // 設定字形
                                      221,
                                      82,
                                      kDialogFont,
                                      kDialogPointSize,
                                      kFontSettingControls};

constexpr std::array<ControlTemplate, 13> kPrintRangeControls = {{
    {kIdOk, ControlClass::kButton, kBsDefPushButton | kWsTabStop, kOkText, {75, 74, 50, 14}},
    {kIdCancel, ControlClass::kButton, kBsPushButton | kWsTabStop, kCancelText, {130, 74, 50, 14}},
    // 標註輸入法字根
    {kNoControlId,
     ControlClass::kStatic,
     kSsLeft,
     "\xbc\xd0\xb5\xf9\xbf\xe9\xa4\x4a\xaa\x6b\xa6\x72\xae\xda",
     {181, 6, 56, 8}},
    {kIdInputMethodList,
     ControlClass::kListBox,
     kLbsMultipleSel | kLbsNotify | kWsVScroll | kWsBorder | kWsTabStop,
     "",
     {178, 16, 66, 62}},
    {kNoControlId,
     ControlClass::kButton,
     kBsGroupBox,
     "\xa6\x43\xa6\x4c\xbd\x64\xb3\xf2",
     {7, 10, 168, 58}},  // 列印範圍
    {kIdPrintAll,
     ControlClass::kButton,
     kBsAutoRadioButton | kWsGroup | kWsTabStop,
     "\xa5\xfe\xb3\xa1(&A)",
     {14, 22, 40, 10}},                                                                                    // 全部(&A)
    {kIdPrintCodes, ControlClass::kButton, kBsAutoRadioButton, "\xa6\x72\xbd\x58(&D)", {14, 35, 40, 10}},  // 字碼(&D)
    {kNoControlId, ControlClass::kStatic, kSsLeft, "\xb1\x71(&F):", {54, 36, 20, 8}},                      // 從(&F):
    {kIdStartCode,
     ControlClass::kEdit,
     kEsCenter | kEsUppercase | kEsAutoHScroll | kWsBorder | kWsTabStop,
     "",
     {73, 33, 36, 14}},
    {kNoControlId, ControlClass::kStatic, kSsLeft, "\xa8\xec(&T):", {112, 36, 20, 8}},  // 到(&T):
    {kIdEndCode,
     ControlClass::kEdit,
     kEsCenter | kEsUppercase | kEsAutoHScroll | kWsBorder | kWsTabStop,
     "",
     {132, 33, 36, 14}},
    {kNoControlId, ControlClass::kStatic, kSsRight, "\xbd\x64\xb3\xf2(&R)\xa1\x47", {57, 53, 42, 8}},  // 範圍(&R)：
    {kIdRangeList, ControlClass::kComboBox, kCbsDropDownList | kWsVScroll | kWsTabStop, "", {100, 50, 67, 52}},
}};

constexpr DialogTemplate kPrintRange{kPrintRangeDialogId,
                                     kModalDialogStyle,
                                     "\xb3\x5d\xa9\x77\xa6\x43\xa6\x4c\xbd\x64\xb3\xf2",  // 設定列印範圍
                                     250,
                                     93,
                                     kDialogFont,
                                     kDialogPointSize,
                                     kPrintRangeControls};

constexpr std::array<ControlTemplate, 7> kPrintingBoxControls = {{
    {kNoControlId, ControlClass::kStatic, kSsCenter, "\xa6\x43\xa6\x4c", {0, 8, 133, 8}},  // 列印
    {kIdPrintingDocument, ControlClass::kStatic, kSsCenter, "", {0, 18, 133, 8}},
    {kNoControlId, ControlClass::kStatic, kSsCenter, "\xa8\xec", {0, 28, 133, 8}},  // 到
    {kIdPrintingPrinter, ControlClass::kStatic, kSsCenter, "", {0, 38, 133, 8}},
    {kIdPrintingPort, ControlClass::kStatic, kSsCenter, "", {0, 48, 133, 8}},
    {kIdPrintingPage, ControlClass::kStatic, kSsCenter, "", {0, 58, 133, 8}},
    {kIdCancel, ControlClass::kButton, kBsDefPushButton | kWsTabStop, kCancelText, {46, 72, 40, 14}},
}};

constexpr DialogTemplate kPrintingBox{
    kPrintingBoxId,   kModalDialogStyle,   LoadStringResource(kApplicationTitleId), 133, 92, kDialogFont,
    kDialogPointSize, kPrintingBoxControls};

// Seven buttons of 44 x 12 in a row, 2 apart.
constexpr DialogUnitRect ToolbarButton(int position) { return {2 + 46 * position, 2, 44, 12}; }

constexpr std::array<ControlTemplate, 7> kPreviewToolbarControls = {{
    {ID_PREVIEW_PRINT, ControlClass::kButton, kBsPushButton, "\xa6\x43\xa6\x4c(&P)...",
     ToolbarButton(0)},  // 列印(&P)...
    {ID_PREVIEW_NEXT, ControlClass::kButton, kBsPushButton, "\xa4\x55\xa4\x40\xad\xb6(&N)",
     ToolbarButton(1)},  // 下一頁(&N)
    {ID_PREVIEW_PREV, ControlClass::kButton, kBsPushButton, "\xa4\x57\xa4\x40\xad\xb6(&V)",
     ToolbarButton(2)},  // 上一頁(&V)
    {ID_PREVIEW_NUMPAGE, ControlClass::kButton, kBsPushButton, LoadStringResource(kPreviewTwoPagesId),
     ToolbarButton(3)},
    {ID_PREVIEW_ZOOMIN, ControlClass::kButton, kBsPushButton, "\xa9\xd4\xaa\xf1(&I)", ToolbarButton(4)},   // 拉近(&I)
    {ID_PREVIEW_ZOOMOUT, ControlClass::kButton, kBsPushButton, "\xa9\xd4\xbb\xb7(&O)", ToolbarButton(5)},  // 拉遠(&O)
    {ID_PREVIEW_CLOSE, ControlClass::kButton, kBsPushButton, "\xc3\xf6\xb3\xac(&C)", ToolbarButton(6)},    // 關閉(&C)
}};

constexpr DialogTemplate kPreviewToolbar{kPreviewToolbarId,      kWsChild, "", 326, 16, kDialogFont, kToolbarPointSize,
                                         kPreviewToolbarControls};

constexpr std::array<const DialogTemplate*, 4> kDialogs = {&kFontSetting, &kPrintRange, &kPrintingBox,
                                                           &kPreviewToolbar};

int MulDiv(int value, int numerator, int denominator) {
  // Rounded to the nearest, as the platform's MulDiv.
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

const DialogTemplate& FontSettingDialogTemplate() { return kFontSetting; }

const DialogTemplate& PrintRangeDialogTemplate() { return kPrintRange; }

const DialogTemplate& PrintingBoxTemplate() { return kPrintingBox; }

const DialogTemplate& PreviewToolbarTemplate() { return kPreviewToolbar; }

std::span<const DialogTemplate* const> DialogTemplates() { return kDialogs; }

const ControlTemplate* FindControl(const DialogTemplate& dialog, int id) {
  if (id == kNoControlId) return nullptr;
  for (const ControlTemplate& control : dialog.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

PixelBox ToPixels(const DialogUnitRect& rect, DialogBaseUnits units) {
  return {MulDiv(rect.x, units.x, 4), MulDiv(rect.y, units.y, 8), MulDiv(rect.width, units.x, 4),
          MulDiv(rect.height, units.y, 8)};
}

int AverageCharWidth(int width_of52_letters) { return (width_of52_letters / 26 + 1) / 2; }

std::optional<char> AcceleratorOf(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); i += Cp950CharLength(text, i)) {
    if (Cp950CharLength(text, i) != 1 || text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;  // "&&" is an ampersand
      continue;
    }
    return AsciiUpper(text[i + 1]);
  }
  return std::nullopt;
}

}  // namespace pictor
