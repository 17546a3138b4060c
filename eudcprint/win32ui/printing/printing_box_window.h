// The box shown while a catalogue prints (dialog 30722 of the program's resources): what is
// printed, to which printer and port, the page in hand, and 取消. The owner is disabled while it
// shows. The job's abort procedure lets the box repaint and hear 取消 while a page is sent.
#pragma once

#include <windows.h>

#include <string_view>

#include "core/printing_box.h"

namespace pictor::win32ui {

class PrintingBoxWindow final : public PrintingBoxPort {
 public:
  // Throws std::runtime_error when the program's resources lack the dialog.
  PrintingBoxWindow(HWND owner, const PrintingBoxTexts& texts);
  ~PrintingBoxWindow() override;
  PrintingBoxWindow(const PrintingBoxWindow&) = delete;
  PrintingBoxWindow& operator=(const PrintingBoxWindow&) = delete;

  bool ShowPageLine(std::string_view cp950) override;
  bool Cancelled() const override { return cancelled_; }

  HWND Window() const { return window_; }

  // The abort procedure of a print job (SetAbortProc): handles the waiting messages, so the box
  // repaints and hears 取消; FALSE, which stops the job, once 取消 was pressed.
  static BOOL CALLBACK AbortProcedure(HDC printer, int error);

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
  // Handles the waiting messages, the box's keys included.
  static void HandleWaitingMessages();

  HWND owner_;
  HWND window_ = nullptr;
  bool owner_was_enabled_ = false;
  bool cancelled_ = false;
};

}  // namespace pictor::win32ui
