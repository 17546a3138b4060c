#include "win32ui/printing/preview_window.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

#include "core/dialog_templates.h"
#include "core/shell_resources.h"
#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui {
namespace {

constexpr const wchar_t* kFrameClass = L"PictorPreview";
constexpr const wchar_t* kViewClass = L"PictorPreviewPages";
// The window's size when it has no owner to take its size from.
constexpr int kDefaultWidth = 900;
constexpr int kDefaultHeight = 760;
// The page description's distance from the toolbar.
constexpr int kDescriptionGap = 8;
// Pixels a scroll-bar arrow moves the sheets.
constexpr int kScrollLine = 20;
// The sheets' shadow.
constexpr int kShadow = 3;

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, int background) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
  window_class.lpszClassName = name;
  // Registered by the first preview of the run; later ones find the class.
  RegisterClassExW(&window_class);
}

template <typename T>
T* Owner(HWND window) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT Attach(HWND window, LPARAM l_param) {
  const auto* create = reinterpret_cast<const CREATESTRUCTW*>(l_param);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  return TRUE;
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

}  // namespace

PreviewWindow::PreviewWindow(HWND owner, PreviewModel& model, const PreviewPages& pages, MetafileTarget& target,
                             const PaperGeometry& paper, const std::wstring& caption)
    : owner_(owner), model_(model), pages_(pages), target_(target), paper_(paper) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(kFrameClass, FrameProcedure, COLOR_BTNFACE);
  RegisterWindowClass(kViewClass, ViewProcedure, COLOR_APPWORKSPACE);
  RECT place{CW_USEDEFAULT, CW_USEDEFAULT, kDefaultWidth, kDefaultHeight};
  RECT owner_rect{};
  if (owner_ != nullptr && GetWindowRect(owner_, &owner_rect)) {
    place = {owner_rect.left, owner_rect.top, owner_rect.right - owner_rect.left, owner_rect.bottom - owner_rect.top};
  }
  frame_ = CreateWindowExW(0, kFrameClass, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place.left,
                           place.top, place.right, place.bottom, owner_, nullptr, instance, this);
  if (frame_ == nullptr) throw std::runtime_error("the preview window cannot be created");
  toolbar_ = CreateDialogParamW(instance, MAKEINTRESOURCEW(kPreviewToolbarId), frame_, ToolbarProcedure,
                                reinterpret_cast<LPARAM>(this));
  if (toolbar_ == nullptr) {
    DestroyWindow(frame_);
    throw std::runtime_error("the preview's toolbar (dialog 30723) cannot be created");
  }
  description_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0,
                                 0, 0, 0, frame_, nullptr, instance, nullptr);
  SendMessageW(description_, WM_SETFONT, SendMessageW(toolbar_, WM_GETFONT, 0, 0), FALSE);
  view_ = CreateWindowExW(WS_EX_CLIENTEDGE, kViewClass, L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0, 0, 0,
                          0, frame_, nullptr, instance, this);
  ShowWindow(toolbar_, SW_SHOW);
  ArrangeChildren();
  ShowPages();
}

PreviewWindow::~PreviewWindow() {
  if (owner_ != nullptr) EnableWindow(owner_, TRUE);
  SetWindowLongPtrW(view_, GWLP_USERDATA, 0);
  SetWindowLongPtrW(frame_, GWLP_USERDATA, 0);
  SetWindowLongPtrW(toolbar_, DWLP_USER, 0);
  DestroyWindow(frame_);
}

void PreviewWindow::RunModal() {
  const bool owner_was_enabled = owner_ != nullptr && EnableWindow(owner_, FALSE) == FALSE;
  ShowWindow(frame_, SW_SHOW);
  UpdateWindow(frame_);
  FocusToolbar();
  MSG message;
  while (!finished_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the preview goes, and the loop that runs the program hears it too.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      finished_ = true;
      break;
    }
    if (IsDialogMessageW(toolbar_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // The owner comes back before the preview goes, so that it is the window activated then.
  if (owner_was_enabled) EnableWindow(owner_, TRUE);
  ShowWindow(frame_, SW_HIDE);
}

void PreviewWindow::Press(std::uint16_t id) {
  switch (model_.Press(id)) {
    case PreviewAction::kNone:
      return;
    case PreviewAction::kShowPages:
      ShowPages();
      return;
    case PreviewAction::kZoom:
      scroll_ = {};
      LayOutSheets();
      ShowControls();
      return;
    case PreviewAction::kClose:
    case PreviewAction::kPrint:
      finished_ = true;
      return;
  }
}

void PreviewWindow::ShowPages() {
  pages_.Draw(target_, model_.Shown());
  scroll_ = {};
  LayOutSheets();
  ShowControls();
}

void PreviewWindow::ShowControls() {
  for (const ControlTemplate& control : PreviewToolbarTemplate().controls) {
    const auto id = static_cast<std::uint16_t>(control.id);
    const HWND button = Button(id);
    SetWindowTextW(button, Cp950ToWide(model_.Label(id)).c_str());
    EnableWindow(button, model_.IsEnabled(id));
  }
  SetWindowTextW(description_, Cp950ToWide(model_.Description()).c_str());
  FocusToolbar();
}

void PreviewWindow::FocusToolbar() {
  // The toolbar holds the focus, so that its buttons' letters work; a button just disabled
  // passes it on.
  const HWND focus = GetFocus();
  if (focus != nullptr && IsChild(toolbar_, focus) && IsWindowEnabled(focus)) return;
  if (GetActiveWindow() != frame_) return;
  for (const ControlTemplate& control : PreviewToolbarTemplate().controls) {
    const HWND button = Button(static_cast<std::uint16_t>(control.id));
    if (IsWindowEnabled(button)) {
      SendMessageW(toolbar_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
      return;
    }
  }
}

void PreviewWindow::ArrangeChildren() {
  const SIZE client = ClientSize(frame_);
  RECT toolbar{};
  GetWindowRect(toolbar_, &toolbar);
  const int toolbar_width = toolbar.right - toolbar.left;
  const int toolbar_height = toolbar.bottom - toolbar.top;
  SetWindowPos(toolbar_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int description_left = toolbar_width + kDescriptionGap;
  SetWindowPos(description_, nullptr, description_left, 0, std::max(0, static_cast<int>(client.cx) - description_left),
               toolbar_height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(view_, nullptr, 0, toolbar_height, client.cx, std::max(0, static_cast<int>(client.cy) - toolbar_height),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void PreviewWindow::LayOutSheets() {
  const int sheets = static_cast<int>(target_.Pages().size());
  const SIZE view = ClientSize(view_);
  layout_ = LayOutPreview(view, paper_, sheets, model_.ZoomFactor(), scroll_);
  // The scroll bars stay (disabled while the sheets fit), so the room the sheets are fitted to
  // is the same at every zoom step.
  for (const auto& [bar, size, room, position] : {std::tuple{SB_HORZ, layout_.content.cx, view.cx, &scroll_.x},
                                                  std::tuple{SB_VERT, layout_.content.cy, view.cy, &scroll_.y}}) {
    *position = std::clamp<LONG>(*position, 0, std::max<LONG>(0, size - room));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = std::max<LONG>(0, size - 1);
    info.nPage = static_cast<UINT>(std::max<LONG>(0, room));
    info.nPos = *position;
    SetScrollInfo(view_, bar, &info, TRUE);
  }
  layout_ = LayOutPreview(view, paper_, sheets, model_.ZoomFactor(), scroll_);
  InvalidateRect(view_, nullptr, TRUE);
}

void PreviewWindow::Scroll(int bar, int request, int wheel_lines) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(view_, bar, &info);
  int position = info.nPos;
  switch (request) {
    case SB_LINEUP:
      position -= kScrollLine;
      break;
    case SB_LINEDOWN:
      position += kScrollLine;
      break;
    case SB_PAGEUP:
      position -= static_cast<int>(info.nPage);
      break;
    case SB_PAGEDOWN:
      position += static_cast<int>(info.nPage);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = info.nTrackPos;
      break;
    default:
      position -= wheel_lines * kScrollLine;
      break;
  }
  (bar == SB_HORZ ? scroll_.x : scroll_.y) = position;
  LayOutSheets();
}

void PreviewWindow::Paint(HDC dc, const RECT& client) {
  // Drawn off screen first, so that a repaint does not flicker.
  const DeviceContext buffer(CreateCompatibleDC(dc));
  const UniqueGdiObject bitmap(CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom)));
  const SelectedObject selected(buffer.get(), bitmap.get());
  FillRect(buffer.get(), &client, GetSysColorBrush(COLOR_APPWORKSPACE));
  for (std::size_t i = 0; i < layout_.sheets.size() && i < target_.Pages().size(); ++i) {
    const PreviewSheet& sheet = layout_.sheets[i];
    RECT shadow = sheet.paper;
    OffsetRect(&shadow, kShadow, kShadow);
    FillRect(buffer.get(), &shadow, GetSysColorBrush(COLOR_3DDKSHADOW));
    FillRect(buffer.get(), &sheet.paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(buffer.get(), &sheet.paper, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const int saved = SaveDC(buffer.get());
    PlayPage(buffer.get(), target_.Pages()[i].get(), sheet.area);
    RestoreDC(buffer.get(), saved);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK PreviewWindow::FrameProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_NCCREATE) Attach(window, l_param);
  auto* preview = Owner<PreviewWindow>(window);
  if (preview != nullptr) {
    switch (message) {
      case WM_SIZE:
        if (preview->view_ != nullptr) {
          preview->ArrangeChildren();
          preview->LayOutSheets();
        }
        return 0;
      case WM_ACTIVATE:
        if (LOWORD(w_param) != WA_INACTIVE) {
          SetFocus(preview->toolbar_);
          preview->FocusToolbar();
        }
        return 0;
      case WM_CLOSE:
        preview->Press(ID_PREVIEW_CLOSE);
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(window, message, w_param, l_param);
}

LRESULT CALLBACK PreviewWindow::ViewProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_NCCREATE) Attach(window, l_param);
  auto* preview = Owner<PreviewWindow>(window);
  if (preview != nullptr) {
    switch (message) {
      case WM_ERASEBKGND:
        return TRUE;  // the painting covers every pixel
      case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        RECT client{};
        GetClientRect(window, &client);
        preview->Paint(dc, client);
        EndPaint(window, &paint);
        return 0;
      }
      case WM_HSCROLL:
        preview->Scroll(SB_HORZ, LOWORD(w_param), 0);
        return 0;
      case WM_VSCROLL:
        preview->Scroll(SB_VERT, LOWORD(w_param), 0);
        return 0;
      case WM_MOUSEWHEEL:
        preview->Scroll(SB_VERT, -1, GET_WHEEL_DELTA_WPARAM(w_param) / WHEEL_DELTA * 3);
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(window, message, w_param, l_param);
}

INT_PTR CALLBACK PreviewWindow::ToolbarProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, l_param);
    return FALSE;  // the focus is set when the preview shows
  }
  auto* preview = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  if (message != WM_COMMAND || preview == nullptr || HIWORD(w_param) != BN_CLICKED) return FALSE;
  // Esc, as the dialog manager reports it, closes the preview as 關閉 does.
  const WORD id = LOWORD(w_param);
  preview->Press(id == IDCANCEL ? ID_PREVIEW_CLOSE : id);
  return TRUE;
}

}  // namespace pictor::win32ui
