#include "win32ui/radio_group.h"

#include <algorithm>
#include <string>

#include "win32ui/window_texts.h"

namespace quillon::win32ui {
namespace {

int LineHeight(HWND window, HFONT font) {
  const HDC dc = GetDC(window);
  const HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return static_cast<int>(metrics.tmHeight);
}

// The width a radio button needs for its circle and its text: a button is a window that takes every
// click in its rectangle, and the fields laid over the group beside the items must stay reachable.
int ButtonWidth(HWND window, HFONT font, const std::wstring& text) {
  const HDC dc = GetDC(window);
  const HGDIOBJ old = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  constexpr int kCircleGap = 4;  // between the circle and the text, and after the text for the focus frame
  return GetSystemMetrics(SM_CXMENUCHECK) + 2 * kCircleGap + static_cast<int>(extent.cx);
}

}  // namespace

void TRadioGroup::Create(HWND parent, const ControlSpec& spec, const RECT& rect, HFONT font, HINSTANCE instance) {
  const int width = static_cast<int>(rect.right - rect.left);
  const int height = static_cast<int>(rect.bottom - rect.top);
  // The box lies under the controls placed over it and paints only where they are not.
  box_ = CreateWindowExW(0, L"BUTTON", LoadText(instance, spec.text).c_str(),
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX, static_cast<int>(rect.left),
                         static_cast<int>(rect.top), width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
  SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetWindowPos(box_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  const std::vector<PixelRect> places =
      RadioItemRects(width, height, static_cast<int>(spec.items.size()), LineHeight(parent, font));
  for (std::size_t i = 0; i < spec.items.size(); ++i) {
    const RadioItem& item = spec.items[i];
    const PixelRect& place = places[i];
    // The first button starts the dialog manager's group: arrow keys move within it.
    const DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0);
    const std::wstring text = LoadText(instance, item.text);
    const int button_width = std::min(place.width, ButtonWidth(parent, font, text));
    HWND button = CreateWindowExW(0, L"BUTTON", text.c_str(), style, static_cast<int>(rect.left) + place.left,
                                  static_cast<int>(rect.top) + place.top, button_width, place.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    buttons_.push_back(button);
    ids_.push_back(item.id);
  }
  SetItemIndex(kSelectedAtStart);
}

int TRadioGroup::ItemIndex() const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (SendMessageW(buttons_[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return static_cast<int>(i);
  }
  return -1;
}

void TRadioGroup::SetItemIndex(int index) {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const bool selected = static_cast<int>(i) == index;
    SendMessageW(buttons_[i], BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    LONG_PTR style = GetWindowLongPtrW(buttons_[i], GWL_STYLE);
    style = selected ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(buttons_[i], GWL_STYLE, style);
  }
}

bool TRadioGroup::Owns(int control_id) const { return std::find(ids_.begin(), ids_.end(), control_id) != ids_.end(); }

}  // namespace quillon::win32ui
