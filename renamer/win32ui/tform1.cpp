#include "win32ui/tform1.h"

#include <commctrl.h>

#include <algorithm>

#include "core/form_layout.h"
#include "platform/win32/win32_file_system.h"
#include "resources/resource.h"
#include "win32ui/browse_for_folder_dialog.h"
#include "win32ui/window_texts.h"

namespace {

using quillon::win32ui::LoadText;
using quillon::win32ui::WidenAscii;

UINT BoxIcon(quillon::MessageIcon icon) {
  switch (icon) {
    case quillon::MessageIcon::kWarning:
      return MB_ICONWARNING;
    case quillon::MessageIcon::kInformation:
      return MB_ICONINFORMATION;
    case quillon::MessageIcon::kError:
      break;
  }
  return MB_ICONERROR;
}

DWORD WindowStyle(const quillon::WindowSpec& window) {
  // Not WS_CLIPCHILDREN: a group box paints only its frame and caption, and the window's own
  // background must show inside it.
  DWORD style = WS_OVERLAPPED | WS_CAPTION;
  if (window.system_menu) style |= WS_SYSMENU;
  if (window.minimize_box) style |= WS_MINIMIZEBOX;
  if (window.maximize_box) style |= WS_MAXIMIZEBOX;
  if (!window.fixed_border) style |= WS_THICKFRAME;
  return style;
}

bool Has(const quillon::ControlSpec& spec, std::uint32_t property) { return (spec.properties & property) != 0; }

HMENU ControlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

}  // namespace

TForm1::TForm1(const FormServices& services)
    : instance_(services.instance),
      table_path_(services.table_path),
      session_(*services.startup, *services.files, *services.logs, *services.clock, services.style),
      model_(session_, *this) {}

TForm1::~TForm1() {
  // A window still there goes without calling back into the form being destroyed.
  if (IsWindow(window_.Get())) SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
}

bool TForm1::Create(int show_command) {
  const quillon::WindowSpec& window = quillon::MainWindow();
  const std::wstring class_name = WidenAscii(window.class_name);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &TForm1::WindowProcedure;
  window_class.hInstance = instance_;
  window_class.hIcon =
      static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                    GetSystemMetrics(SM_CYICON), LR_SHARED));
  window_class.hIconSm =
      static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(
      static_cast<INT_PTR>((window.button_face_background ? COLOR_BTNFACE : COLOR_WINDOW) + 1));
  window_class.lpszClassName = class_name.c_str();
  if (!RegisterClassExW(&window_class)) return false;

  {
    quillon::win32ui::ScreenContext screen;
    dpi_ = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  }
  if (dpi_ <= 0) dpi_ = quillon::kLayoutPixelsPerInch;

  // The client area has the table's size; the frame goes around it.
  const DWORD style = WindowStyle(window);
  RECT frame{0, 0, Scaled(window.client_width), Scaled(window.client_height)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = static_cast<int>(frame.right - frame.left);
  const int height = static_cast<int>(frame.bottom - frame.top);
  int left = CW_USEDEFAULT;
  int top = CW_USEDEFAULT;
  if (window.centred) {
    left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  const std::wstring caption = LoadText(instance_, window.caption);
  HWND handle = CreateWindowExW(0, class_name.c_str(), caption.c_str(), style, left, top, width, height, nullptr,
                                nullptr, instance_, this);
  if (!handle) return false;
  window_.Reset(handle);

  CreateControls();
  // The start-up's messages come before the window shows, and the window opens after them.
  model_.FormCreate(table_path_);
  ShowWindow(handle, show_command);
  UpdateWindow(handle);
  return true;
}

bool TForm1::HandleDialogKey(MSG& message) { return window_ && IsDialogMessageW(window_.Get(), &message) != 0; }

int TForm1::Scaled(int pixels) const { return MulDiv(pixels, dpi_, quillon::kLayoutPixelsPerInch); }

RECT TForm1::ScaledRect(const quillon::PixelRect& rect) const {
  return RECT{Scaled(rect.left), Scaled(rect.top), Scaled(rect.left + rect.width), Scaled(rect.top + rect.height)};
}

HFONT TForm1::FontFor(const quillon::FontSpec& spec) {
  // A negative height is the character height in pixels; the face is matched in the system's own
  // character set, so that a face without Chinese is stood in for by one with it.
  const std::wstring face = WidenAscii(spec.face);
  quillon::win32ui::UniqueFont font(CreateFontW(Scaled(spec.height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
  const HFONT handle = font.Get();
  fonts_.push_back(std::move(font));
  return handle;
}

void TForm1::CreateControls() {
  const quillon::WindowSpec& window = quillon::MainWindow();
  const HFONT window_font = FontFor(window.font);
  SendMessageW(window_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(window_font), FALSE);
  // Created in tab order, which is the order the dialog manager's keys go through them.
  for (const quillon::ControlSpec& spec : window.controls) {
    const HFONT font = spec.font ? FontFor(*spec.font) : window_font;
    HWND control = CreateControl(spec, font);
    if (spec.name == "edtHD") edtHD = control;
    if (spec.name == "edtPath") edtPath = control;
    if (spec.name == "btnBrowser") btnBrowser = control;
    if (spec.name == "btnStart") btnStart = control;
    if (spec.name == "btnStop") btnStop = control;
    if (spec.name == "lblNow") lblNow = control;
  }
}

HWND TForm1::CreateControl(const quillon::ControlSpec& spec, HFONT font) {
  using quillon::ControlKind;
  const RECT r = ScaledRect(spec.rect);
  const int x = static_cast<int>(r.left);
  const int y = static_cast<int>(r.top);
  const int width = static_cast<int>(r.right - r.left);
  const int height = static_cast<int>(r.bottom - r.top);
  const HWND parent = window_.Get();
  // Every control but a radio button starts a group of the dialog manager's arrow keys.
  DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP;
  if (!Has(spec, quillon::kTakesNoFocus)) style |= WS_TABSTOP;
  if (Has(spec, quillon::kDisabledAtStart)) style |= WS_DISABLED;
  HWND control = nullptr;
  switch (spec.kind) {
    case ControlKind::kRadioGroup: {
      quillon::win32ui::TRadioGroup& group = spec.id == quillon::kIdRgDir ? rgDir : rgpFolder;
      group.Create(parent, spec, r, font, instance_);
      return group.Box();
    }
    case ControlKind::kListView:
      lvLog.Create(parent, spec, r, font, instance_, dpi_);
      return lvLog.Handle();
    case ControlKind::kEdit: {
      style |= ES_AUTOHSCROLL;
      if (Has(spec, quillon::kReadOnly)) style |= ES_READONLY;
      DWORD extended = WS_EX_CLIENTEDGE;
      if (Has(spec, quillon::kFlatBorder)) {
        style |= WS_BORDER;
        extended = 0;
      }
      const std::wstring text = LoadText(instance_, spec.text);
      if (Has(spec, quillon::kEightBitText)) {
        // An edit of the system's 8-bit code page.
        control = CreateWindowExA(extended, "EDIT", quillon::win32ui::ToCodePage(text).c_str(), style, x, y, width,
                                  height, parent, ControlId(spec.id), instance_, nullptr);
      } else {
        control = CreateWindowExW(extended, L"EDIT", text.c_str(), style, x, y, width, height, parent,
                                  ControlId(spec.id), instance_, nullptr);
      }
      break;
    }
    case ControlKind::kButton:
      control = CreateWindowExW(0, L"BUTTON", LoadText(instance_, spec.text).c_str(), style | BS_PUSHBUTTON, x, y,
                                width, height, parent, ControlId(spec.id), instance_, nullptr);
      break;
    case ControlKind::kLabel:
      // Text as it is (an & is not a mnemonic), wrapped at words when it is wider than the label.
      style |= SS_NOPREFIX | (Has(spec, quillon::kWordWrap) ? SS_LEFT : SS_LEFTNOWORDWRAP);
      control = CreateWindowExW(0, L"STATIC", LoadText(instance_, spec.text).c_str(), style, x, y, width, height,
                                parent, ControlId(spec.id), instance_, nullptr);
      break;
  }
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (Has(spec, quillon::kButtonFaceBackground)) button_face_controls_.push_back(control);
  return control;
}

LRESULT CALLBACK TForm1::WindowProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(l_param);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form || !form->window_) return DefWindowProcW(window, message, w_param, l_param);
  return form->HandleMessage(message, w_param, l_param);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM w_param, LPARAM l_param) {
  const HWND window = window_.Get();
  switch (message) {
    case WM_COMMAND:
      if (l_param != 0) OnCommand(LOWORD(w_param), HIWORD(w_param));
      return 0;
    case WM_ACTIVATE:
      // A plain window keeps no focus of its own: the control that had it gets it back, or the first
      // control in tab order when none had it yet.
      if (LOWORD(w_param) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) last_focus_ = focus;
      } else if (HIWORD(w_param) == 0) {
        const HWND focus =
            last_focus_ && IsWindow(last_focus_) ? last_focus_ : GetNextDlgTabItem(window, nullptr, FALSE);
        if (focus) SetFocus(focus);
      }
      return 0;
    case WM_SETCURSOR:
      if (model_.Busy()) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (const HBRUSH brush = ControlBrush(reinterpret_cast<HWND>(l_param), reinterpret_cast<HDC>(w_param))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, w_param, l_param);
}

HBRUSH TForm1::ControlBrush(HWND control, HDC dc) {
  if (std::find(button_face_controls_.begin(), button_face_controls_.end(), control) == button_face_controls_.end()) {
    return nullptr;
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

void TForm1::OnCommand(int control_id, int notification) {
  if (rgDir.Owns(control_id) || rgpFolder.Owns(control_id)) {
    if (notification == BN_CLICKED) (rgDir.Owns(control_id) ? rgDir : rgpFolder).ButtonClicked();
    return;
  }
  const quillon::ControlSpec* spec = quillon::FindControl(control_id);
  if (!spec) return;
  // Any focus-in of a field enters it: a click (also the one that activates the window), Tab, or
  // the program.
  if (spec->kind == quillon::ControlKind::kEdit && notification == EN_SETFOCUS) {
    model_.OnControlEvent(control_id, quillon::ControlEvent::kEnter);
  } else if (spec->kind == quillon::ControlKind::kButton && notification == BN_CLICKED) {
    model_.OnControlEvent(control_id, quillon::ControlEvent::kClick);
  }
  // A close asked for during a run waited for the run to write its log.
  if (close_requested_ && !model_.RunActive()) DestroyWindow(window_.Get());
}

void TForm1::OnClose() {
  model_.FormClose();
  // A run under way is inside a click further down this thread's stack: it stops, writes its log
  // and returns, and the window goes after it.
  if (model_.RunActive()) {
    close_requested_ = true;
    return;
  }
  DestroyWindow(window_.Get());
}

int TForm1::DirectionItem() { return rgDir.ItemIndex(); }

int TForm1::ScopeItem() { return rgpFolder.ItemIndex(); }

std::u16string TForm1::FolderText() {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edtPath)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(edtPath, text.data(), static_cast<int>(text.size()))));
  return quillon::win32::FromWide(text);
}

void TForm1::SelectScopeItem(int item) { rgpFolder.SetItemIndex(item); }

void TForm1::SetDriveText(std::u16string_view text) {
  SetWindowTextA(edtHD, quillon::win32ui::ToCodePage(quillon::win32::ToWide(text)).c_str());
}

void TForm1::SetFolderText(std::u16string_view text) { SetWindowTextW(edtPath, quillon::win32::ToWide(text).c_str()); }

void TForm1::FocusFolderField() { SetFocus(edtPath); }

void TForm1::SetStartEnabled(bool enabled) { EnableWindow(btnStart, enabled); }

void TForm1::SetStopEnabled(bool enabled) { EnableWindow(btnStop, enabled); }

void TForm1::SetBusyCursor(bool busy) {
  // WM_SETCURSOR keeps it so wherever the pointer goes; this shows the change at once.
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void TForm1::ClearRows() { lvLog.Clear(); }

void TForm1::AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view folder) {
  lvLog.AddRow(display_name, result, folder);
}

void TForm1::ShowFolder(std::u16string_view path) { SetWindowTextW(lblNow, quillon::win32::ToWide(path).c_str()); }

void TForm1::ShowMessage(const quillon::FormMessage& message) {
  // Before the window shows (start-up) the box stands alone.
  const HWND owner = IsWindowVisible(window_.Get()) ? window_.Get() : nullptr;
  MessageBoxW(owner, quillon::win32::ToWide(message.text).c_str(), quillon::win32::ToWide(message.caption).c_str(),
              MB_OK | BoxIcon(message.icon) | (owner ? 0u : static_cast<UINT>(MB_TASKMODAL)));
}

std::optional<std::string> TForm1::BrowseForFolder(std::u16string_view title) {
  TBrowseForFolderDialog dialog;
  browse_title_ = quillon::win32ui::ToCodePage(quillon::win32::ToWide(title));
  dialog.SetTitle(browse_title_.c_str());
  const bool chosen = dialog.Execute();
  // The window is active again, chosen or cancelled, before the form model gives the folder field
  // the focus (without a window manager the closed chooser leaves no window active).
  SetActiveWindow(window_.Get());
  if (!chosen) return std::nullopt;
  return std::string(dialog.Folder());
}

void TForm1::HandlePendingEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The loop that ends the program must see it too.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (HandleDialogKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}
