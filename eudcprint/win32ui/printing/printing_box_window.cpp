#include "win32ui/printing/printing_box_window.h"

#include <stdexcept>

#include "core/dialog_templates.h"
#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui {
namespace {

// The box of the job in hand: one job prints at a time, on the one user-interface thread.
PrintingBoxWindow* shown_box = nullptr;

static_assert(kIdCancel == IDCANCEL);

}  // namespace

PrintingBoxWindow::PrintingBoxWindow(HWND owner, const PrintingBoxTexts& texts) : owner_(owner) {
  window_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kPrintingBoxId), owner, DialogProcedure,
                               reinterpret_cast<LPARAM>(this));
  if (window_ == nullptr) throw std::runtime_error("the printing box (dialog 30722) cannot be created");
  SetDlgItemTextW(window_, kIdPrintingDocument, Cp950ToWide(texts.document_name).c_str());
  SetDlgItemTextW(window_, kIdPrintingPrinter, Cp950ToWide(texts.printer_name).c_str());
  SetDlgItemTextW(window_, kIdPrintingPort, Cp950ToWide(texts.port_line).c_str());
  if (owner_ != nullptr) owner_was_enabled_ = EnableWindow(owner_, FALSE) == FALSE;
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  shown_box = this;
}

PrintingBoxWindow::~PrintingBoxWindow() {
  if (shown_box == this) shown_box = nullptr;
  // The owner comes back first, so that it is activated when the box goes.
  if (owner_ != nullptr && owner_was_enabled_) EnableWindow(owner_, TRUE);
  DestroyWindow(window_);
}

bool PrintingBoxWindow::ShowPageLine(std::string_view cp950) {
  SetDlgItemTextW(window_, kIdPrintingPage, Cp950ToWide(cp950).c_str());
  UpdateWindow(window_);
  HandleWaitingMessages();
  return !cancelled_;
}

BOOL CALLBACK PrintingBoxWindow::AbortProcedure(HDC, int) {
  HandleWaitingMessages();
  return shown_box == nullptr || !shown_box->cancelled_;
}

void PrintingBoxWindow::HandleWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // For the loop that runs the program: the job stops, the program ends after it.
      PostQuitMessage(static_cast<int>(message.wParam));
      if (shown_box != nullptr) shown_box->cancelled_ = true;
      return;
    }
    if (shown_box != nullptr && IsDialogMessageW(shown_box->window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

INT_PTR CALLBACK PrintingBoxWindow::DialogProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, l_param);
    return TRUE;
  }
  auto* box = reinterpret_cast<PrintingBoxWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  // 取消, Esc and the close box alike.
  if (message == WM_COMMAND && LOWORD(w_param) == kIdCancel && box != nullptr) {
    box->cancelled_ = true;
    EnableWindow(GetDlgItem(window, kIdCancel), FALSE);
    return TRUE;
  }
  return FALSE;
}

}  // namespace pictor::win32ui
