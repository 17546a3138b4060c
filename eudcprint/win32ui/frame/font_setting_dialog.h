// 設定字形 (dialog 130 of the resources) over a FontSettingModel: the owner-drawn list shows the
// model's associations in its order and its selection, OK answers what the model accepts.
#pragma once

#include <windows.h>

#include "core/font_setting_model.h"

namespace pictor::win32ui {

class Win32FontSettingDialog : public FontSettingDialogPort {
 public:
  explicit Win32FontSettingDialog(HINSTANCE instance) : instance_(instance) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  std::optional<EudcAssociation> Run(FontSettingModel& model) override;

 private:
  HINSTANCE instance_;
  HWND owner_ = nullptr;
};

}  // namespace pictor::win32ui
