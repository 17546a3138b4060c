// The box shown while a catalogue prints (dialog 30722), laid out from its template: what is
// printed, to which printer and port, the page in hand, and 取消, which stops the job before the
// next page.
#pragma once

#include <string_view>

#include "core/printing_box.h"
#include "qt/template_dialog.h"

class QLabel;
class QPushButton;

namespace pictor::app {

class PrintingBox : public TemplateDialog, public PrintingBoxPort {
  Q_OBJECT

 public:
  PrintingBox(const PrintingBoxTexts& texts, QWidget* parent = nullptr);

  // Shows the page line, and lets the box repaint and hear 取消. False once cancelled.
  bool ShowPageLine(std::string_view cp950) override;
  bool Cancelled() const override { return cancelled_; }
  // As 取消: the job stops before its next page.
  void Cancel() { cancelled_ = true; }

  QLabel* Line(int id) const;
  QPushButton* CancelButton() const;

 private:
  bool cancelled_ = false;
};

}  // namespace pictor::app
