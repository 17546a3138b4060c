#include "tests/win32/dialog_driver.h"

namespace pictor::win32ui::testing {
namespace {

// The action waiting for its dialog; one at a time, on the one thread.
const std::function<void(HWND)>* waiting_action = nullptr;
UINT_PTR timer = 0;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && ClassOf(window) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK LookForDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr || waiting_action == nullptr) return;
  KillTimer(nullptr, timer);
  const auto* action = waiting_action;
  waiting_action = nullptr;
  (*action)(dialog);
}

struct ChildSearch {
  std::wstring class_name;
  std::wstring text;
  int id;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<ChildSearch*>(data);
  if (ClassOf(window) != search.class_name) return TRUE;
  if (search.text.empty() ? GetDlgCtrlID(window) == search.id : TextOf(window) == search.text) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void WithDialog(const std::function<void(HWND)>& action, const std::function<void()>& run) {
  waiting_action = &action;
  timer = SetTimer(nullptr, 0, 100, LookForDialog);
  run();
  if (waiting_action != nullptr) KillTimer(nullptr, timer);
  waiting_action = nullptr;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

HWND FindChild(HWND parent, const std::wstring& class_name, const std::wstring& text, int id) {
  ChildSearch search{class_name, text, id};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace pictor::win32ui::testing
