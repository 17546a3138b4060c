// The layouts of pictor's two dialogs as data, the way a dialog resource holds them: caption,
// size and font, then every control in tab order with its id, class, styles, text (code page 950,
// "&" before the accelerator letter) and rectangle in dialog units. Every front end builds its
// windows from these tables. Style bits have the platform's values (the Windows adapter checks
// them against its headers).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace pictor {

// Window styles.
inline constexpr std::uint32_t kWsPopup = 0x80000000;
inline constexpr std::uint32_t kWsChild = 0x40000000;
inline constexpr std::uint32_t kWsCaption = 0x00C00000;
inline constexpr std::uint32_t kWsSysMenu = 0x00080000;
inline constexpr std::uint32_t kWsTabStop = 0x00010000;
inline constexpr std::uint32_t kWsGroup = 0x00020000;
inline constexpr std::uint32_t kWsVScroll = 0x00200000;
inline constexpr std::uint32_t kWsBorder = 0x00800000;
// Dialogs.
inline constexpr std::uint32_t kDsModalFrame = 0x80;
// Buttons.
inline constexpr std::uint32_t kBsPushButton = 0x0;
inline constexpr std::uint32_t kBsDefPushButton = 0x1;
inline constexpr std::uint32_t kBsGroupBox = 0x7;
inline constexpr std::uint32_t kBsAutoRadioButton = 0x9;
inline constexpr std::uint32_t kBsTypeMask = 0xF;
// Static texts.
inline constexpr std::uint32_t kSsLeft = 0x0;
inline constexpr std::uint32_t kSsCenter = 0x1;
inline constexpr std::uint32_t kSsRight = 0x2;
inline constexpr std::uint32_t kSsAlignMask = 0x3;
// Edits.
inline constexpr std::uint32_t kEsCenter = 0x1;
inline constexpr std::uint32_t kEsUppercase = 0x8;
inline constexpr std::uint32_t kEsAutoHScroll = 0x80;
// List boxes.
inline constexpr std::uint32_t kLbsNotify = 0x1;
inline constexpr std::uint32_t kLbsSort = 0x2;
inline constexpr std::uint32_t kLbsMultipleSel = 0x8;
inline constexpr std::uint32_t kLbsOwnerDrawFixed = 0x10;
inline constexpr std::uint32_t kLbsNoIntegralHeight = 0x100;
// Combo boxes.
inline constexpr std::uint32_t kCbsDropDownList = 0x3;

enum class ControlClass {
  kButton,  // push buttons, radio buttons, group boxes (by kBsTypeMask)
  kStatic,
  kEdit,
  kListBox,
  kComboBox,
};

inline constexpr int kNoControlId = -1;  // labels and frames the program never addresses

struct DialogUnitRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct ControlTemplate {
  int id;
  ControlClass control_class;
  std::uint32_t style;
  std::string_view text;
  DialogUnitRect rect;
};

struct DialogTemplate {
  int id;
  std::uint32_t style;
  std::string_view caption;
  int width;  // dialog units
  int height;
  std::string_view font_face;
  int point_size;
  std::span<const ControlTemplate> controls;  // in tab order
};

// Control ids.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAssociationList = 103;
inline constexpr int kIdInputMethodList = 1101;
inline constexpr int kIdRangeList = 1201;
inline constexpr int kIdStartCode = 1401;
inline constexpr int kIdEndCode = 1402;
inline constexpr int kIdPrintAll = 1601;
inline constexpr int kIdPrintCodes = 1602;

// The printing box's lines: the document, the printer, its port and the page in hand.
inline constexpr int kIdPrintingDocument = 201;
inline constexpr int kIdPrintingPrinter = 202;
inline constexpr int kIdPrintingPort = 203;
inline constexpr int kIdPrintingPage = 204;

inline constexpr std::string_view kOkText = "\xbd\x54\xa9\x77";  // 確定, also the OK of message boxes
// 取消: the Cancel of both dialogs and of the printing box.
inline constexpr std::string_view kCancelText = "\xa8\xfa\xae\xf8";

inline constexpr int kFontSettingDialogId = 130;
inline constexpr int kPrintRangeDialogId = 131;
inline constexpr int kPrintingBoxId = 30722;
inline constexpr int kPreviewToolbarId = 30723;

const DialogTemplate& FontSettingDialogTemplate();
const DialogTemplate& PrintRangeDialogTemplate();
// The box shown while a job prints; its caption is the application's title.
const DialogTemplate& PrintingBoxTemplate();
// The preview's toolbar: its buttons from the left, a child strip above the pages.
const DialogTemplate& PreviewToolbarTemplate();
// Every dialog of the program, as its resources hold them.
std::span<const DialogTemplate* const> DialogTemplates();

// The control of that id, or null.
const ControlTemplate* FindControl(const DialogTemplate& dialog, int id);

// Dialog units to pixels with the dialog font's base units: the average width of "A"-"Z" and
// "a"-"z" and the height of a line, in pixels (as MapDialogRect).
struct DialogBaseUnits {
  int x;
  int y;
};

struct PixelBox {
  int x;
  int y;
  int width;
  int height;
  friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

PixelBox ToPixels(const DialogUnitRect& rect, DialogBaseUnits units);

// The average character width from the width of the 52 letters, rounded as Windows does.
int AverageCharWidth(int width_of52_letters);

// The letter after "&" in a control text (upper-cased), or nothing.
std::optional<char> AcceleratorOf(std::string_view text);

}  // namespace pictor
