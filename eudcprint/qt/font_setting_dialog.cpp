#include "qt/font_setting_dialog.h"

#include <QListWidget>
#include <QPushButton>

#include "qt/association_delegate.h"

namespace pictor::app {

FontSettingDialog::FontSettingDialog(FontSettingModel& model, QWidget* parent)
    : TemplateDialog(FontSettingDialogTemplate(), parent), model_(model) {
  QListWidget* list = AssociationList();
  list->setItemDelegate(new AssociationDelegate(model_, list));
  list->setUniformItemSizes(true);
  for (std::size_t i = 0; i < model_.Associations().size(); ++i) list->addItem(new QListWidgetItem());
  if (const auto selected = model_.Selection()) list->setCurrentRow(static_cast<int>(*selected));

  connect(list, &QListWidget::itemSelectionChanged, this, [this, list] {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    model_.Select(selected.isEmpty() ? std::nullopt
                                     : std::optional<std::size_t>(static_cast<std::size_t>(list->row(selected[0]))));
    // The list shows the model's selection, which a click on its blank part does not clear.
    if (const auto kept = model_.Selection(); kept && selected.isEmpty()) list->setCurrentRow(static_cast<int>(*kept));
  });
  connect(OkButton(), &QPushButton::clicked, this, &FontSettingDialog::Confirm);
  connect(CancelButton(), &QPushButton::clicked, this, &QDialog::reject);
  FocusFirstTabStop();
}

QListWidget* FontSettingDialog::AssociationList() const { return ControlAs<QListWidget>(kIdAssociationList); }
QPushButton* FontSettingDialog::OkButton() const { return ControlAs<QPushButton>(kIdOk); }
QPushButton* FontSettingDialog::CancelButton() const { return ControlAs<QPushButton>(kIdCancel); }

void FontSettingDialog::Confirm() {
  chosen_ = model_.Accept();
  if (chosen_) accept();
}

std::optional<EudcAssociation> QtFontSettingDialogPort::Run(FontSettingModel& model) {
  FontSettingDialog dialog(model, owner_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

}  // namespace pictor::app
