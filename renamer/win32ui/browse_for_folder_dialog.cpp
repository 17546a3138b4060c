#include "win32ui/browse_for_folder_dialog.h"

TBrowseForFolderDialog::TBrowseForFolderDialog() {
  browse_info_.pidlRoot = nullptr;  // the desktop
  browse_info_.pszDisplayName = buffer_.data();
  browse_info_.lpszTitle = "";
  browse_info_.ulFlags = BIF_RETURNONLYFSDIRS;
  browse_info_.lpfn = nullptr;
}

bool TBrowseForFolderDialog::Execute() {
  browse_info_.hwndOwner = GetActiveWindow();
  item_ = SHBrowseForFolderA(&browse_info_);
  if (!item_) return false;
  path_ = buffer_.data();
  SHGetPathFromIDListA(item_, buffer_.data());
  CoTaskMemFree(item_);
  item_ = nullptr;
  return true;
}
