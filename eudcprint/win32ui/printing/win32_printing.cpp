#include "win32ui/printing/win32_printing.h"

#include <string>

#include "win32ui/printing/metafile_target.h"
#include "win32ui/printing/preview_window.h"
#include "win32ui/printing/printer_dialogs.h"
#include "win32ui/printing/printer_settings.h"
#include "win32ui/printing/printing_box_window.h"
#include "win32ui/printing/save_file_dialog.h"
#include "win32ui/printing/wide_text.h"
#include "win32ui/printing/win32_print_target.h"

namespace pictor::win32ui {

struct Win32Printing::State {
  std::wstring EudcFontFile() const {
    return association != nullptr ? Cp950ToWide(association->font_file_path) : std::wstring();
  }
  std::wstring OwnerCaption() const {
    if (owner == nullptr) return {};
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(owner)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(owner, caption.data(), static_cast<int>(caption.size()))));
    return caption;
  }

  HWND owner = nullptr;
  const EudcAssociation* association = nullptr;
  PrinterSettings printer;
  Win32PrintTarget target{printer, [this] { return EudcFontFile(); }};
};

Win32Printing::Win32Printing() : state_(std::make_unique<State>()) {}

Win32Printing::~Win32Printing() = default;

void Win32Printing::SetOwner(HWND owner) { state_->owner = owner; }

void Win32Printing::FollowAssociation(const EudcAssociation& association) { state_->association = &association; }

std::optional<PrintChoice> Win32Printing::AskPrint(const PrintDialogOffer& offer) {
  const auto answer = AskPrintDialog(state_->owner, state_->printer, offer);
  if (!answer) return std::nullopt;
  state_->target.PrintToFile(answer->to_file);
  return answer->choice;
}

void Win32Printing::AskPageSetup() { AskPageSetupDialog(state_->owner, state_->printer); }

PrintTarget& Win32Printing::Printer() { return state_->target; }

std::unique_ptr<PrintingBoxPort> Win32Printing::ShowPrintingBox(const PrintingBoxTexts& texts) {
  return std::make_unique<PrintingBoxWindow>(state_->owner, texts);
}

void Win32Printing::ShowPreview(PreviewModel& model, const PreviewPages& pages) {
  if (!state_->printer.EnsurePrinter(true)) return;
  const DeviceContext reference = state_->printer.CreateContext(true);
  if (reference == nullptr) return;
  // Loaded before the pages create any font of its family, and kept while they are shown.
  auto eudc = std::make_shared<const PrivateFontFile>(state_->EudcFontFile());
  MetafileTarget target(reference.get(), PrintableAreaOf(reference.get()), std::move(eudc));
  std::wstring caption = state_->OwnerCaption();
  if (caption.empty()) caption = Cp950ToWide(pages.Title());
  PreviewWindow window(state_->owner, model, pages, target, state_->printer.Paper(), caption);
  window.RunModal();
}

std::optional<ChosenFile> Win32Printing::AskSavePath(const FileDialogTexts& texts) {
  return AskSaveFile(state_->owner, texts);
}

std::int64_t Win32Printing::MissingGlyphs() const { return state_->target.MissingGlyphs(); }

}  // namespace pictor::win32ui
