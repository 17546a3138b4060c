#include "qt/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "core/dialog_templates.h"
#include "qt/big5_qt.h"

namespace pictor::app {

void QtMessageBoxes::Show(std::string_view text, std::string_view caption, MessageIcon icon) {
  QMessageBox::Icon box_icon = QMessageBox::NoIcon;
  if (icon == MessageIcon::kStop) box_icon = QMessageBox::Critical;
  if (icon == MessageIcon::kInformation) box_icon = QMessageBox::Information;
  QWidget* owner = owner_ ? owner_.data() : QApplication::activeWindow();
  QMessageBox box(box_icon, FromCp950(caption), FromCp950(text), QMessageBox::Ok, owner);
  box.button(QMessageBox::Ok)->setText(FromCp950(kOkText));
  box.exec();
}

}  // namespace pictor::app
