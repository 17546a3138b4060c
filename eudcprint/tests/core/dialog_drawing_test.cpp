// How the dialogs are drawn: the association items' looks and positions, dialog units in pixels,
// and code page 950 fields cut between characters.
#include <gtest/gtest.h>

#include "core/association_item.h"
#include "core/dialog_templates.h"
#include "core/fixed_text.h"

namespace pictor {
namespace {

TEST(AssociationItemLook, TheSelectedItemIsHighlightedWhateverTheRequest) {
  for (const ItemDrawAction action :
       {ItemDrawAction::kDrawEntire, ItemDrawAction::kSelectionChanged, ItemDrawAction::kFocusChanged}) {
    for (const bool focused : {false, true}) {
      for (const bool disabled : {false, true}) {
        EXPECT_EQ(LookOf(action, {true, focused, disabled}), ItemLook::kHighlighted)
            << static_cast<int>(action) << focused << disabled;
        EXPECT_EQ(LookOf(action, {false, focused, disabled}), ItemLook::kNormal)
            << static_cast<int>(action) << focused << disabled;
      }
    }
  }
}

TEST(AssociationItemLook, PlacesBitmapNameAndRightAlignedLabel) {
  EudcAssociation association;
  association.displayName.Assign("\xb2\xd3\xa9\xfa\xc5\xe9");  // 細明體
  association.eudcFilePath.Assign("C:\\WINDOWS\\FONTS\\mingliu.tte");
  const PixelRect rect{0, 40, 284, 60};

  const ItemPainting normal = PaintAssociationItem(association, ItemLook::kNormal, {}, rect, 12, 50);
  EXPECT_EQ(normal.background, kWhite);
  EXPECT_EQ(normal.bitmap, ItemBitmap::kTtfLogo1);
  EXPECT_EQ(normal.text_colour, kBlack);
  EXPECT_EQ(normal.bitmap_at, (PixelPoint{2, 40}));
  EXPECT_EQ(normal.name_at, (PixelPoint{26, 44}));    // (20 - 12 + 1) / 2 below the top
  EXPECT_EQ(normal.label_at, (PixelPoint{232, 44}));  // ends 2 pixels before the right edge
  EXPECT_EQ(normal.name, association.displayName.View());
  EXPECT_EQ(normal.label, "MINGLIU");

  const ItemPainting grey = PaintAssociationItem(association, ItemLook::kNormal, {false, false, true}, rect, 13, 50);
  EXPECT_EQ(grey.text_colour, kGrey);
  EXPECT_EQ(grey.name_at.y, 44);  // (20 - 13 + 1) / 2 = 4

  const ItemPainting highlighted =
      PaintAssociationItem(association, ItemLook::kHighlighted, {true, true, false}, rect, 12, 50);
  EXPECT_EQ(highlighted.background, kNavy);
  EXPECT_EQ(highlighted.bitmap, ItemBitmap::kTtfLogo2);
  EXPECT_EQ(highlighted.text_colour, kWhite);
}

TEST(DialogUnits, ConvertWithTheFontsBaseUnits) {
  // 52 letters 364 pixels wide: 7 pixels on average.
  EXPECT_EQ(AverageCharWidth(364), 7);
  EXPECT_EQ(AverageCharWidth(351), 7);  // 13.5 rounds up
  EXPECT_EQ(AverageCharWidth(337), 6);
  const DialogBaseUnits units{7, 16};
  EXPECT_EQ(ToPixels({167, 15, 40, 14}, units), (PixelBox{292, 30, 70, 28}));
  EXPECT_EQ(ToPixels({221, 82, 1, 1}, units), (PixelBox{387, 164, 2, 2}));  // 386.75, 1.75: rounded
}

TEST(DialogLayouts, AcceleratorsAndTabStops) {
  const DialogTemplate& range = PrintRangeDialogTemplate();
  std::string accelerators;
  std::vector<int> tab_stops;
  for (const ControlTemplate& control : range.controls) {
    if (const auto letter = AcceleratorOf(control.text)) accelerators += *letter;
    if ((control.style & kWsTabStop) != 0) tab_stops.push_back(control.id);
  }
  EXPECT_EQ(accelerators, "ADFTR");
  EXPECT_EQ(tab_stops, (std::vector<int>{kIdOk, kIdCancel, kIdInputMethodList, kIdPrintAll, kIdStartCode, kIdEndCode,
                                         kIdRangeList}));
  EXPECT_EQ(AcceleratorOf("a&&b"), std::nullopt);
  EXPECT_EQ(AcceleratorOf("\xa5\x26x"), std::nullopt);  // 0x26 is the second byte of a character
  EXPECT_EQ(FindControl(FontSettingDialogTemplate(), kIdAssociationList)->rect.width, 142);
  EXPECT_EQ(FindControl(FontSettingDialogTemplate(), kNoControlId), nullptr);
}

TEST(FixedTextCodePage, CutsBetweenCharacters) {
  // Three bytes of room: a second double-byte character does not fit, not even half of it.
  EXPECT_EQ(FixedText<4>("\xa4\x40\xa4\x41").View(), "\xa4\x40");
  EXPECT_EQ(FixedText<4>("a\xa4\x40\xa4").View(), "a\xa4\x40");
  EXPECT_EQ(FixedText<4>("abcd").View(), "abc");
  FixedText<16> path("\xa5\x5c\\x.y");  // 功 (A5 5C), then a real backslash
  path.CutAt('\\');
  EXPECT_EQ(path.View(), "\xa5\x5c");
}

}  // namespace
}  // namespace pictor
