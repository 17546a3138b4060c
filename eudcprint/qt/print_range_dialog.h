// 設定列印範圍 (dialog 131): all codes or a From-To range, the four ranges, and the input methods
// whose roots are printed, over a PrintRangeModel that holds every rule.
#pragma once

#include "core/print_range_model.h"
#include "qt/template_dialog.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace pictor::app {

class PrintRangeDialog : public TemplateDialog {
  Q_OBJECT

 public:
  PrintRangeDialog(PrintRangeModel& model, QWidget* parent = nullptr);

  QRadioButton* AllButton() const;
  QRadioButton* CodesButton() const;
  QLineEdit* Field(CodeField field) const;
  QComboBox* RangeList() const;
  QListWidget* InputMethodList() const;
  QPushButton* OkButton() const;
  QPushButton* CancelButton() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowModel();
  void ShowText(CodeField field);
  void Edited(CodeField field, const QString& text);
  void Confirm();

  PrintRangeModel& model_;
};

class QtPrintRangeDialogPort : public PrintRangeDialogPort {
 public:
  explicit QtPrintRangeDialogPort(QWidget* owner = nullptr) : owner_(owner) {}
  bool Run(PrintRangeModel& model) override;

 private:
  QWidget* owner_;
};

}  // namespace pictor::app
