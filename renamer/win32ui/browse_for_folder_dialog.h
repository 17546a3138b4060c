#pragma once

// The shell's folder chooser: the browse record, the buffer that receives the display name and
// then the chosen path, the chosen item and a pointer to the path. It offers only file-system
// folders and gives the path in the system's 8-bit code page.

#include <windows.h>
// shlobj.h after windows.h
#include <shlobj.h>

#include <array>

class TBrowseForFolderDialog {
 public:
  TBrowseForFolderDialog();
  TBrowseForFolderDialog(const TBrowseForFolderDialog&) = delete;
  TBrowseForFolderDialog& operator=(const TBrowseForFolderDialog&) = delete;

  // The title is not copied: it must outlive the dialog.
  void SetTitle(const char* title) { browse_info_.lpszTitle = title; }
  // Shows the chooser, owned by the active window and starting at the desktop; true when a folder
  // was chosen.
  bool Execute();
  const char* Folder() const { return path_; }

 private:
  BROWSEINFOA browse_info_{};
  std::array<char, MAX_PATH> buffer_{};
  LPITEMIDLIST item_ = nullptr;
  const char* path_ = "";
};
