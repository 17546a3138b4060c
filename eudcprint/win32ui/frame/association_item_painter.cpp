#include "win32ui/frame/association_item_painter.h"

#include <string>

#include "core/association_list.h"
#include "win32ui/frame/gdi_handles.h"
#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui {
namespace {

COLORREF ColourOf(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

HBITMAP LoadItemBitmap(HINSTANCE instance, ItemBitmap bitmap) {
  const std::wstring name = Cp950ToWide(BitmapResourceName(bitmap));
  return LoadBitmapW(instance, name.c_str());
}

int WidthOf(HDC dc, const std::wstring& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace

ItemBitmaps::ItemBitmaps(HINSTANCE instance)
    : logo1_(LoadItemBitmap(instance, ItemBitmap::kTtfLogo1)),
      logo2_(LoadItemBitmap(instance, ItemBitmap::kTtfLogo2)) {}

ItemBitmaps::~ItemBitmaps() {
  if (logo1_ != nullptr) DeleteObject(logo1_);
  if (logo2_ != nullptr) DeleteObject(logo2_);
}

ItemDrawAction DrawActionOf(UINT item_action) {
  if (item_action & ODA_DRAWENTIRE) return ItemDrawAction::kDrawEntire;
  if (item_action & ODA_FOCUS) return ItemDrawAction::kFocusChanged;
  return ItemDrawAction::kSelectionChanged;
}

ItemState ItemStateOf(UINT item_state) {
  return {(item_state & ODS_SELECTED) != 0, (item_state & ODS_FOCUS) != 0, (item_state & ODS_DISABLED) != 0};
}

void PaintAssociationItem(const DRAWITEMSTRUCT& item, const EudcAssociation& association, const ItemBitmaps& bitmaps) {
  const HDC dc = item.hDC;
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const std::wstring label = Cp950ToWide(FileLabel(association.eudcFilePath.View()));
  const ItemState state = ItemStateOf(item.itemState);
  const RECT& r = item.rcItem;
  const ItemPainting painting =
      PaintAssociationItem(association, LookOf(DrawActionOf(item.itemAction), state), state,
                           {r.left, r.top, r.right, r.bottom}, metrics.tmHeight, WidthOf(dc, label));

  const OwnedBrush background(CreateSolidBrush(ColourOf(painting.background)));
  FillRect(dc, &r, background.Get());

  // MERGECOPY ands the bitmap with the brush of the context: the white stock brush keeps its colours.
  const MemoryDc source(dc);
  {
    const Selection bitmap(source.Get(), bitmaps.Get(painting.bitmap));
    const Selection brush(dc, GetStockObject(WHITE_BRUSH));
    BitBlt(dc, painting.bitmap_at.x, painting.bitmap_at.y, kItemBitmapSize, kItemBitmapSize, source.Get(), 0, 0,
           MERGECOPY);
  }

  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF colour = SetTextColor(dc, ColourOf(painting.text_colour));
  const std::wstring name = Cp950ToWide(painting.name);
  TextOutW(dc, painting.name_at.x, painting.name_at.y, name.c_str(), static_cast<int>(name.size()));
  TextOutW(dc, painting.label_at.x, painting.label_at.y, label.c_str(), static_cast<int>(label.size()));
  SetTextColor(dc, colour);
  SetBkMode(dc, mode);
}

}  // namespace pictor::win32ui
