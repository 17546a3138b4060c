#include "win32ui/frame/print_range_dialog.h"

#include <string>

#include "core/dialog_templates.h"
#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui {
namespace {

// One opening of the dialog. `showing` is set while the dialog itself changes a field, whose
// notifications are then no edits of the user's.
struct PrintRangeRun {
  PrintRangeModel& model;
  bool showing = false;
};

int FieldId(CodeField field) { return field == CodeField::kStart ? kIdStartCode : kIdEndCode; }

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

void ShowText(HWND dialog, PrintRangeRun& run, CodeField field) {
  const HWND edit = GetDlgItem(dialog, FieldId(field));
  const std::wstring shown = Cp950ToWide(run.model.Text(field));
  if (TextOf(edit) == shown) return;
  run.showing = true;
  SetWindowTextW(edit, shown.c_str());
  run.showing = false;
}

void ShowModel(HWND dialog, PrintRangeRun& run) {
  CheckRadioButton(dialog, kIdPrintAll, kIdPrintCodes, run.model.AllChecked() ? kIdPrintAll : kIdPrintCodes);
  for (const int id : {kIdStartCode, kIdEndCode, kIdRangeList}) {
    EnableWindow(GetDlgItem(dialog, id), run.model.CodeControlsEnabled() ? TRUE : FALSE);
  }
  ShowText(dialog, run, CodeField::kStart);
  ShowText(dialog, run, CodeField::kEnd);
}

void Initialise(HWND dialog, PrintRangeRun& run) {
  const HWND ranges = GetDlgItem(dialog, kIdRangeList);
  for (const std::string& row : run.model.RangeRows()) {
    SendMessageW(ranges, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Cp950ToWide(row).c_str()));
  }
  SendMessageW(ranges, CB_SETCURSEL, run.model.RangeRow(), 0);
  const HWND input_methods = GetDlgItem(dialog, kIdInputMethodList);
  const auto& names = run.model.InputMethodNames();
  for (const std::string& name : names) {
    SendMessageW(input_methods, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Cp950ToWide(name).c_str()));
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    SendMessageW(input_methods, LB_SETSEL, run.model.InputMethodSelected(i) ? TRUE : FALSE, static_cast<LPARAM>(i));
  }
  for (const CodeField field : {CodeField::kStart, CodeField::kEnd}) {
    SendDlgItemMessageW(dialog, FieldId(field), EM_LIMITTEXT, kCodeFieldLimit, 0);
  }
  ShowModel(dialog, run);
}

// The field's text is about to show: the model takes it, or refuses it and says what shows.
void Edited(HWND dialog, PrintRangeRun& run, CodeField field) {
  const HWND edit = GetDlgItem(dialog, FieldId(field));
  const std::wstring typed = TextOf(edit);
  DWORD caret = 0;
  SendMessageW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  // The model counts the caret in bytes of code page 950.
  const std::size_t caret_bytes = WideToCp950(std::wstring_view(typed).substr(0, caret)).size();
  run.model.EditField(field, WideToCp950(typed), caret_bytes);
  const std::string& shown = run.model.Text(field);
  if (Cp950ToWide(shown) != typed) {
    ShowText(dialog, run, field);
    const auto at = static_cast<WPARAM>(Cp950ToWide(std::string_view(shown).substr(0, run.model.Caret(field))).size());
    SendMessageW(edit, EM_SETSEL, at, static_cast<LPARAM>(at));
  }
  if (const auto move = run.model.TakeFocusMove()) {
    const HWND next = GetDlgItem(dialog, *move == FocusMove::kEndField ? kIdEndCode : kIdOk);
    PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
  }
}

void InputMethodsChanged(HWND dialog, PrintRangeRun& run) {
  const HWND list = GetDlgItem(dialog, kIdInputMethodList);
  for (std::size_t i = 0; i < run.model.InputMethodNames().size(); ++i) {
    run.model.SetInputMethodSelected(i, SendMessageW(list, LB_GETSEL, i, 0) > 0);
  }
}

bool Command(HWND dialog, PrintRangeRun& run, int id, int code) {
  const CodeField field = id == kIdStartCode ? CodeField::kStart : CodeField::kEnd;
  switch (id) {
    case kIdPrintAll:
    case kIdPrintCodes:
      if (code != BN_CLICKED) return false;
      id == kIdPrintAll ? run.model.ClickAll() : run.model.ClickCodes();
      ShowModel(dialog, run);
      return true;
    case kIdRangeList:
      if (code != CBN_SELCHANGE) return false;
      run.model.ChooseRange(static_cast<std::size_t>(SendDlgItemMessageW(dialog, kIdRangeList, CB_GETCURSEL, 0, 0)));
      ShowText(dialog, run, CodeField::kStart);
      ShowText(dialog, run, CodeField::kEnd);
      return true;
    case kIdStartCode:
    case kIdEndCode:
      if (run.showing) return true;
      if (code == EN_SETFOCUS) {
        run.model.FocusField(field);
        ShowText(dialog, run, field);
      } else if (code == EN_UPDATE) {
        Edited(dialog, run, field);
      }
      return true;
    case kIdInputMethodList:
      if (code == LBN_SELCHANGE) InputMethodsChanged(dialog, run);
      return true;
    case IDOK:
      if (run.model.Ok()) EndDialog(dialog, IDOK);
      return true;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return true;
    default:
      return false;
  }
}

INT_PTR CALLBACK PrintRangeProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lparam);
    Initialise(dialog, *reinterpret_cast<PrintRangeRun*>(lparam));
    return TRUE;
  }
  auto* run = reinterpret_cast<PrintRangeRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (run == nullptr || message != WM_COMMAND) return FALSE;
  return Command(dialog, *run, LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
}

}  // namespace

bool Win32PrintRangeDialog::Run(PrintRangeModel& model) {
  PrintRangeRun run{model};
  return DialogBoxParamW(instance_, MAKEINTRESOURCEW(kPrintRangeDialogId), owner_, PrintRangeProc,
                         reinterpret_cast<LPARAM>(&run)) == IDOK;
}

}  // namespace pictor::win32ui
