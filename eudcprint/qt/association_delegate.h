// Draws the items of the font-setting dialog's association list (owner-drawn, without strings):
// the TrueType mark, the display name and, right-aligned, the file label.
#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

#include "core/association_item.h"
#include "core/font_setting_model.h"

namespace pictor::app {

class AssociationDelegate : public QStyledItemDelegate {
 public:
  // Item i of the list shows association i of the model.
  AssociationDelegate(const FontSettingModel& model, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const FontSettingModel& model_;
  QPixmap logo_on_white_;
  QPixmap logo_on_navy_;
};

}  // namespace pictor::app
