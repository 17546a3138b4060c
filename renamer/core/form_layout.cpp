#include "form_layout.h"

#include <array>

namespace quillon {
namespace {

constexpr FontSpec kFormFont{"Verdana", -12};
constexpr FontSpec kListFont{"MS Sans Serif", -11};
constexpr FontSpec kLabelFont{"Verdana", -11};

constexpr std::array<RadioItem, 2> kDirectionItems = {{
    {kIdRgDirForward, "IDC_RGDIR_ITEM0", TextId::kDirectionForward},
    {kIdRgDirReverse, "IDC_RGDIR_ITEM1", TextId::kDirectionReverse},
}};
constexpr std::array<RadioItem, 2> kScopeItems = {{
    {kIdRgpFolderAllDisks, "IDC_RGPFOLDER_ITEM0", TextId::kScopeAllDisks},
    {kIdRgpFolderOneFolder, "IDC_RGPFOLDER_ITEM1", TextId::kScopeOneFolder},
}};
constexpr std::array<ListColumn, 3> kLogColumns = {{
    {TextId::kColumnBefore, 100},
    {TextId::kColumnAfter, 100},
    {TextId::kColumnFolder, 225},
}};

// clang-format off
constexpr std::array<ControlSpec, 9> kControls = {{
    // name, id, symbol, kind, rectangle, text, radio items, columns, font, properties, event
    {"rgDir", kIdRgDir, "IDC_RGDIR", ControlKind::kRadioGroup, {8, 112, 249, 65},
     TextId::kDirectionCaption, kDirectionItems, {}, std::nullopt, 0, ControlEvent::kNone},
    {"rgpFolder", kIdRgpFolder, "IDC_RGPFOLDER", ControlKind::kRadioGroup, {8, 8, 449, 97},
     TextId::kScopeCaption, kScopeItems, {}, std::nullopt, 0, ControlEvent::kNone},
    {"edtHD", kIdEdtHD, "IDC_EDTHD", ControlKind::kEdit, {104, 34, 297, 20},
     TextId::kNone, {}, {}, std::nullopt, kReadOnly | kFlatBorder | kButtonFaceBackground | kEightBitText,
     ControlEvent::kEnter},
    {"edtPath", kIdEdtPath, "IDC_EDTPATH", ControlKind::kEdit, {104, 72, 297, 22},
     TextId::kNone, {}, {}, std::nullopt, 0, ControlEvent::kEnter},
    {"btnBrowser", kIdBtnBrowser, "IDC_BTNBROWSER", ControlKind::kButton, {408, 72, 41, 25},
     TextId::kBrowse, {}, {}, std::nullopt, 0, ControlEvent::kClick},
    {"btnStart", kIdBtnStart, "IDC_BTNSTART", ControlKind::kButton, {268, 116, 75, 25},
     TextId::kStart, {}, {}, std::nullopt, 0, ControlEvent::kClick},
    {"lvLog", kIdLvLog, "IDC_LVLOG", ControlKind::kListView, {8, 184, 449, 137},
     TextId::kNone, {}, kLogColumns, kListFont, kReadOnly | kWholeRowSelect | kHeadersNotClickable,
     ControlEvent::kNone},
    {"btnStop", kIdBtnStop, "IDC_BTNSTOP", ControlKind::kButton, {358, 116, 75, 25},
     TextId::kStop, {}, {}, std::nullopt, kDisabledAtStart, ControlEvent::kClick},
    {"lblNow", kIdLblNow, "IDC_LBLNOW", ControlKind::kLabel, {270, 150, 187, 25},
     TextId::kNone, {}, {}, kLabelFont, kFixedSize | kWordWrap | kTakesNoFocus, ControlEvent::kNone},
}};

constexpr WindowSpec kMainWindow{
    .name = "Form1",
    .class_name = "TForm1",
    .caption = TextId::kCaption,
    .client_width = 464,
    .client_height = 334,
    .fixed_border = true,
    .system_menu = true,
    .minimize_box = true,
    .maximize_box = false,
    .centred = true,
    .button_face_background = true,
    .font = kFormFont,
    .controls = kControls,
};
// clang-format on

}  // namespace

const WindowSpec& MainWindow() { return kMainWindow; }

const ControlSpec* FindControl(int id) {
  for (const ControlSpec& control : kControls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

std::vector<PixelRect> RadioItemRects(int group_width, int group_height, int item_count, int caption_height) {
  std::vector<PixelRect> rects;
  if (item_count <= 0) return rects;
  // Items from 8 pixels in to 2 short of the right edge, below the caption line, 5 pixels kept free
  // at the bottom.
  constexpr int kItemLeft = 8;
  constexpr int kRightGap = 2;
  constexpr int kBottomGap = 5;
  const int room = group_height - caption_height - kBottomGap;
  const int item_height = room / item_count;
  const int top = caption_height + 1 + (room % item_count) / 2;
  for (int i = 0; i < item_count; ++i) {
    rects.push_back({kItemLeft, top + i * item_height, group_width - kItemLeft - kRightGap, item_height});
  }
  return rects;
}

}  // namespace quillon
