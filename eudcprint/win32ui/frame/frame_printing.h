// What the frame hands to the printing side of the Windows front end: the print dialog, page
// setup, the printer, the printing box and the preview, owned by the frame's window. The frame
// knows only this interface; ForwardedPrinting puts any class with these members behind it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "core/eudc_association.h"
#include "core/preview_model.h"
#include "core/print_job.h"
#include "core/print_plan.h"
#include "core/printing_box.h"

namespace pictor::win32ui {

class FramePrinting {
 public:
  virtual ~FramePrinting() = default;
  virtual void SetOwner(HWND owner) = 0;
  // The association whose EUDC font file the pages draw their characters from; it outlives this.
  virtual void FollowAssociation(const EudcAssociation& association) = 0;
  virtual std::optional<PrintChoice> AskPrint(const PrintDialogOffer& offer) = 0;
  virtual void AskPageSetup() = 0;
  virtual PrintTarget& Printer() = 0;
  virtual std::unique_ptr<PrintingBoxPort> ShowPrintingBox(const PrintingBoxTexts& texts) = 0;
  virtual void ShowPreview(PreviewModel& model, const PreviewPages& pages) = 0;
};

template <typename Printing>
class ForwardedPrinting : public FramePrinting {
 public:
  explicit ForwardedPrinting(Printing& printing) : printing_(printing) {}
  void SetOwner(HWND owner) override { printing_.SetOwner(owner); }
  void FollowAssociation(const EudcAssociation& association) override { printing_.FollowAssociation(association); }
  std::optional<PrintChoice> AskPrint(const PrintDialogOffer& offer) override { return printing_.AskPrint(offer); }
  void AskPageSetup() override { printing_.AskPageSetup(); }
  PrintTarget& Printer() override { return printing_.Printer(); }
  std::unique_ptr<PrintingBoxPort> ShowPrintingBox(const PrintingBoxTexts& texts) override {
    return printing_.ShowPrintingBox(texts);
  }
  void ShowPreview(PreviewModel& model, const PreviewPages& pages) override { printing_.ShowPreview(model, pages); }

 private:
  Printing& printing_;
};

}  // namespace pictor::win32ui
