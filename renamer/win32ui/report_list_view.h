#pragma once

// The platform's report list view: column headers that do not click over rows of text, whole
// rows selected, no editing. Rows are only appended or all cleared.

#include <windows.h>

#include <string_view>

#include "core/form_layout.h"

namespace quillon::win32ui {

class TReportListView {
 public:
  void Create(HWND parent, const ControlSpec& spec, const RECT& rect, HFONT font, HINSTANCE instance, int dpi);

  HWND Handle() const { return handle_; }
  void AddRow(std::u16string_view first, std::u16string_view second, std::u16string_view third);
  void Clear();

 private:
  HWND handle_ = nullptr;
};

}  // namespace quillon::win32ui
