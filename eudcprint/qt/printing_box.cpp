#include "qt/printing_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <cstdio>
#include <string>

#include "core/dialog_templates.h"
#include "core/shell_resources.h"
#include "core/string_table.h"
#include "qt/big5_qt.h"
#include "qt/template_dialog.h"

namespace pictor::app {
namespace {

// 9-point 新細明體, as the dialogs use it.
QFont BoxFont() {
  DialogTemplate layout = FontSettingDialogTemplate();
  layout.pointSize = 9;
  return DialogFont(layout);
}

}  // namespace

PrintingBox::PrintingBox(const QString& documentName, const QString& printerName, const QString& port, bool toFile,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setFont(BoxFont());
  setWindowTitle(FromCp950(LoadStringResource(kApplicationTitleId)));
  setWindowModality(Qt::WindowModal);
  auto* grid = new QGridLayout(this);
  document_ = new QLabel(documentName, this);
  document_->setObjectName("201");
  printer_ = new QLabel(printerName, this);
  printer_->setObjectName("202");
  const QString portLine = FromCp950(LoadStringResource(toFile ? kPrintingToFileId : kPrintingPortId));
  port_ = new QLabel(QString(portLine).replace("%1", port), this);
  port_->setObjectName("203");
  page_ = new QLabel(this);
  page_->setObjectName("204");
  cancel_ = new QPushButton(FromCp950(kPrintingCancel), this);
  grid->addWidget(new QLabel(FromCp950(kPrintingLabel), this), 0, 0, Qt::AlignHCenter);
  grid->addWidget(document_, 1, 0, Qt::AlignHCenter);
  grid->addWidget(new QLabel(FromCp950(kPrintingToLabel), this), 2, 0, Qt::AlignHCenter);
  grid->addWidget(printer_, 3, 0, Qt::AlignHCenter);
  grid->addWidget(port_, 4, 0, Qt::AlignHCenter);
  grid->addWidget(page_, 5, 0, Qt::AlignHCenter);
  grid->addWidget(cancel_, 6, 0, Qt::AlignHCenter);
  connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
  setMinimumWidth(260);
}

bool PrintingBox::ShowPage(std::uint32_t page) {
  // The page line is a format of the string table: "第 %u 頁".
  char line[64];
  std::snprintf(line, sizeof line, LoadStringResource(kPrintingPageId).data(), static_cast<unsigned>(page));
  page_->setText(FromCp950(line));
  QApplication::processEvents();
  return !cancelled_;
}

}  // namespace pictor::app
