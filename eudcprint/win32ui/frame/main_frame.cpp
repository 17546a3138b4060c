#include "win32ui/frame/main_frame.h"

#include "core/shell_resources.h"
#include "win32ui/frame/file_dialogs.h"
#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui {
namespace {

constexpr wchar_t kFrameClass[] = L"PictorFrame";
// The frame's first size, as a document window usually opens.
constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;

void RegisterFrameClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW frame_class{};
  if (GetClassInfoExW(instance, kFrameClass, &frame_class)) return;
  frame_class.cbSize = sizeof frame_class;
  frame_class.lpfnWndProc = procedure;
  frame_class.hInstance = instance;
  frame_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kMainFrameResourceId));
  frame_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW, named wide
  frame_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  frame_class.lpszClassName = kFrameClass;
  RegisterClassExW(&frame_class);
}

}  // namespace

MainFrame::MainFrame(HINSTANCE instance, ProgramState& state, const PictorPorts& ports, const FrameParts& parts)
    : instance_(instance), printing_(parts.printing), view_(state.current_association) {
  shell_ = std::make_unique<PictorShell>(state, ports,
                                         ShellPorts{parts.font_dialog, parts.range_dialog, parts.documents, *this});
}

MainFrame::~MainFrame() {
  // The link goes back before the window does.
  shell_.reset();
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
}

bool MainFrame::Create() {
  RegisterFrameClass(instance_, WindowProc);
  CatalogueView::Register(instance_);
  accelerators_ = LoadAcceleratorsW(instance_, MAKEINTRESOURCEW(kMainFrameResourceId));
  const HMENU menu = LoadMenuW(instance_, MAKEINTRESOURCEW(kMainFrameResourceId));
  window_ = CreateWindowExW(0, kFrameClass, caption_.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                            kFrameWidth, kFrameHeight, nullptr, menu, instance_, this);
  if (window_ == nullptr) {
    if (menu != nullptr) DestroyMenu(menu);
    return false;
  }
  printing_.SetOwner(window_);
  return view_.Window() != nullptr;
}

void MainFrame::Show(int show_command) {
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
}

void MainFrame::Start() { SendMessageW(window_, WM_COMMAND, MAKEWPARAM(ID_FONT_SETTING, 0), 0); }

bool MainFrame::TranslateKeys(MSG& message) {
  return accelerators_ != nullptr && TranslateAcceleratorW(window_, accelerators_, &message) != 0;
}

LRESULT CALLBACK MainFrame::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* frame = static_cast<MainFrame*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
    frame->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
  }
  auto* frame = reinterpret_cast<MainFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (frame == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return frame->Handle(message, wparam, lparam);
}

LRESULT MainFrame::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return view_.Create(instance_, window_) != nullptr ? 0 : -1;
    case WM_SIZE:
      MoveWindow(view_.Window(), 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(view_.Window());
      return 0;
    case WM_INITMENUPOPUP:
      EnableMenuItems(reinterpret_cast<HMENU>(wparam));
      return 0;
    case WM_COMMAND:
      // Menus, keys and sent commands alike: the shell refuses a disabled one.
      if (lparam == 0) shell_->Execute(LOWORD(wparam));
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends: the process may go without another message.
      if (wparam) shell_->RestoreLinks();
      return 0;
    case WM_DESTROY:
      shell_->RestoreLinks();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      const HWND window = window_;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      return DefWindowProcW(window, message, wparam, lparam);
    }
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

void MainFrame::EnableMenuItems(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT command = GetMenuItemID(menu, i);
    if (command == 0 || command == static_cast<UINT>(-1)) continue;  // separators and popups
    const bool enabled = shell_->IsEnabled(static_cast<std::uint16_t>(command));
    EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

void MainFrame::SetCaption(std::string_view cp950) {
  caption_ = Cp950ToWide(cp950);
  if (window_ != nullptr) SetWindowTextW(window_, caption_.c_str());
}

void MainFrame::InvalidateView() {
  if (view_.Window() != nullptr) InvalidateRect(view_.Window(), nullptr, TRUE);
}

std::optional<PrintChoice> MainFrame::AskPrint(const PrintDialogOffer& offer) { return printing_.AskPrint(offer); }

void MainFrame::AskPageSetup() { printing_.AskPageSetup(); }

std::optional<ChosenFile> MainFrame::AskOpenPath() { return AskOpenFile(window_); }

std::optional<ChosenFile> MainFrame::AskSavePath(const FileDialogTexts& texts) { return AskSaveFile(window_, texts); }

PrintTarget& MainFrame::Printer() { return printing_.Printer(); }

std::unique_ptr<PrintingBoxPort> MainFrame::ShowPrintingBox(const PrintingBoxTexts& texts) {
  return printing_.ShowPrintingBox(texts);
}

void MainFrame::ShowPreview(PreviewModel& model, const PreviewPages& pages) { printing_.ShowPreview(model, pages); }

void MainFrame::Close() {
  // Posted: the command that asked is still running on the window.
  if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
}

}  // namespace pictor::win32ui
