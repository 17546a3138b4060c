// How an item of the font-setting dialog's association list is drawn: its look (highlighted or
// normal) for each drawing request, and where its bitmap, name and file label go.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "eudc_association.h"

namespace pictor {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kNavy{0, 0, 128};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kGrey{128, 128, 128};

// The two 20 x 20 bitmaps of the list: TTFLOGO1 on white, TTFLOGO2 on navy.
enum class ItemBitmap {
  kTtfLogo1,
  kTtfLogo2,
};
inline constexpr int kItemBitmapSize = 20;

// The bitmaps' resource names, as the resource script and the list load them.
constexpr std::string_view BitmapResourceName(ItemBitmap bitmap) {
  return bitmap == ItemBitmap::kTtfLogo1 ? "TTFLOGO1" : "TTFLOGO2";
}
inline constexpr int kAssociationItemHeight = 20;  // pixels

// What the list asks to be drawn (ODA_DRAWENTIRE, ODA_SELECT, ODA_FOCUS).
enum class ItemDrawAction {
  kDrawEntire,
  kSelectionChanged,
  kFocusChanged,
};

struct ItemState {
  bool selected = false;
  bool focused = false;
  bool disabled = false;
};

enum class ItemLook {
  kNormal,       // white, TTFLOGO1, black text (grey when disabled)
  kHighlighted,  // navy, TTFLOGO2, white text
};

// The selected item is highlighted, whatever the request and whether or not it has the focus;
// every other item is drawn normal.
ItemLook LookOf(ItemDrawAction action, ItemState state);

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive
  int Height() const { return bottom - top; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// One item, ready to draw: fill the rectangle, copy the bitmap, then draw both texts with a
// transparent background, their tops at the points given.
struct ItemPainting {
  PixelRect rect;
  Rgb background;
  ItemBitmap bitmap = ItemBitmap::kTtfLogo1;
  PixelPoint bitmap_at;
  Rgb text_colour;
  std::string name;  // code page 950
  PixelPoint name_at;
  std::string label;  // code page 950, FileLabel of the association's file
  PixelPoint label_at;
};

// `textHeight` is the height of a line of the list's font; `labelWidth` the width of
// FileLabel(association.eudcFilePath) in it, so that the label ends 2 pixels before the right edge.
ItemPainting PaintAssociationItem(const EudcAssociation& association, ItemLook look, ItemState state, PixelRect rect,
                                  int text_height, int label_width);

}  // namespace pictor
