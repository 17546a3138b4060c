#include "qt/report_list_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

TReportListView::TReportListView(QWidget* parent)
    : QAbstractScrollArea(parent), header_(new QHeaderView(Qt::Horizontal, this)) {
  header_->setModel(&header_model_);
  header_->setSectionsClickable(false);
  header_->setSectionsMovable(false);
  header_->setStretchLastSection(false);
  header_->setHighlightSections(false);
  header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header_->setFocusPolicy(Qt::NoFocus);
  connect(header_, &QHeaderView::sectionResized, this, [this] {
    UpdateScrollBars();
    viewport()->update();
  });
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  UpdateLayout();
}

void TReportListView::SetColumns(const QStringList& captions, const QList<int>& widths) {
  captions_ = captions;
  header_model_.setColumnCount(static_cast<int>(captions.size()));
  header_model_.setHorizontalHeaderLabels(captions);
  for (int i = 0; i < captions.size() && i < widths.size(); ++i) header_->resizeSection(i, widths[i]);
  UpdateLayout();
}

void TReportListView::AddRow(const QString& first, const QString& second, const QString& third) {
  rows_.push_back({first, second, third});
  const int row = static_cast<int>(rows_.size()) - 1;
  UpdateScrollBars();
  // Only a row that shows needs painting; rows below the visible part only move the scroll bar.
  const int top = verticalScrollBar()->value();
  if (row >= top && row <= top + VisibleRows()) viewport()->update(RowRect(row));
}

void TReportListView::Clear() {
  rows_.clear();
  current_ = -1;
  UpdateScrollBars();
  viewport()->update();
}

QString TReportListView::Text(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= 3) return {};
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void TReportListView::SetCurrentRow(int row) {
  if (rows_.empty()) return;
  row = std::clamp(row, 0, RowCount() - 1);
  if (row == current_) return;
  if (current_ >= 0) viewport()->update(RowRect(current_));
  current_ = row;
  // Keep the current row in view.
  QScrollBar* bar = verticalScrollBar();
  if (row < bar->value()) bar->setValue(row);
  const int full_rows = std::max(1, viewport()->height() / row_height_);
  if (row >= bar->value() + full_rows) bar->setValue(row - full_rows + 1);
  viewport()->update(RowRect(current_));
}

int TReportListView::VisibleRows() const { return viewport()->height() / row_height_ + 1; }

QRect TReportListView::RowRect(int row) const {
  const int y = (row - verticalScrollBar()->value()) * row_height_;
  return QRect(0, y, viewport()->width(), row_height_);
}

int TReportListView::RowAt(int y) const {
  const int row = verticalScrollBar()->value() + y / row_height_;
  return row < RowCount() ? row : -1;
}

void TReportListView::UpdateLayout() {
  row_height_ = std::max(fontMetrics().height() + 3, 16);
  const int header_height = header_->sizeHint().height();
  setViewportMargins(0, header_height, 0, 0);
  const QRect area = viewport()->geometry();
  header_->setGeometry(area.left(), area.top() - header_height, area.width(), header_height);
  UpdateScrollBars();
}

void TReportListView::UpdateScrollBars() {
  const int full_rows = std::max(1, viewport()->height() / row_height_);
  verticalScrollBar()->setRange(0, std::max(0, RowCount() - full_rows));
  verticalScrollBar()->setPageStep(full_rows);
  verticalScrollBar()->setSingleStep(1);
  const int content_width = header_->length();
  horizontalScrollBar()->setRange(0, std::max(0, content_width - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setSingleStep(20);
}

void TReportListView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const int first = verticalScrollBar()->value();
  const QRect dirty = event->rect();
  const int from = first + std::max(0, dirty.top() / row_height_);
  const int to = std::min(RowCount() - 1, first + dirty.bottom() / row_height_);
  const QPalette& pal = palette();
  for (int row = from; row <= to; ++row) {
    const QRect line = RowRect(row);
    const bool selected = row == current_;
    if (selected) {
      painter.fillRect(line, pal.brush(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::Highlight));
    }
    painter.setPen(pal.color(hasFocus() || !selected ? QPalette::Active : QPalette::Inactive,
                             selected ? QPalette::HighlightedText : QPalette::Text));
    const auto& texts = rows_[static_cast<std::size_t>(row)];
    for (int column = 0; column < ColumnCount() && column < 3; ++column) {
      const QRect cell(header_->sectionViewportPosition(column) + 4, line.top(), header_->sectionSize(column) - 8,
                       row_height_);
      if (cell.right() < 0 || cell.left() > viewport()->width()) continue;
      const QString shown =
          painter.fontMetrics().elidedText(texts[static_cast<std::size_t>(column)], Qt::ElideRight, cell.width());
      painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
  }
}

void TReportListView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateLayout();
}

void TReportListView::scrollContentsBy(int dx, int) {
  if (dx != 0) header_->setOffset(horizontalScrollBar()->value());
  viewport()->update();
}

void TReportListView::mousePressEvent(QMouseEvent* event) {
  const int row = RowAt(event->position().toPoint().y());
  if (row >= 0) SetCurrentRow(row);
  QAbstractScrollArea::mousePressEvent(event);
}

void TReportListView::keyPressEvent(QKeyEvent* event) {
  const int page = std::max(1, viewport()->height() / row_height_);
  switch (event->key()) {
    case Qt::Key_Down:
      SetCurrentRow(current_ + 1);
      break;
    case Qt::Key_Up:
      SetCurrentRow(current_ < 0 ? 0 : current_ - 1);
      break;
    case Qt::Key_PageDown:
      SetCurrentRow(current_ + page);
      break;
    case Qt::Key_PageUp:
      SetCurrentRow(current_ - page);
      break;
    case Qt::Key_Home:
      SetCurrentRow(0);
      break;
    case Qt::Key_End:
      SetCurrentRow(RowCount() - 1);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
}

void TReportListView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) UpdateLayout();
}

void TReportListView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TReportListView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}
