// Draws one item of the font-setting dialog's owner-drawn list as the core lays it out: the
// request and state of the list's WM_DRAWITEM mapped to the core's, the background filled, the
// bitmap copied with MERGECOPY, the name and the file label in the list's font.
#pragma once

#include <windows.h>

#include "core/association_item.h"

namespace pictor::win32ui {

// The list's two bitmaps, TTFLOGO1 and TTFLOGO2, loaded from the program's resources.
class ItemBitmaps {
 public:
  explicit ItemBitmaps(HINSTANCE instance);
  ~ItemBitmaps();
  ItemBitmaps(const ItemBitmaps&) = delete;
  ItemBitmaps& operator=(const ItemBitmaps&) = delete;
  HBITMAP Get(ItemBitmap bitmap) const { return bitmap == ItemBitmap::kTtfLogo1 ? logo1_ : logo2_; }

 private:
  HBITMAP logo1_;
  HBITMAP logo2_;
};

ItemDrawAction DrawActionOf(UINT item_action);
ItemState ItemStateOf(UINT item_state);

void PaintAssociationItem(const DRAWITEMSTRUCT& item, const EudcAssociation& association, const ItemBitmaps& bitmaps);

}  // namespace pictor::win32ui
