// 設定字形 (dialog 130): the association list and OK/Cancel, over a FontSettingModel.
#pragma once

#include <optional>

#include "core/eudc_association.h"
#include "core/font_setting_model.h"
#include "qt/template_dialog.h"

class QListWidget;
class QPushButton;

namespace pictor::app {

class FontSettingDialog : public TemplateDialog {
  Q_OBJECT

 public:
  // The model has been opened and lists at least one association.
  FontSettingDialog(FontSettingModel& model, QWidget* parent = nullptr);

  QListWidget* AssociationList() const;
  QPushButton* OkButton() const;
  QPushButton* CancelButton() const;
  // What OK chose.
  const std::optional<EudcAssociation>& Chosen() const { return chosen_; }

 private:
  void Confirm();

  FontSettingModel& model_;
  std::optional<EudcAssociation> chosen_;
};

// The dialog as the core runs it: modal over `owner`.
class QtFontSettingDialogPort : public FontSettingDialogPort {
 public:
  explicit QtFontSettingDialogPort(QWidget* owner = nullptr) : owner_(owner) {}
  std::optional<EudcAssociation> Run(FontSettingModel& model) override;

 private:
  QWidget* owner_;
};

}  // namespace pictor::app
