// The frame's view: a child window filling the frame's client area that shows the chosen
// association's display name and EUDC file, centred, and nothing while none is chosen.
#pragma once

#include <windows.h>

#include "core/eudc_association.h"

namespace pictor::win32ui {

class CatalogueView {
 public:
  // Registers the view's window class once per process.
  static void Register(HINSTANCE instance);

  CatalogueView(const EudcAssociation& association) : association_(association) {}
  CatalogueView(const CatalogueView&) = delete;
  CatalogueView& operator=(const CatalogueView&) = delete;

  // Makes the window inside `frame`; it goes with the frame.
  HWND Create(HINSTANCE instance, HWND frame);
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void Paint();

  const EudcAssociation& association_;
  HWND window_ = nullptr;
};

}  // namespace pictor::win32ui
