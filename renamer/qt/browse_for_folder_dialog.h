#pragma once

#include <string>

// The system's folder chooser. It shows only file-system folders and gives the chosen path as
// 8-bit text in the system's code page.
class TBrowseForFolderDialog {
 public:
  // The title is not copied: it must outlive the dialog.
  void SetTitle(const char* title) { title_ = title; }
  // Shows the chooser; true when a folder was chosen.
  bool Execute();
  const std::string& Folder() const { return folder_; }

 private:
  const char* title_ = "";
  std::string folder_;
};
