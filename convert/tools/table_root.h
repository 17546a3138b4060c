#pragma once
// Points the library at a folder of code tables without copying them. The library reads its tables
// from TablePath\share (TablePath itself on Windows 95/98/Me), where TablePath comes from
// CNSCVT.INI in the current directory and is "." without one. So the host loads the library with
// a table root as its current directory: a folder whose share subfolder is the tables folder, and
// that holds no CNSCVT.INI of its own with another TablePath. TablePath is then ".", which also
// puts the character list form in whatever directory is current when the list is written.

#include <filesystem>
#include <stdexcept>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <stdlib.h>
#include <unistd.h>
#endif

namespace tessel::tools {

class TableRootError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TableRoot {
 public:
  // `tables`: an existing folder, absolute.
  explicit TableRoot(const std::filesystem::path& tables) {
#if defined(_WIN32)
    const bool ntFamily = (GetVersion() & 0x80000000u) == 0;
    if (!ntFamily) {
      folder_ = tables;  // the tables are read from TablePath itself
    } else if (lowerAscii(tables.filename().string()) == "share") {
      folder_ = tables.parent_path();
    } else {
      throw TableRootError("the library reads its tables from a folder named share, and " + tables.string() +
                           " is not one: move the five tables into a folder named share and name that");
    }
    checkOwnConfiguration();
#else
    // A private folder whose share is a link to the tables.
    std::string pattern = (std::filesystem::temp_directory_path() / "tessel-convert-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw TableRootError("cannot create a temporary folder");
    folder_ = pattern;
    link_ = folder_ / "share";
    if (symlink(tables.c_str(), link_.c_str()) != 0) {
      rmdir(folder_.c_str());
      throw TableRootError("cannot link to the tables in " + tables.string());
    }
#endif
  }
  ~TableRoot() {
#if !defined(_WIN32)
    unlink(link_.c_str());
    rmdir(folder_.c_str());
#endif
  }
  TableRoot(const TableRoot&) = delete;
  TableRoot& operator=(const TableRoot&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }

 private:
#if defined(_WIN32)
  static std::string lowerAscii(std::string text) {
    for (char& c : text)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
  }

  // A CNSCVT.INI beside the share folder is read by the library: it must leave TablePath at ".".
  void checkOwnConfiguration() const {
    const std::string ini = (folder_ / "CNSCVT.INI").string();
    char value[260] = {};
    GetPrivateProfileStringA("Setup", "TablePath", ".", value, sizeof value, ini.c_str());
    if (std::string(value) != ".")
      throw TableRootError(ini + " sets TablePath to " + value + "; the tables would not be read from " +
                           (folder_ / "share").string());
  }
#else
  std::filesystem::path link_;
#endif
  std::filesystem::path folder_;
};

}  // namespace tessel::tools
