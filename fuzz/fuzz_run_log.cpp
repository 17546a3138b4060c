// quillon's run log as --undo reads it: any file reads or is refused with its error; every rename
// read keeps its name's length and stays in its folder; and the renames read, logged again, read
// back the same as the log shows them (a lone surrogate or a line break as U+FFFD).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "core/log_reader.h"
#include "core/renamer_error.h"
#include "core/run_log.h"
#include "core/shown_text.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "run log property broken: %s\n", what);
  std::abort();
}

bool SameAsShown(const quillon::LoggedRename& read, const quillon::LoggedRename& reread) {
  using quillon::ShownText;
  return ShownText(read.folder) == reread.folder && ShownText(read.old_name) == reread.old_name &&
         ShownText(read.new_name) == reread.new_name && read.is_directory == reread.is_directory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte chooses the path style, the rest is the file.
  if (size == 0) return 0;
  const quillon::PathStyle style = data[0] & 1 ? quillon::PathStyle::kPosix : quillon::PathStyle::kWindows;
  const std::span<const std::uint8_t> file(data + 1, size - 1);
  std::vector<quillon::LoggedRename> renames;
  try {
    renames = quillon::ReadRunLog(file, style);
  } catch (const quillon::RenamerError&) {
    return 0;
  }
  const char16_t separator = quillon::Separator(style);
  quillon::RunLog again(style);
  for (const quillon::LoggedRename& rename : renames) {
    if (rename.new_name.empty() || rename.old_name.size() != rename.new_name.size()) Fail("a name changed length");
    if (rename.new_name.find(separator) != std::u16string::npos) Fail("a new name outside its folder");
    if (rename.line == 0) Fail("a rename without its line");
    again.AddRecord(rename.folder, rename.is_directory ? u"<" + rename.old_name + u">" : rename.old_name,
                    rename.new_name);
  }
  std::vector<quillon::LoggedRename> reread;
  try {
    reread = quillon::ReadRunLog(quillon::EncodeLogFile(again.Lines()), style);
  } catch (const quillon::RenamerError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    Fail("the renames read, logged again, cannot be read");
  }
  if (reread.size() != renames.size()) Fail("the renames read, logged again, read back fewer or more");
  for (std::size_t i = 0; i < renames.size(); ++i) {
    if (!SameAsShown(renames[i], reread[i])) Fail("the renames read, logged again, read back otherwise");
  }
  return 0;
}
