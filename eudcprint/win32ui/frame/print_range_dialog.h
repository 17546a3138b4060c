// 設定列印範圍 (dialog 131 of the resources) over a PrintRangeModel: each click, choice, focus and
// edit goes to the model, and the controls show the model afterwards.
#pragma once

#include <windows.h>

#include "core/print_range_model.h"

namespace pictor::win32ui {

class Win32PrintRangeDialog : public PrintRangeDialogPort {
 public:
  explicit Win32PrintRangeDialog(HINSTANCE instance) : instance_(instance) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  bool Run(PrintRangeModel& model) override;

 private:
  HINSTANCE instance_;
  HWND owner_ = nullptr;
};

}  // namespace pictor::win32ui
