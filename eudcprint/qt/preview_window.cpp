#include "qt/preview_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/dialog_templates.h"
#include "qt/big5_qt.h"

namespace pictor::app {

PreviewWindow::PreviewWindow(PreviewModel& model, const PreviewPages& pages, QPrinter& printer, CatalogueFiles files,
                             const regfile::Cp950Codec& codec, const QString& caption, QWidget* parent)
    : QDialog(parent),
      model_(model),
      toolbar_(new QWidget(this)),
      toolbar_controls_(PreviewToolbarTemplate(), *toolbar_) {
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* strip = new QWidget(this);
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(0, 0, 4, 0);
  toolbar_->setFixedSize(toolbar_controls_.Size());
  row->addWidget(toolbar_);
  row->addStretch(1);
  description_ = new QLabel(strip);
  description_->setFont(toolbar_->font());
  row->addWidget(description_);
  layout->addWidget(strip);

  for (const ControlTemplate& control : PreviewToolbarTemplate().controls) {
    const auto id = static_cast<std::uint16_t>(control.id);
    buttons_.emplace_back(id, toolbar_controls_.ControlAs<QPushButton>(id));
    buttons_.back().second->setAutoDefault(false);  // Enter presses no toolbar button
    connect(buttons_.back().second, &QPushButton::clicked, this, [this, id] { Press(id); });
  }

  preview_ = new QPrintPreviewWidget(&printer, this);
  layout->addWidget(preview_, 1);
  connect(preview_, &QPrintPreviewWidget::paintRequested, this,
          [this, &pages, files = std::move(files), &codec](QPrinter* target) {
            QtPrintTarget pages_target(*target, files, codec);
            pages.Draw(pages_target, model_.Shown());
          });
  ShowPages();
  resize(900, 760);
}

QPushButton* PreviewWindow::Button(std::uint16_t id) const { return toolbar_controls_.ControlAs<QPushButton>(id); }

void PreviewWindow::Press(std::uint16_t id) {
  switch (model_.Press(id)) {
    case PreviewAction::kNone:
      return;
    case PreviewAction::kShowPages:
      ShowPages();
      return;
    case PreviewAction::kZoom:
      ShowZoom();
      ShowControls();
      return;
    case PreviewAction::kClose:
      reject();
      return;
    case PreviewAction::kPrint:
      accept();
      return;
  }
}

void PreviewWindow::ShowPages() {
  // The preview widget holds only the pages shown: two of them lie side by side in its view of
  // all its pages.
  preview_->setViewMode(model_.Shown().Count() > 1 ? QPrintPreviewWidget::AllPagesView
                                                   : QPrintPreviewWidget::SinglePageView);
  preview_->updatePreview();
  ShowZoom();
  ShowControls();
}

void PreviewWindow::ShowZoom() {
  preview_->fitInView();
  if (model_.ZoomStep() > 0) preview_->zoomIn(model_.ZoomFactor());
}

void PreviewWindow::ShowControls() {
  for (const auto& [id, button] : buttons_) {
    button->setEnabled(model_.IsEnabled(id));
    button->setText(FromCp950(model_.Label(id)));
  }
  description_->setText(FromCp950(model_.Description()));
}

}  // namespace pictor::app
