// window-texts TITLE: what a top-level window of another program shows, for the window tests:
// one line per child control, "id<TAB>class<TAB>enabled<TAB>checked<TAB>text", in UTF-8. The texts
// are asked with WM_GETTEXT, which the window system carries across processes. Exits 1 when no
// window has that title.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
  return text;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return text;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  wchar_t class_name[64] = {};
  GetClassNameW(child, class_name, 64);
  DWORD_PTR checked = 0;
  SendMessageTimeoutW(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &checked);
  std::printf("%d\t%s\t%d\t%d\t%s\n", GetDlgCtrlID(child), Utf8(class_name).c_str(), IsWindowEnabled(child) ? 1 : 0,
              static_cast<int>(checked), Utf8(TextOf(child)).c_str());
  return TRUE;
}

}  // namespace

int main() {
  // The title as typed, whatever the system's code page.
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count != 2) {
    std::fputs("usage: window-texts TITLE\n", stderr);
    return 2;
  }
  const HWND window = FindWindowW(nullptr, arguments[1]);
  LocalFree(arguments);
  if (window == nullptr) return 1;
  EnumChildWindows(window, PrintChild, 0);
  return 0;
}
