#include "qt/association_delegate.h"

#include <QPainter>

#include "core/association_list.h"
#include "qt/big5_qt.h"
#include "ttflogo1.xpm"
#include "ttflogo2.xpm"

namespace pictor::app {
namespace {

QColor ToColor(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

}  // namespace

AssociationDelegate::AssociationDelegate(const FontSettingModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model), logo_on_white_(kTtflogo1Xpm), logo_on_navy_(kTtflogo2Xpm) {}

void AssociationDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const auto& associations = model_.Associations();
  if (index.row() < 0 || static_cast<std::size_t>(index.row()) >= associations.size()) return;
  const EudcAssociation& association = associations[static_cast<std::size_t>(index.row())];

  const ItemState state{option.state.testFlag(QStyle::State_Selected), option.state.testFlag(QStyle::State_HasFocus),
                        !option.state.testFlag(QStyle::State_Enabled)};
  const QFontMetrics metrics(option.font);
  const QString label = FromCp950(FileLabel(association.eudcFilePath.View()));
  const QRect& r = option.rect;
  const ItemPainting item = PaintAssociationItem(association, LookOf(ItemDrawAction::kDrawEntire, state), state,
                                                 {r.left(), r.top(), r.right() + 1, r.bottom() + 1}, metrics.height(),
                                                 metrics.horizontalAdvance(label));

  painter->save();
  painter->fillRect(r, ToColor(item.background));
  painter->drawPixmap(item.bitmap_at.x, item.bitmap_at.y,
                      item.bitmap == ItemBitmap::kTtfLogo2 ? logo_on_navy_ : logo_on_white_);
  painter->setFont(option.font);
  painter->setPen(ToColor(item.text_colour));
  painter->drawText(item.name_at.x, item.name_at.y + metrics.ascent(), FromCp950(item.name));
  painter->drawText(item.label_at.x, item.label_at.y + metrics.ascent(), label);
  painter->restore();
}

QSize AssociationDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return {option.rect.width(), kAssociationItemHeight};
}

}  // namespace pictor::app
