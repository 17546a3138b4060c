#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "form_messages.h"

namespace quillon {

// The window as the form model sees it: what the user chose in its controls, and what the model
// has it show. A front end maps each call onto its controls and decides nothing itself.
class FormView {
 public:
  virtual ~FormView() = default;

  // The selected items of rgDir and rgpFolder, and the text of edtPath.
  virtual int DirectionItem() = 0;
  virtual int ScopeItem() = 0;
  virtual std::u16string FolderText() = 0;

  virtual void SelectScopeItem(int item) = 0;
  virtual void SetDriveText(std::u16string_view text) = 0;   // edtHD
  virtual void SetFolderText(std::u16string_view text) = 0;  // edtPath
  virtual void FocusFolderField() = 0;                       // edtPath gets the focus
  virtual void SetStartEnabled(bool enabled) = 0;
  virtual void SetStopEnabled(bool enabled) = 0;
  virtual void SetBusyCursor(bool busy) = 0;  // the program-wide hourglass
  virtual void ClearRows() = 0;               // lvLog
  virtual void AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view folder) = 0;
  virtual void ShowFolder(std::u16string_view path) = 0;  // lblNow
  // A modal message box; returns once it is dismissed.
  virtual void ShowMessage(const FormMessage& message) = 0;
  // The system's folder chooser, owned by the active window, starting at the desktop, showing only
  // file-system folders: the chosen path in the system's 8-bit code page, nothing when cancelled.
  virtual std::optional<std::string> BrowseForFolder(std::u16string_view title) = 0;
  // Handles every pending event of the window (repaints, clicks, keys), then returns.
  virtual void HandlePendingEvents() = 0;
};

}  // namespace quillon
