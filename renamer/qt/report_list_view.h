#pragma once

#include <QAbstractScrollArea>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// A read-only list in report style: column headers over rows of text, whole rows selected.
// Rows are only ever appended or all cleared, and appending costs the same however long the list
// is: only a row that lands in the visible part is painted.
class TReportListView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TReportListView(QWidget* parent = nullptr);

  void SetColumns(const QStringList& captions, const QList<int>& widths);
  int ColumnCount() const { return static_cast<int>(captions_.size()); }
  QString HeaderText(int column) const { return captions_.value(column); }
  int ColumnWidth(int column) const { return header_->sectionSize(column); }
  QHeaderView* Header() const { return header_; }

  void AddRow(const QString& first, const QString& second, const QString& third);
  void Clear();
  int RowCount() const { return static_cast<int>(rows_.size()); }
  QString Text(int row, int column) const;

  int CurrentRow() const { return current_; }
  void SetCurrentRow(int row);
  int RowHeight() const { return row_height_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int VisibleRows() const;
  void UpdateLayout();
  void UpdateScrollBars();
  QRect RowRect(int row) const;
  int RowAt(int y) const;

  QHeaderView* header_;
  QStandardItemModel header_model_;
  QStringList captions_;
  std::vector<std::array<QString, 3>> rows_;
  int current_ = -1;
  int row_height_ = 16;
};
