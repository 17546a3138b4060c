// quillon_window_probe.exe: what another program's windows show, read through the system's
// window functions as a screen reader would, for the tests that drive quillon.exe under Wine.
// Prints one JSON object a line for every visible top-level window of another process (those with
// TITLE only, when given): its title, class, owner, styles, screen rectangle and client area, the
// control that has the focus in its thread, and each child control with its id, class, text,
// styles, rectangle in the window's client area, enabled and checked state, and for a list view
// its column titles and widths and every row's texts.
//
//   quillon_window_probe.exe [TITLE]

#include <windows.h>
// commctrl.h after windows.h
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int units = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), units, out.data(), bytes, nullptr, nullptr);
  return out;
}

// A JSON string; UTF-16 units that UTF-8 cannot carry alone (lone surrogates) as \u escapes.
std::string Json(std::wstring_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const bool low = c >= 0xDC00 && c <= 0xDFFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      out += Utf8(text.substr(i, 2));
      ++i;
    } else if (c == L'"' || c == L'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || high || low) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += Utf8(text.substr(i, 1));
    }
  }
  return out + "\"";
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

// The text through WM_GETTEXT, which the system carries between processes; a window whose thread
// does not answer within the time reads as empty rather than stopping the probe.
std::wstring TextOf(HWND window) {
  constexpr UINT kAnswerMilliseconds = 5000;
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMilliseconds, &length)) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           kAnswerMilliseconds, &got)) {
    return {};
  }
  text.resize(std::min(static_cast<std::size_t>(got), text.size()));
  return text;
}

// A JSON array of numbers.
std::string Numbers(std::initializer_list<long> values) {
  std::string out(1, '[');
  for (const long value : values) {
    if (out.size() > 1) out += ',';
    out += std::to_string(value);
  }
  out += ']';
  return out;
}

std::string Rect(const RECT& r) { return Numbers({r.left, r.top, r.right - r.left, r.bottom - r.top}); }

// Memory in the list view's process, for the list view's messages that take pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, std::size_t size) : size_(size) {
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Ready() const { return address_ != nullptr; }
  char* Address() const { return static_cast<char*>(address_); }
  void Write(std::size_t offset, const void* data, std::size_t size) {
    WriteProcessMemory(process_, Address() + offset, data, size, nullptr);
  }
  void Read(std::size_t offset, void* data, std::size_t size) {
    ReadProcessMemory(process_, Address() + offset, data, size, nullptr);
  }

 private:
  std::size_t size_;
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

constexpr int kTextUnits = 1024;

std::wstring RemoteText(RemoteBuffer& buffer, UINT message, WPARAM w_param, void* record, std::size_t record_size,
                        LPWSTR* text_field, HWND window) {
  const std::size_t text_offset = 256;
  *text_field = reinterpret_cast<LPWSTR>(buffer.Address() + text_offset);
  buffer.Write(0, record, record_size);
  SendMessageW(window, message, w_param, reinterpret_cast<LPARAM>(buffer.Address()));
  std::wstring text(kTextUnits, L'\0');
  buffer.Read(text_offset, text.data(), kTextUnits * sizeof(wchar_t));
  text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
  return text;
}

std::string ListView(HWND list) {
  RemoteBuffer buffer(list, 256 + kTextUnits * sizeof(wchar_t));
  if (!buffer.Ready()) return ",\"columns\":null,\"rows\":null";
  std::string columns = "[";
  const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int column_count = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int column = 0; column < column_count; ++column) {
    LVCOLUMNW record{};
    record.mask = LVCF_TEXT | LVCF_WIDTH;
    record.cchTextMax = kTextUnits;
    const std::wstring title =
        RemoteText(buffer, LVM_GETCOLUMNW, static_cast<WPARAM>(column), &record, sizeof record, &record.pszText, list);
    const auto width = SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0);
    columns += std::string(column ? "," : "") + "[" + Json(title) + "," + std::to_string(width) + "]";
  }
  std::string rows = "[";
  const int row_count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < row_count; ++row) {
    rows += row ? ",[" : "[";
    for (int column = 0; column < column_count; ++column) {
      LVITEMW record{};
      record.iSubItem = column;
      record.cchTextMax = kTextUnits;
      const std::wstring text =
          RemoteText(buffer, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), &record, sizeof record, &record.pszText, list);
      rows += std::string(column ? "," : "") + Json(text);
    }
    rows += "]";
  }
  return ",\"columns\":" + columns + "],\"rows\":" + rows + "]";
}

std::string Control(HWND window, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  const std::wstring class_name = ClassOf(control);
  std::string out = "{\"id\":" + std::to_string(GetDlgCtrlID(control)) + ",\"class\":" + Json(class_name) +
                    ",\"text\":" + Json(TextOf(control)) +
                    ",\"style\":" + std::to_string(static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE))) +
                    ",\"exstyle\":" + std::to_string(static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE))) +
                    ",\"rect\":" + Rect(r) + ",\"enabled\":" + (IsWindowEnabled(control) ? "true" : "false") +
                    ",\"visible\":" + (IsWindowVisible(control) ? "true" : "false") +
                    ",\"unicode\":" + (IsWindowUnicode(control) ? "true" : "false") +
                    ",\"checked\":" + (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "true" : "false") +
                    ",\"handle\":" + std::to_string(reinterpret_cast<UINT_PTR>(control));
  if (class_name == WC_LISTVIEWW) out += ListView(control);
  return out + "}";
}

struct Found {
  std::wstring title;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM found_pointer) {
  auto& found = *reinterpret_cast<Found*>(found_pointer);
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (process_id == GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  if (!found.title.empty() && TextOf(window) != found.title) return TRUE;
  found.windows.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM children_pointer) {
  reinterpret_cast<std::vector<HWND>*>(children_pointer)->push_back(child);
  return TRUE;
}

std::string Window(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  std::string out =
      "{\"handle\":" + std::to_string(reinterpret_cast<UINT_PTR>(window)) + ",\"title\":" + Json(TextOf(window)) +
      ",\"class\":" + Json(ClassOf(window)) +
      ",\"owner\":" + std::to_string(reinterpret_cast<UINT_PTR>(GetWindow(window, GW_OWNER))) +
      ",\"style\":" + std::to_string(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE))) +
      ",\"exstyle\":" + std::to_string(static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE))) +
      ",\"rect\":" + Rect(r) + ",\"client\":" + Numbers({origin.x, origin.y, client.right, client.bottom}) +
      ",\"enabled\":" + (IsWindowEnabled(window) ? "true" : "false") +
      ",\"active\":" + std::to_string(reinterpret_cast<UINT_PTR>(thread.hwndActive)) +
      ",\"focus\":" + std::to_string(reinterpret_cast<UINT_PTR>(thread.hwndFocus)) +
      ",\"screen\":" + Numbers({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}) + ",\"controls\":[";
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  bool first = true;
  for (const HWND child : children) {
    if (GetParent(child) != window) continue;  // a list view's header, a combo box's edit
    if (!first) out += ',';
    out += Control(window, child);
    first = false;
  }
  return out + "]}";
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  Found found;
  if (arguments && count > 1) found.title = arguments[1];
  LocalFree(arguments);
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
  std::string out;
  for (const HWND window : found.windows) out += Window(window) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
  return 0;
}
