#include "qt/printing_box.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "qt/big5_qt.h"

namespace pictor::app {

PrintingBox::PrintingBox(const PrintingBoxTexts& texts, QWidget* parent)
    : TemplateDialog(PrintingBoxTemplate(), parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setWindowModality(Qt::WindowModal);
  Line(kIdPrintingDocument)->setText(FromCp950(texts.document_name));
  Line(kIdPrintingPrinter)->setText(FromCp950(texts.printer_name));
  Line(kIdPrintingPort)->setText(FromCp950(texts.port_line));
  connect(CancelButton(), &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

QLabel* PrintingBox::Line(int id) const { return ControlAs<QLabel>(id); }

QPushButton* PrintingBox::CancelButton() const { return ControlAs<QPushButton>(kIdCancel); }

bool PrintingBox::ShowPageLine(std::string_view cp950) {
  Line(kIdPrintingPage)->setText(FromCp950(cp950));
  QApplication::processEvents();
  return !cancelled_;
}

}  // namespace pictor::app
