#include "association_item.h"

#include "association_list.h"

namespace pictor {
namespace {

constexpr int kBitmapLeft = 2;
constexpr int kNameLeft = 26;
constexpr int kLabelRightMargin = 2;

}  // namespace

ItemLook LookOf(ItemDrawAction, ItemState state) {
  // Every request draws the item as it now is. (Deciding by the request, a selected item
  // that also had the focus, or that the selection had just reached, was drawn normal.)
  return state.selected ? ItemLook::kHighlighted : ItemLook::kNormal;
}

ItemPainting PaintAssociationItem(const EudcAssociation& association, ItemLook look, ItemState state, PixelRect rect,
                                  int text_height, int label_width) {
  ItemPainting painting;
  painting.rect = rect;
  if (look == ItemLook::kHighlighted) {
    painting.background = kNavy;
    painting.bitmap = ItemBitmap::kTtfLogo2;
    painting.text_colour = kWhite;
  } else {
    painting.background = kWhite;
    painting.bitmap = ItemBitmap::kTtfLogo1;
    painting.text_colour = state.disabled ? kGrey : kBlack;
  }
  painting.bitmap_at = {rect.left + kBitmapLeft, rect.top};
  const int text_top = rect.top + (rect.Height() - text_height + 1) / 2;
  painting.name = association.displayName.View();
  painting.name_at = {rect.left + kNameLeft, text_top};
  painting.label = FileLabel(association.eudcFilePath.View());
  painting.label_at = {rect.right - kLabelRightMargin - label_width, text_top};
  return painting;
}

}  // namespace pictor
