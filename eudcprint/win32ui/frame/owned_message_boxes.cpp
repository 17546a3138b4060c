#include "win32ui/frame/owned_message_boxes.h"

#include <windows.h>

#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui {

void OwnedMessageBoxes::Show(std::string_view text, std::string_view caption, MessageIcon icon) {
  UINT style = MB_OK;
  if (icon == MessageIcon::kStop) style |= MB_ICONSTOP;
  if (icon == MessageIcon::kInformation) style |= MB_ICONINFORMATION;
  MessageBoxW(GetActiveWindow(), Cp950ToWide(text).c_str(), Cp950ToWide(caption).c_str(), style);
}

}  // namespace pictor::win32ui
