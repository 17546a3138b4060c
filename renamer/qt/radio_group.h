#pragma once

#include <QGroupBox>
#include <QList>
#include <QRadioButton>
#include <QStringList>

// A captioned group of radio items with one selected item, laid out in one column the way the
// platform's radio group control does (RadioItemRects).
class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

  int ItemIndex() const;
  void SetItemIndex(int index);
  // Places the group and lays its items out at once, shown or not.
  void SetBounds(int left, int top, int width, int height);
  QRadioButton* Button(int index) const { return buttons_.value(index); }
  int Count() const { return static_cast<int>(buttons_.size()); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ArrangeButtons();

  QList<QRadioButton*> buttons_;
};
