// The typefaces the font-setting dialog offers, as EnumFontsA reports them over the display
// context of the program's window.
#pragma once

#include <windows.h>

#include "core/platform_ports.h"

namespace pictor::win32ui {

class WindowFontList : public FontListPort {
 public:
  // Until a window is set, the screen's display context.
  void SetWindow(HWND window) { window_ = window; }
  std::vector<FontFace> InstalledFaces() override;

 private:
  HWND window_ = nullptr;
};

}  // namespace pictor::win32ui
