#include "qt/print_range_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "qt/big5_qt.h"

namespace pictor::app {

PrintRangeDialog::PrintRangeDialog(PrintRangeModel& model, QWidget* parent)
    : TemplateDialog(PrintRangeDialogTemplate(), parent), model_(model) {
  for (const std::string& row : model_.RangeRows()) RangeList()->addItem(QString::fromStdString(row));
  RangeList()->setCurrentIndex(static_cast<int>(model_.RangeRow()));
  for (const std::string& name : model_.InputMethodNames()) InputMethodList()->addItem(FromCp950(name));
  for (int i = 0; i < InputMethodList()->count(); ++i) {
    InputMethodList()->item(i)->setSelected(model_.InputMethodSelected(static_cast<std::size_t>(i)));
  }
  for (const CodeField field : {CodeField::kStart, CodeField::kEnd}) {
    Field(field)->setMaxLength(static_cast<int>(kCodeFieldLimit));
    Field(field)->installEventFilter(this);
    connect(Field(field), &QLineEdit::textEdited, this, [this, field](const QString& text) { Edited(field, text); });
  }
  ShowModel();

  connect(AllButton(), &QRadioButton::clicked, this, [this] {
    model_.ClickAll();
    ShowModel();
  });
  connect(CodesButton(), &QRadioButton::clicked, this, [this] {
    model_.ClickCodes();
    ShowModel();
  });
  connect(RangeList(), &QComboBox::activated, this, [this](int row) {
    model_.ChooseRange(static_cast<std::size_t>(row));
    ShowText(CodeField::kStart);
    ShowText(CodeField::kEnd);
  });
  connect(InputMethodList(), &QListWidget::itemSelectionChanged, this, [this] {
    for (int i = 0; i < InputMethodList()->count(); ++i) {
      model_.SetInputMethodSelected(static_cast<std::size_t>(i), InputMethodList()->item(i)->isSelected());
    }
  });
  connect(OkButton(), &QPushButton::clicked, this, &PrintRangeDialog::Confirm);
  connect(CancelButton(), &QPushButton::clicked, this, &QDialog::reject);
  FocusFirstTabStop();
}

QRadioButton* PrintRangeDialog::AllButton() const { return ControlAs<QRadioButton>(kIdPrintAll); }
QRadioButton* PrintRangeDialog::CodesButton() const { return ControlAs<QRadioButton>(kIdPrintCodes); }
QLineEdit* PrintRangeDialog::Field(CodeField field) const {
  return ControlAs<QLineEdit>(field == CodeField::kStart ? kIdStartCode : kIdEndCode);
}
QComboBox* PrintRangeDialog::RangeList() const { return ControlAs<QComboBox>(kIdRangeList); }
QListWidget* PrintRangeDialog::InputMethodList() const { return ControlAs<QListWidget>(kIdInputMethodList); }
QPushButton* PrintRangeDialog::OkButton() const { return ControlAs<QPushButton>(kIdOk); }
QPushButton* PrintRangeDialog::CancelButton() const { return ControlAs<QPushButton>(kIdCancel); }

void PrintRangeDialog::ShowModel() {
  AllButton()->setChecked(model_.AllChecked());
  CodesButton()->setChecked(!model_.AllChecked());
  UpdateRadioTabStops();
  for (QWidget* control : {static_cast<QWidget*>(Field(CodeField::kStart)),
                           static_cast<QWidget*>(Field(CodeField::kEnd)), static_cast<QWidget*>(RangeList())}) {
    control->setEnabled(model_.CodeControlsEnabled());
  }
  ShowText(CodeField::kStart);
  ShowText(CodeField::kEnd);
}

void PrintRangeDialog::ShowText(CodeField field) {
  QLineEdit* edit = Field(field);
  const QString text = QString::fromStdString(model_.Text(field));
  if (edit->text() != text) edit->setText(text);
}

void PrintRangeDialog::Edited(CodeField field, const QString& text) {
  QLineEdit* edit = Field(field);
  // The caret in the model's units: bytes of the code page 950 text before it.
  const std::size_t caret = ToCp950(text.left(edit->cursorPosition())).size();
  model_.EditField(field, ToCp950(text), caret);
  const QString shown = QString::fromStdString(model_.Text(field));
  if (edit->text() != shown) {
    edit->setText(shown);
    edit->setCursorPosition(static_cast<int>(model_.Caret(field)));
  }
  if (const auto move = model_.TakeFocusMove()) {
    QWidget* next = *move == FocusMove::kEndField ? static_cast<QWidget*>(Field(CodeField::kEnd))
                                                  : static_cast<QWidget*>(OkButton());
    next->setFocus(Qt::OtherFocusReason);
  }
}

bool PrintRangeDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    for (const CodeField field : {CodeField::kStart, CodeField::kEnd}) {
      if (watched == Field(field)) {
        model_.FocusField(field);
        ShowText(field);
      }
    }
  }
  return TemplateDialog::eventFilter(watched, event);
}

void PrintRangeDialog::Confirm() {
  if (model_.Ok()) accept();
}

bool QtPrintRangeDialogPort::Run(PrintRangeModel& model) {
  PrintRangeDialog dialog(model, owner_);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace pictor::app
