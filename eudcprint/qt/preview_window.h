// The print preview: the toolbar of its template above Qt's preview widget, over the core's
// preview model, which decides the pages shown, the zoom, the buttons and the page description.
// The pages are drawn by the same job as printing, onto the preview's printer.
#pragma once

#include <QDialog>
#include <QPrinter>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/cp950_codec.h"
#include "core/preview_model.h"
#include "qt/qt_print_target.h"
#include "qt/template_dialog.h"

class QLabel;
class QPrintPreviewWidget;
class QPushButton;

namespace pictor::app {

class PreviewWindow : public QDialog {
  Q_OBJECT

 public:
  PreviewWindow(PreviewModel& model, const PreviewPages& pages, QPrinter& printer, CatalogueFiles files,
                const regfile::Cp950Codec& codec, const QString& caption, QWidget* parent = nullptr);

  // The toolbar's button of that id (ID_PREVIEW_...), null if none.
  QPushButton* Button(std::uint16_t id) const;
  QPrintPreviewWidget* Pages() const { return preview_; }
  QLabel* PageDescription() const { return description_; }

 private:
  void Press(std::uint16_t id);
  void ShowPages();
  void ShowZoom();
  void ShowControls();

  PreviewModel& model_;
  QWidget* toolbar_;
  TemplateControls toolbar_controls_;
  std::vector<std::pair<std::uint16_t, QPushButton*>> buttons_;  // the toolbar's, from the left
  QPrintPreviewWidget* preview_;
  QLabel* description_;
};

}  // namespace pictor::app
