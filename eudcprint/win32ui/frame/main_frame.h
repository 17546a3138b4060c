// The print program's frame window: menu 128, accelerators 128, icon 128 and the view, over the
// core's shell, which decides what every command does and whether it may. The frame carries the
// commands of its menu, its keys and sent messages alike to the shell, greys the menu's items as
// the shell says when a menu opens, and offers the shell what the window system has: the caption,
// repainting, the file dialogs and closing; printing goes to the printing side it is given.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/pictor_shell.h"
#include "win32ui/frame/catalogue_view.h"
#include "win32ui/frame/frame_printing.h"

namespace pictor::win32ui {

// What the frame is built over besides the program's ports.
struct FrameParts {
  FontSettingDialogPort& font_dialog;
  PrintRangeDialogPort& range_dialog;
  DocumentFilePort& documents;
  FramePrinting& printing;
};

class MainFrame : public ShellWindowPort {
 public:
  // Builds the frame's state as the shell does (EUDC support, input methods), before any window.
  MainFrame(HINSTANCE instance, ProgramState& state, const PictorPorts& ports, const FrameParts& parts);
  ~MainFrame() override;
  MainFrame(const MainFrame&) = delete;
  MainFrame& operator=(const MainFrame&) = delete;

  // Makes the window, hidden; false when the window system refuses.
  bool Create();
  void Show(int show_command);
  // After the window shows: the font-setting command, sent and waited for.
  void Start();
  // A key of the accelerator table becomes its command; true when the message was one.
  bool TranslateKeys(MSG& message);

  HWND Window() const { return window_; }
  HWND View() const { return view_.Window(); }
  PictorShell& Shell() { return *shell_; }

  // ShellWindowPort.
  void SetCaption(std::string_view cp950) override;
  void InvalidateView() override;
  std::optional<PrintChoice> AskPrint(const PrintDialogOffer& offer) override;
  void AskPageSetup() override;
  std::optional<ChosenFile> AskOpenPath() override;
  std::optional<ChosenFile> AskSavePath(const FileDialogTexts& texts) override;
  PrintTarget& Printer() override;
  std::unique_ptr<PrintingBoxPort> ShowPrintingBox(const PrintingBoxTexts& texts) override;
  void ShowPreview(PreviewModel& model, const PreviewPages& pages) override;
  void Close() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void EnableMenuItems(HMENU menu);

  HINSTANCE instance_;
  FramePrinting& printing_;
  CatalogueView view_;
  HWND window_ = nullptr;
  HACCEL accelerators_ = nullptr;
  std::wstring caption_;
  std::unique_ptr<PictorShell> shell_;
};

}  // namespace pictor::win32ui
