// The print program's frame without its window: the commands of menu 128 and accelerator table
// 128, each refused while disabled, the start-up chain from the font choice to the range choice,
// the document and its title, printing (the print dialog's offer, the file to print into, the
// printing box, the job), the preview, and the link put back when the frame goes. The window
// offers only what the platform has: its dialogs, its printer, the printing box, the preview, and
// closing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "font_setting_model.h"
#include "pictor_document.h"
#include "preview_model.h"
#include "print_plan.h"
#include "print_range_model.h"
#include "printing_box.h"
#include "program_state.h"

namespace pictor {

// A file chosen in a file dialog: its path as the platform names it, and its name without the
// folders (code page 950), as a title shows it.
struct ChosenFile {
  std::string path;
  std::string name;
};

class ShellWindowPort {
 public:
  virtual ~ShellWindowPort() = default;
  // The frame's caption.
  virtual void SetCaption(std::string_view cp950) = 0;
  // Repaints the whole view, erasing its background.
  virtual void InvalidateView() = 0;
  // The platform's print dialog over its printer, opened as offered; nullopt when cancelled.
  virtual std::optional<PrintChoice> AskPrint(const PrintDialogOffer& offer) = 0;
  // The platform's page setup of its printer.
  virtual void AskPageSetup() = 0;
  // The platform's file dialogs; nullopt when cancelled.
  virtual std::optional<ChosenFile> AskOpenPath() = 0;
  virtual std::optional<ChosenFile> AskSavePath(const FileDialogTexts& texts) = 0;
  // The program's printer as it is set up now.
  virtual PrintTarget& Printer() = 0;
  // Shows the printing box with these lines until the returned box goes.
  virtual std::unique_ptr<PrintingBoxPort> ShowPrintingBox(const PrintingBoxTexts& texts) = 0;
  // Runs the preview modally over the model, drawing the pages it shows, until 關閉 or 列印.
  virtual void ShowPreview(PreviewModel& model, const PreviewPages& pages) = 0;
  // Closes the frame (the program ends with it).
  virtual void Close() = 0;
};

struct ShellPorts {
  FontSettingDialogPort& font_dialog;
  PrintRangeDialogPort& range_dialog;
  DocumentFilePort& documents;
  ShellWindowPort& window;
};

class PictorShell {
 public:
  // Builds the frame's state: checks the platform's EUDC support and finds the input methods;
  // shows the untitled document's caption.
  PictorShell(ProgramState& state, const PictorPorts& ports, const ShellPorts& shell);
  // The frame going away: puts back a link the font choice set aside.
  ~PictorShell();
  PictorShell(const PictorShell&) = delete;
  PictorShell& operator=(const PictorShell&) = delete;

  // After the window is shown: the font-setting command, at once.
  void Start();

  // Carries out a command from a menu, an accelerator or a sent message. False when the command
  // is disabled (nothing happens then) or has no effect in this program.
  bool Execute(std::uint16_t command);
  bool IsEnabled(std::uint16_t command) const;

  // A document named on the command line: false, and nothing changes, when it cannot be read.
  bool OpenDocument(const ChosenFile& file);

  // Puts back a removed link now (the frame's closing, or the program ending otherwise); harmless
  // when called again.
  void RestoreLinks();

  const ProgramState& State() const { return state_; }
  const PictorDocument& Document() const { return document_; }

 private:
  void OnFontSetting();
  void OnFileOpen();
  void OnFileSave();
  void OnFilePrint(bool with_dialog);
  void OnFilePrintPreview();
  void ShowCaption();
  void Tell(std::string_view text);

  ProgramState& state_;
  const PictorPorts& ports_;
  ShellPorts shell_;
  PictorDocument document_;
};

}  // namespace pictor
