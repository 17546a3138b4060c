// The print preview: our own toolbar, with the program's texts, over Qt's preview widget. The
// pages are drawn by the same job as printing, onto the preview's printer.
#pragma once

#include <QDialog>
#include <QPrinter>
#include <functional>
#include <map>

class QLabel;
class QPrintPreviewWidget;
class QPushButton;

namespace pictor::app {

// The pages the preview shows around page `current` of `count`: one, or in two-page mode the pair
// of facing pages as in a book (page 1 alone, then 2 and 3, 4 and 5, ...).
struct PageSpread {
  int first;
  int last;
};
PageSpread SpreadAt(int current, int count, bool twoPages);

class PreviewWindow : public QDialog {
  Q_OBJECT

 public:
  using PaintPages = std::function<void(QPrinter&)>;
  PreviewWindow(QPrinter& printer, PaintPages paint, const QString& title, QWidget* parent = nullptr);

  // The toolbar's button of that id (ID_PREVIEW_...), null if none.
  QPushButton* Button(std::uint16_t id) const;
  QPrintPreviewWidget* Pages() const { return preview_; }
  QLabel* PageDescription() const { return description_; }
  bool TwoPages() const { return twoPages_; }
  // True when the preview closed through its print button: the caller prints next.
  bool PrintRequested() const { return printRequested_; }

 private:
  void Step(int spreads);  // +1: the next page or pair of pages; -1: the one before
  void ToggleTwoPages();
  void Zoom(int steps);
  void UpdateControls();

  QPrintPreviewWidget* preview_;
  QLabel* description_;
  std::map<std::uint16_t, QPushButton*> buttons_;
  bool twoPages_ = false;
  int zoomLevel_ = 0;  // 0: the whole page fits the window
  bool printRequested_ = false;
};

}  // namespace pictor::app
