#include "qt/browse_for_folder_dialog.h"

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>
#else
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#endif

bool TBrowseForFolderDialog::Execute() {
#ifdef _WIN32
  char buffer[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = GetActiveWindow();
  info.pidlRoot = nullptr;  // starts at the desktop
  info.pszDisplayName = buffer;
  info.lpszTitle = title_;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  if (!item) return false;
  const bool has_path = SHGetPathFromIDListA(item, buffer) != 0;
  CoTaskMemFree(item);
  folder_ = has_path ? buffer : "";
  return true;
#else
  const QString path = QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString::fromLocal8Bit(title_),
                                                         QString(), QFileDialog::ShowDirsOnly);
  if (path.isEmpty()) return false;
  folder_ = QFile::encodeName(path).toStdString();
  return true;
#endif
}
