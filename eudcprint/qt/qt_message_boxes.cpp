#include "qt/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "core/dialog_templates.h"
#include "qt/big5_qt.h"

namespace pictor::app {

void QtMessageBoxes::Show(std::string_view text, std::string_view caption, MessageIcon icon) {
  QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
  if (icon == MessageIcon::kStop) boxIcon = QMessageBox::Critical;
  if (icon == MessageIcon::kInformation) boxIcon = QMessageBox::Information;
  QWidget* owner = owner_ ? owner_.data() : QApplication::activeWindow();
  QMessageBox box(boxIcon, FromCp950(caption), FromCp950(text), QMessageBox::Ok, owner);
  box.button(QMessageBox::Ok)->setText(FromCp950(kOkText));
  box.exec();
}

}  // namespace pictor::app
