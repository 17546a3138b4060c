#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/form_model.h"
#include "core/form_view.h"
#include "core/path_style.h"
#include "core/ports.h"
#include "core/rename_session.h"
#include "win32ui/radio_group.h"
#include "win32ui/report_list_view.h"
#include "win32ui/win32_owners.h"

// What the window needs from the machine.
struct FormServices {
  HINSTANCE instance = nullptr;
  quillon::StartupPort* startup = nullptr;
  quillon::FileSystemPort* files = nullptr;
  quillon::LogFolderPort* logs = nullptr;
  quillon::ClockPort* clock = nullptr;
  quillon::PathStyle style = quillon::PathStyle::kWindows;
  std::string table_path;  // the rename table beside the program
};

// The renamer's only window, built with the system's own controls from the core's layout table;
// every rule is the form model's.
class TForm1 : private quillon::FormView {
 public:
  explicit TForm1(const FormServices& services);
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Creates the window and its controls, runs the start-up (whose messages come before the window
  // shows) and shows the window centred. False when the window cannot be made.
  bool Create(int show_command);
  HWND Handle() const { return window_.Get(); }
  // The dialog manager's keys (Tab, arrows, Space on buttons) for a message of the loop; true when
  // the message was handled so.
  bool HandleDialogKey(MSG& message);

  // The controls, by the names the program uses for them.
  quillon::win32ui::TRadioGroup rgDir;
  quillon::win32ui::TRadioGroup rgpFolder;
  HWND edtHD = nullptr;
  HWND edtPath = nullptr;
  HWND btnBrowser = nullptr;
  HWND btnStart = nullptr;
  quillon::win32ui::TReportListView lvLog;
  HWND btnStop = nullptr;
  HWND lblNow = nullptr;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
  LRESULT HandleMessage(UINT message, WPARAM w_param, LPARAM l_param);
  void CreateControls();
  HWND CreateControl(const quillon::ControlSpec& spec, HFONT font);
  HFONT FontFor(const quillon::FontSpec& spec);
  RECT ScaledRect(const quillon::PixelRect& rect) const;
  int Scaled(int pixels) const;
  void OnCommand(int control_id, int notification);
  void OnClose();
  HBRUSH ControlBrush(HWND control, HDC dc);

  // quillon::FormView
  int DirectionItem() override;
  int ScopeItem() override;
  std::u16string FolderText() override;
  void SelectScopeItem(int item) override;
  void SetDriveText(std::u16string_view text) override;
  void SetFolderText(std::u16string_view text) override;
  void FocusFolderField() override;
  void SetStartEnabled(bool enabled) override;
  void SetStopEnabled(bool enabled) override;
  void SetBusyCursor(bool busy) override;
  void ClearRows() override;
  void AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view folder) override;
  void ShowFolder(std::u16string_view path) override;
  void ShowMessage(const quillon::FormMessage& message) override;
  std::optional<std::string> BrowseForFolder(std::u16string_view title) override;
  void HandlePendingEvents() override;

  HINSTANCE instance_;
  std::string table_path_;
  quillon::RenameSession session_;
  quillon::FormModel model_;
  std::vector<quillon::win32ui::UniqueFont> fonts_;  // outlive the window and its controls
  quillon::win32ui::UniqueWindow window_;
  std::vector<HWND> button_face_controls_;  // drawn on the button face instead of the window colour
  int dpi_ = quillon::kLayoutPixelsPerInch;
  HWND last_focus_ = nullptr;  // given back when the window is activated again
  bool close_requested_ = false;
  std::string browse_title_;  // outlives the folder chooser, which keeps a pointer to it
};
