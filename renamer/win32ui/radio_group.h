#pragma once

// A radio group of the platform: a captioned group box with one column of radio buttons, which
// are the group box's siblings in the window so that their clicks reach the window. Only the
// selected button is a tab stop, so that Tab into the group lands on it.

#include <windows.h>

#include <vector>

#include "core/form_layout.h"

namespace quillon::win32ui {

class TRadioGroup {
 public:
  // Creates the group box and its buttons over `rect` (client pixels of `parent`), with the
  // texts and the font given; the item at kSelectedAtStart is selected.
  void Create(HWND parent, const ControlSpec& spec, const RECT& rect, HFONT font, HINSTANCE instance);

  HWND Box() const { return box_; }
  const std::vector<HWND>& Buttons() const { return buttons_; }
  int ItemIndex() const;
  void SetItemIndex(int index);
  // A button of this group was clicked: the selection (which the button made itself) moves the
  // tab stop along.
  bool Owns(int control_id) const;
  void ButtonClicked() { SetItemIndex(ItemIndex()); }

 private:
  HWND box_ = nullptr;
  std::vector<HWND> buttons_;
  std::vector<int> ids_;
};

}  // namespace quillon::win32ui
