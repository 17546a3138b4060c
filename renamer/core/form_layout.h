#pragma once

// The window as data: its facts, and every control in tab order with its id, kind, text, pixel
// rectangle at 96 dpi (left, top, width, height of the client area), font and properties. Every
// front end builds the window from these tables; the resource tool writes the ids into
// resource.h.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "form_texts.h"

namespace quillon {

enum class ControlKind {
  kRadioGroup,  // a captioned group box holding one column of radio items, one of them selected
  kEdit,
  kButton,
  kListView,  // report view: column headers over rows of text
  kLabel,
};

// What a control tells the form model.
enum class ControlEvent {
  kNone,
  kEnter,  // it gets the focus, for whatever reason: a click (also the one that activates the
           // window), Tab, or the program
  kClick,
};

// Properties beyond the kind.
enum ControlProperty : std::uint32_t {
  kReadOnly = 1u << 0,
  kFlatBorder = 1u << 1,
  kButtonFaceBackground = 1u << 2,  // the system's button-face colour instead of the window colour
  kDisabledAtStart = 1u << 3,
  kWordWrap = 1u << 4,
  kFixedSize = 1u << 5,
  kTakesNoFocus = 1u << 6,
  kEightBitText = 1u << 7,  // holds text of the system's 8-bit code page; otherwise UTF-16
  kWholeRowSelect = 1u << 8,
  kHeadersNotClickable = 1u << 9,
};

// The screen resolution at which the tables' pixels are meant; a front end on a screen of another
// resolution scales them.
inline constexpr int kLayoutPixelsPerInch = 96;

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A font by face and height in the platform's terms: a negative height is the character height in
// pixels (-12 is 9 point at 96 dpi).
struct FontSpec {
  std::string_view face;
  int height;
};

struct RadioItem {
  int id;
  std::string_view symbol;
  TextId text;
};

struct ListColumn {
  TextId title;
  int width;  // pixels
};

inline constexpr int kSelectedAtStart = 0;  // the radio item selected when the window opens

struct ControlSpec {
  std::string_view name;  // the control's name in the program: rgDir, edtHD...
  int id;
  std::string_view symbol;  // its name in resource.h
  ControlKind kind;
  PixelRect rect;
  TextId text;  // caption or button text
  std::span<const RadioItem> items;
  std::span<const ListColumn> columns;
  std::optional<FontSpec> font;  // none: the window's
  std::uint32_t properties;
  ControlEvent event;
};

struct WindowSpec {
  std::string_view name;        // Form1
  std::string_view class_name;  // TForm1
  TextId caption;
  int client_width;  // pixels at 96 dpi
  int client_height;
  bool fixed_border;  // cannot be resized
  bool system_menu;
  bool minimize_box;
  bool maximize_box;
  bool centred;                 // opens in the middle of the screen
  bool button_face_background;  // the system's button-face colour
  FontSpec font;
  std::span<const ControlSpec> controls;  // in tab order
};

// Control ids, as resource.h numbers them.
inline constexpr int kIdRgDir = 1001;
inline constexpr int kIdRgDirForward = 1002;
inline constexpr int kIdRgDirReverse = 1003;
inline constexpr int kIdRgpFolder = 1004;
inline constexpr int kIdRgpFolderAllDisks = 1005;
inline constexpr int kIdRgpFolderOneFolder = 1006;
inline constexpr int kIdEdtHD = 1007;
inline constexpr int kIdEdtPath = 1008;
inline constexpr int kIdBtnBrowser = 1009;
inline constexpr int kIdBtnStart = 1010;
inline constexpr int kIdLvLog = 1011;
inline constexpr int kIdBtnStop = 1012;
inline constexpr int kIdLblNow = 1013;

// The items of the two groups.
inline constexpr int kDirectionForwardItem = 0;  // 使用者造字區 → 假名及漢字區
inline constexpr int kDirectionReverseItem = 1;
inline constexpr int kScopeAllDisksItem = 0;   // 所有硬碟
inline constexpr int kScopeOneFolderItem = 1;  // 指定路徑

const WindowSpec& MainWindow();

// The control of that id, or null.
const ControlSpec* FindControl(int id);

// Where a radio group's items lie inside it, in one column as the platform's radio group control
// puts them: they share the height below the caption equally, the rest of the division split
// above and below them. `caption_height` is the height of a line of the group's font.
std::vector<PixelRect> RadioItemRects(int group_width, int group_height, int item_count, int caption_height);

}  // namespace quillon
