// The print program's frame without its window: the commands of menu 128 and accelerator table
// 128, each refused while disabled, the start-up chain from the font choice to the range choice,
// the document title, and the link put back when the frame goes. The window performs what only
// it can (printing, preview, print setup, the file dialogs, exit) through ShellWindowPort.
#pragma once

#include <cstdint>
#include <string_view>

#include "font_setting_model.h"
#include "print_range_model.h"
#include "program_state.h"

namespace pictor {

class ShellWindowPort {
 public:
  virtual ~ShellWindowPort() = default;
  // Shows the document title in the frame's caption, before the application title.
  virtual void SetDocumentTitle(std::string_view cp950) = 0;
  // Repaints the whole view, erasing its background.
  virtual void InvalidateView() = 0;
  // A command the window carries out itself: ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT,
  // ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_APP_EXIT.
  virtual void RunWindowCommand(std::uint16_t command) = 0;
};

class PictorShell {
 public:
  // Builds the frame's state: checks the platform's EUDC support and finds the input methods.
  PictorShell(ProgramState& state, const PictorPorts& ports, FontSettingDialogPort& fontDialog,
              PrintRangeDialogPort& rangeDialog, ShellWindowPort& window);
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

  // Puts back a removed link now (the frame's closing, or the application quitting); harmless
  // when called again.
  void RestoreLinks();

  const ProgramState& State() const { return state_; }

 private:
  void OnFontSetting();

  ProgramState& state_;
  const PictorPorts& ports_;
  FontSettingDialogPort& fontDialog_;
  PrintRangeDialogPort& rangeDialog_;
  ShellWindowPort& window_;
};

}  // namespace pictor
