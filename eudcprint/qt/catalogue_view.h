// The program's view: on screen only the chosen association's name and EUDC file, centred; the
// catalogue itself is printed or previewed.
#pragma once

#include <QWidget>

#include "core/eudc_association.h"

namespace pictor::app {

class CatalogueView : public QWidget {
  Q_OBJECT

 public:
  CatalogueView(const EudcAssociation& association, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const EudcAssociation& association_;
};

}  // namespace pictor::app
