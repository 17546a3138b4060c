// The print preview: the toolbar of dialog 30723 above the pages, with the page description at
// its right, over the core's preview model, which decides the pages shown, the zoom, the buttons'
// texts and enabling. The pages are drawn by the same job as printing, recorded on the printer's
// measures, and played onto sheets of the printer's paper.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/preview_model.h"
#include "win32ui/printing/gdi_owners.h"
#include "win32ui/printing/metafile_target.h"
#include "win32ui/printing/preview_layout.h"
#include "win32ui/printing/printer_settings.h"

namespace pictor::win32ui {

class PreviewWindow {
 public:
  // A window over `owner` (may be null) captioned `caption`, showing the model's pages recorded
  // onto `target` on sheets of `paper`. Throws std::runtime_error when the windows cannot be made
  // (the toolbar's dialog missing from the program's resources).
  PreviewWindow(HWND owner, PreviewModel& model, const PreviewPages& pages, MetafileTarget& target,
                const PaperGeometry& paper, const std::wstring& caption);
  ~PreviewWindow();
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;

  // Shows the window and handles messages until 關閉 or 列印 (or the window is closed); the owner
  // is disabled meanwhile.
  void RunModal();

  // A toolbar button, as its click does.
  void Press(std::uint16_t id);
  bool Finished() const { return finished_; }

  HWND Window() const { return frame_; }
  HWND Toolbar() const { return toolbar_; }
  HWND Button(std::uint16_t id) const { return GetDlgItem(toolbar_, id); }
  HWND Description() const { return description_; }
  HWND View() const { return view_; }
  // Where the sheets lie in the view now.
  const PreviewLayout& Layout() const { return layout_; }

 private:
  void ShowPages();
  void ShowControls();
  void FocusToolbar();
  void ArrangeChildren();
  void LayOutSheets();
  void Scroll(int bar, int request, int wheel_lines);
  void Paint(HDC dc, const RECT& client);

  static LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
  static LRESULT CALLBACK ViewProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
  static INT_PTR CALLBACK ToolbarProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);

  HWND owner_;
  PreviewModel& model_;
  const PreviewPages& pages_;
  MetafileTarget& target_;
  PaperGeometry paper_;
  HWND frame_ = nullptr;
  HWND toolbar_ = nullptr;
  HWND description_ = nullptr;
  HWND view_ = nullptr;
  PreviewLayout layout_;
  POINT scroll_{};
  bool finished_ = false;
};

}  // namespace pictor::win32ui
