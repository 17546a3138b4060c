// The print program's document: it holds no content, only the title the frame's caption shows.
// It starts untitled (自造字); a confirmed font choice names it after the association; opening or
// saving a file names it after the file.
#pragma once

#include <string>
#include <string_view>

namespace pictor {

class PictorDocument {
 public:
  PictorDocument();

  const std::string& Title() const { return title_; }
  // "title - 列印程式".
  std::string Caption() const;

  // A new document: the untitled name again.
  void New();
  // After a confirmed font choice: the display name, with the note on input codes for 標楷體.
  void NameAfterAssociation(std::string_view display_name);
  // After a file was opened or saved: the file's name (code page 950).
  void NameAfterFile(std::string_view file_name);

 private:
  std::string title_;
};

}  // namespace pictor
