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
                                  int textHeight, int labelWidth) {
  ItemPainting painting;
  painting.rect = rect;
  if (look == ItemLook::kHighlighted) {
    painting.background = kNavy;
    painting.bitmap = ItemBitmap::kTtfLogo2;
    painting.textColour = kWhite;
  } else {
    painting.background = kWhite;
    painting.bitmap = ItemBitmap::kTtfLogo1;
    painting.textColour = state.disabled ? kGrey : kBlack;
  }
  painting.bitmapAt = {rect.left + kBitmapLeft, rect.top};
  const int textTop = rect.top + (rect.Height() - textHeight + 1) / 2;
  painting.name = association.displayName.View();
  painting.nameAt = {rect.left + kNameLeft, textTop};
  painting.label = FileLabel(association.eudcFilePath.View());
  painting.labelAt = {rect.right - kLabelRightMargin - labelWidth, textTop};
  return painting;
}

}  // namespace pictor
