// The box shown while a catalogue prints: what is printed, to which printer, the page being
// printed, and 取消, which stops the job after the page in hand.
#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QPushButton;

namespace pictor::app {

class PrintingBox : public QDialog {
  Q_OBJECT

 public:
  // `toFile`: the port line names the output file ("to %1"), else the printer's port ("於 %1").
  PrintingBox(const QString& documentName, const QString& printerName, const QString& port, bool toFile,
              QWidget* parent = nullptr);

  // Shows the page line for `page` and lets the box repaint and hear 取消. False once cancelled.
  bool ShowPage(std::uint32_t page);
  bool Cancelled() const { return cancelled_; }

  QLabel* DocumentLabel() const { return document_; }
  QLabel* PrinterLabel() const { return printer_; }
  QLabel* PortLabel() const { return port_; }
  QLabel* PageLabel() const { return page_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  QLabel* document_;
  QLabel* printer_;
  QLabel* port_;
  QLabel* page_;
  QPushButton* cancel_;
  bool cancelled_ = false;
};

}  // namespace pictor::app
