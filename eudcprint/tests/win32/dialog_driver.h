// Drives a modal dialog of this thread from a timer while the call that runs it waits: the
// action sees the dialog window as it opened (its fields filled), changes it and ends it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace pictor::win32ui::testing {

// Calls `action` with the first dialog box (class #32770) that this thread shows, once, while
// `run` runs. The action must end the dialog, or `run` does not return.
void WithDialog(const std::function<void(HWND)>& action, const std::function<void()>& run);

// A control's text, and its class name.
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
// The first child (at any depth) of that class whose text is `text`, or of that control id when
// `text` is empty; null when there is none.
HWND FindChild(HWND parent, const std::wstring& class_name, const std::wstring& text, int id = -1);

}  // namespace pictor::win32ui::testing
