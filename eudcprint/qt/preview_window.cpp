#include "qt/preview_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <string>

#include "core/dialog_templates.h"
#include "core/shell_resources.h"
#include "core/string_table.h"
#include "qt/big5_qt.h"
#include "qt/template_dialog.h"

namespace pictor::app {
namespace {

// Two steps in from the whole page, each doubling the size.
constexpr int kZoomLevels = 2;
constexpr qreal kZoomFactor = 2.0;

// 8-point 新細明體 for the toolbar.
QFont ToolbarFont() {
  DialogTemplate layout = FontSettingDialogTemplate();
  layout.pointSize = 8;
  return DialogFont(layout);
}

// One of the two lines of the page description: "第 %u 頁" or "第 %u 到 %u 頁".
QString DescribePages(int first, int last) {
  const std::string_view both = LoadStringResource(kPreviewPageDescriptionId);
  const std::size_t newline = both.find('\n');
  std::string format(first == last ? both.substr(0, newline) : both.substr(newline + 1, both.size() - newline - 2));
  char line[96];
  if (first == last) {
    std::snprintf(line, sizeof line, format.c_str(), static_cast<unsigned>(first));
  } else {
    std::snprintf(line, sizeof line, format.c_str(), static_cast<unsigned>(first), static_cast<unsigned>(last));
  }
  return FromCp950(line);
}

}  // namespace

PreviewWindow::PreviewWindow(QPrinter& printer, PaintPages paint, const QString& title, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* toolbar = new QWidget(this);
  toolbar->setFont(ToolbarFont());
  auto* row = new QHBoxLayout(toolbar);
  row->setContentsMargins(4, 4, 4, 4);
  for (const ToolbarButton& entry : kPreviewToolbar) {
    auto* button = new QPushButton(FromCp950(entry.text), toolbar);
    button->setObjectName(QString::number(entry.id));
    button->setAutoDefault(false);
    row->addWidget(button);
    buttons_[entry.id] = button;
  }
  description_ = new QLabel(toolbar);
  row->addStretch(1);
  row->addWidget(description_);
  layout->addWidget(toolbar);

  preview_ = new QPrintPreviewWidget(&printer, this);
  preview_->setViewMode(QPrintPreviewWidget::SinglePageView);
  preview_->setZoomMode(QPrintPreviewWidget::FitInView);
  layout->addWidget(preview_, 1);
  connect(preview_, &QPrintPreviewWidget::paintRequested, this, [paint](QPrinter* target) { paint(*target); });
  connect(preview_, &QPrintPreviewWidget::previewChanged, this, [this] { UpdateControls(); });

  connect(buttons_[ID_PREVIEW_PRINT], &QPushButton::clicked, this, [this] {
    printRequested_ = true;
    accept();
  });
  connect(buttons_[ID_PREVIEW_NEXT], &QPushButton::clicked, this, [this] { Step(1); });
  connect(buttons_[ID_PREVIEW_PREV], &QPushButton::clicked, this, [this] { Step(-1); });
  connect(buttons_[ID_PREVIEW_NUMPAGE], &QPushButton::clicked, this, [this] { ToggleTwoPages(); });
  connect(buttons_[ID_PREVIEW_ZOOMIN], &QPushButton::clicked, this, [this] { Zoom(1); });
  connect(buttons_[ID_PREVIEW_ZOOMOUT], &QPushButton::clicked, this, [this] { Zoom(-1); });
  connect(buttons_[ID_PREVIEW_CLOSE], &QPushButton::clicked, this, &QDialog::reject);
  resize(900, 760);
}

QPushButton* PreviewWindow::Button(std::uint16_t id) const {
  const auto found = buttons_.find(id);
  return found == buttons_.end() ? nullptr : found->second;
}

void PreviewWindow::Step(int spreads) {
  const PageSpread shown = SpreadAt(preview_->currentPage(), preview_->pageCount(), twoPages_);
  const int target = spreads > 0 ? shown.last + 1 : shown.first - 1;
  if (target < 1 || target > preview_->pageCount()) return;
  preview_->setCurrentPage(target);
  UpdateControls();
}

void PreviewWindow::ToggleTwoPages() {
  twoPages_ = !twoPages_;
  preview_->setViewMode(twoPages_ ? QPrintPreviewWidget::FacingPagesView : QPrintPreviewWidget::SinglePageView);
  buttons_[ID_PREVIEW_NUMPAGE]->setText(
      FromCp950(LoadStringResource(twoPages_ ? kPreviewOnePageId : kPreviewTwoPagesId)));
  UpdateControls();
}

void PreviewWindow::Zoom(int steps) {
  zoomLevel_ = std::clamp(zoomLevel_ + steps, 0, kZoomLevels);
  if (zoomLevel_ == 0) {
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
  } else {
    preview_->fitInView();
    for (int i = 0; i < zoomLevel_; ++i) preview_->zoomIn(kZoomFactor);
  }
  UpdateControls();
}

void PreviewWindow::UpdateControls() {
  const int count = preview_->pageCount();
  const PageSpread shown = SpreadAt(preview_->currentPage(), count, twoPages_);
  buttons_[ID_PREVIEW_NEXT]->setEnabled(shown.last < count);
  buttons_[ID_PREVIEW_PREV]->setEnabled(shown.first > 1);
  buttons_[ID_PREVIEW_NUMPAGE]->setEnabled(count > 1 || twoPages_);
  buttons_[ID_PREVIEW_ZOOMIN]->setEnabled(zoomLevel_ < kZoomLevels);
  buttons_[ID_PREVIEW_ZOOMOUT]->setEnabled(zoomLevel_ > 0);
  description_->setText(count > 0 ? DescribePages(shown.first, shown.last) : QString());
}

PageSpread SpreadAt(int current, int count, bool twoPages) {
  current = std::clamp(current, 1, std::max(1, count));
  if (!twoPages || current == 1) return {current, current};
  // Facing pages as in a book: page 1 alone on the right, then 2 and 3, 4 and 5, ...
  const int first = current % 2 == 0 ? current : current - 1;
  return {first, std::min(first + 1, std::max(1, count))};
}

}  // namespace pictor::app
