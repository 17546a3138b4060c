#include "win32ui/frame/catalogue_view.h"

#include "core/window_drawing.h"
#include "win32ui/frame/gdi_handles.h"
#include "win32ui/frame/gdi_window_canvas.h"

namespace pictor::win32ui {
namespace {

constexpr wchar_t kViewClass[] = L"PictorView";

}  // namespace

void CatalogueView::Register(HINSTANCE instance) {
  WNDCLASSEXW view_class{};
  if (GetClassInfoExW(instance, kViewClass, &view_class)) return;
  view_class.cbSize = sizeof view_class;
  view_class.style = CS_HREDRAW | CS_VREDRAW;  // the lines are centred: a new size draws them anew
  view_class.lpfnWndProc = WindowProc;
  view_class.hInstance = instance;
  view_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW, named wide
  view_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  view_class.lpszClassName = kViewClass;
  RegisterClassExW(&view_class);
}

HWND CatalogueView::Create(HINSTANCE instance, HWND frame) {
  RECT client{};
  GetClientRect(frame, &client);
  window_ = CreateWindowExW(WS_EX_CLIENTEDGE, kViewClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom,
                            frame, nullptr, instance, this);
  return window_;
}

LRESULT CALLBACK CatalogueView::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* view = reinterpret_cast<CatalogueView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (view != nullptr && message == WM_PAINT) {
    view->window_ = window;
    view->Paint();
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void CatalogueView::Paint() {
  const PaintDc paint(window_);
  if (association_.displayName.Empty()) return;
  const OwnedFont font(CreateViewFont(CharacterFaceName(association_.displayName.View()), kWindowFontHeight));
  const Selection selected(paint.Get(), font.Get());
  RECT client{};
  GetClientRect(window_, &client);
  GdiWindowCanvas canvas(paint.Get(), client);
  DrawWindowContents(canvas, association_);
}

}  // namespace pictor::win32ui
