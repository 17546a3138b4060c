#include "win32ui/frame/font_setting_dialog.h"

#include "core/association_item.h"
#include "core/dialog_templates.h"
#include "win32ui/frame/association_item_painter.h"

namespace pictor::win32ui {
namespace {

// One opening of the dialog.
struct FontSettingRun {
  FontSettingModel& model;
  ItemBitmaps bitmaps;
  std::optional<EudcAssociation> chosen;
};

HWND ListOf(HWND dialog) { return GetDlgItem(dialog, kIdAssociationList); }

// The list shows the model's selection.
void ShowSelection(HWND dialog, const FontSettingModel& model) {
  if (const auto selected = model.Selection()) SendMessageW(ListOf(dialog), LB_SETCURSEL, *selected, 0);
}

void Initialise(HWND dialog, FontSettingRun& run) {
  const HWND list = ListOf(dialog);
  SendMessageW(list, LB_SETITEMHEIGHT, 0, kAssociationItemHeight);
  // Items without strings: each holds its association's index, and sorts by it (WM_COMPAREITEM).
  for (std::size_t i = 0; i < run.model.Associations().size(); ++i) {
    SendMessageW(list, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
  }
  ShowSelection(dialog, run.model);
}

INT_PTR CALLBACK FontSettingProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lparam);
    Initialise(dialog, *reinterpret_cast<FontSettingRun*>(lparam));
    return TRUE;
  }
  auto* run = reinterpret_cast<FontSettingRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (run == nullptr) return FALSE;
  switch (message) {
    case WM_COMPAREITEM: {
      // Answered as the procedure's own result, not through DWLP_MSGRESULT.
      const auto* compared = reinterpret_cast<const COMPAREITEMSTRUCT*>(lparam);
      const ULONG_PTR a = compared->itemData1;
      const ULONG_PTR b = compared->itemData2;
      return a < b ? -1 : a > b ? 1 : 0;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      const auto& associations = run->model.Associations();
      if (item->CtlID != static_cast<UINT>(kIdAssociationList) || item->itemID == static_cast<UINT>(-1) ||
          item->itemData >= associations.size()) {
        return FALSE;
      }
      PaintAssociationItem(*item, associations[item->itemData], run->bitmaps);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case kIdAssociationList:
          if (HIWORD(wparam) == LBN_SELCHANGE) {
            const LRESULT index = SendMessageW(ListOf(dialog), LB_GETCURSEL, 0, 0);
            const LRESULT data = index == LB_ERR ? LB_ERR : SendMessageW(ListOf(dialog), LB_GETITEMDATA, index, 0);
            run->model.Select(data == LB_ERR ? std::nullopt
                                             : std::optional<std::size_t>(static_cast<std::size_t>(data)));
            // Nothing selected (a click on the list's blank part): the model kept its item.
            if (index == LB_ERR) ShowSelection(dialog, run->model);
          }
          return TRUE;
        case IDOK:
          run->chosen = run->model.Accept();
          if (run->chosen) EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<EudcAssociation> Win32FontSettingDialog::Run(FontSettingModel& model) {
  FontSettingRun run{model, ItemBitmaps(instance_), std::nullopt};
  const INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(kFontSettingDialogId), owner_, FontSettingProc,
                                         reinterpret_cast<LPARAM>(&run));
  if (result != IDOK) return std::nullopt;
  return run.chosen;
}

}  // namespace pictor::win32ui
