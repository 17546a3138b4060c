// The Windows adapters on real folders (run under Wine in the cross build): names with
// private-use characters, renames that never replace, the log file and start-up.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "core/journal_recovery.h"
#include "core/log_reader.h"
#include "core/renamer_error.h"
#include "core/run_journal.h"
#include "core/run_log.h"
#include "core/scan_engine.h"
#include "core/table_loader.h"
#include "core/undo_run.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_startup.h"
#include "tests/core/memory_machine.h"

namespace quillon::win32 {
namespace {

using quillon::testing::RecordingHost;
using quillon::testing::Row;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

// A fresh folder under the temporary folder, removed with its contents at the end.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::wstring path =
        std::wstring(base) + L"quillon-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
    CreateDirectoryW(path.c_str(), nullptr);
    path_ = FromWide(path);
  }
  ~TempFolder() { RemoveAll(ToWide(path_)); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::u16string& Path() const { return path_; }
  std::u16string operator/(std::u16string_view name) const { return path_ + u"\\" + std::u16string(name); }

 private:
  static void RemoveAll(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring full = folder + L"\\" + name;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
          RemoveAll(full);
        } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveDirectoryW(full.c_str());
        } else {
          DeleteFileW(full.c_str());
        }
      } while (FindNextFileW(h, &data));
      FindClose(h);
    }
    RemoveDirectoryW(folder.c_str());
  }

  static inline int counter = 0;
  std::u16string path_;
};

void WriteFile(const std::u16string& path, const std::string& text) {
  HANDLE f =
      CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
}

std::string ReadFile(const std::u16string& path) {
  HANDLE f = CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<missing>";
  std::string text(4096, '\0');
  DWORD got = 0;
  ::ReadFile(f, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
  CloseHandle(f);
  text.resize(got);
  return text;
}

bool Exists(const std::u16string& path) { return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

void MakeFolder(const std::u16string& path) { ASSERT_TRUE(CreateDirectoryW(ToWide(path).c_str(), nullptr)); }

class Win32Walk : public ::testing::Test {
 protected:
  Win32Walk() {
    table_.SetForward(0xF6B1, 0x2460);
    table_.SetForward(0xF6B2, 0x2461);
    table_.SetForward(0xF6B3, 0x2462);
  }

  ScanEngine Run(std::u16string_view root) {
    ScanEngine engine(table_, files_, logs_, host_, PathStyle::kWindows, "unused-log-folder-%d");
    engine.ScanFolder(root);
    return engine;
  }

  TempFolder tmp_;
  RenameTable table_;
  Win32FileSystem files_;
  Win32LogFolder logs_;
  RecordingHost host_;
};

TEST_F(Win32Walk, RenamesRealPrivateUseNamesDepthFirst) {
  WriteFile(tmp_ / u"\uF6B1.txt", "one");
  MakeFolder(tmp_ / u"d\uF6B2");
  WriteFile(tmp_ / u"d\uF6B2\\f\uF6B3", "three");
  WriteFile(tmp_ / u"plain", "p");
  MakeFolder(tmp_ / u".hidden");
  WriteFile(tmp_ / u".hidden\\\uF6B1", "h");

  const ScanEngine engine = Run(tmp_.Path());

  EXPECT_EQ(ReadFile(tmp_ / u"\u2460.txt"), "one");
  EXPECT_EQ(ReadFile(tmp_ / u"d\u2461\\f\u2462"), "three");
  EXPECT_FALSE(Exists(tmp_ / u"\uF6B1.txt"));
  EXPECT_TRUE(Exists(tmp_ / u".hidden\\\uF6B1"));
  EXPECT_THAT(host_.rows, UnorderedElementsAre(Row{u"\uF6B1.txt", u"\u2460.txt", tmp_.Path()},
                                               Row{u"f\uF6B3", u"f\u2462", tmp_ / u"d\uF6B2"},
                                               Row{u"<d\uF6B2>", u"d\u2461", tmp_.Path()}));
  const auto folder = std::find(host_.rows.begin(), host_.rows.end(), Row{u"<d\uF6B2>", u"d\u2461", tmp_.Path()});
  const auto inner = std::find(host_.rows.begin(), host_.rows.end(), Row{u"f\uF6B3", u"f\u2462", tmp_ / u"d\uF6B2"});
  EXPECT_LT(inner, folder);
  EXPECT_EQ(engine.Counts().renamed, 3u);
}

TEST_F(Win32Walk, ExistingTargetNameGivesCannotRename) {
  WriteFile(tmp_ / u"\uF6B1", "private");
  WriteFile(tmp_ / u"\u2460", "standard");
  Run(tmp_.Path());
  EXPECT_EQ(ReadFile(tmp_ / u"\uF6B1"), "private");
  EXPECT_EQ(ReadFile(tmp_ / u"\u2460"), "standard");
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"\uF6B1", u"*無法改名*", tmp_.Path()}));
}

TEST_F(Win32Walk, SeparatorFromTheTableNeverMovesAFile) {
  table_.SetForward(0xF6B4, u'\\');
  MakeFolder(tmp_ / u"a");
  WriteFile(tmp_ / u"a\uF6B4b", "x");
  Run(tmp_.Path());
  EXPECT_EQ(ReadFile(tmp_ / u"a\uF6B4b"), "x");
  EXPECT_FALSE(Exists(tmp_ / u"a\\b"));
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"a\uF6B4b", u"*無法改名*", tmp_.Path()}));
}

TEST_F(Win32Walk, TrailingBackslashDoublesInRowsAndSearches) {
  WriteFile(tmp_ / u"\uF6B1", "x");
  Run(tmp_.Path() + u"\\");
  EXPECT_EQ(ReadFile(tmp_ / u"\u2460"), "x");
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"\uF6B1", u"\u2460", tmp_.Path() + u"\\"}));
}

TEST_F(Win32Walk, LinksToFoldersAreRenamedButNotWalked) {
  MakeFolder(tmp_ / u"target");
  WriteFile(tmp_ / u"target\\\uF6B1", "not ours");
  MakeFolder(tmp_ / u"top");
  const std::wstring link = ToWide(tmp_ / u"top\\link\uF6B2");
  if (!CreateSymbolicLinkW(link.c_str(), ToWide(tmp_ / u"target").c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY)) {
    GTEST_SKIP() << "no symbolic links here (error " << GetLastError() << ")";
  }
  const DWORD attributes = GetFileAttributesW(link.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    GTEST_SKIP() << "the link does not show as a reparse point here";
  }
  Run(tmp_ / u"top");
  EXPECT_TRUE(Exists(tmp_ / u"target\\\uF6B1"));
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"<link\uF6B2>", u"link\u2461", tmp_ / u"top"}));
}

// Every name below a folder, with "\" after folders, and each file's contents.
void Collect(const std::u16string& folder, const std::u16string& prefix, std::vector<std::u16string>& out) {
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((ToWide(folder) + L"\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::u16string name = FromWide(data.cFileName);
    if (name == u"." || name == u"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out.push_back(prefix + name + u"\\");
      Collect(folder + u"\\" + name, prefix + name + u"\\", out);
    } else {
      const std::string text = ReadFile(folder + u"\\" + name);
      out.push_back(prefix + name + u"=" + std::u16string(text.begin(), text.end()));
    }
  } while (FindNextFileW(h, &data));
  FindClose(h);
}

std::vector<std::u16string> Tree(const std::u16string& folder) {
  std::vector<std::u16string> tree;
  Collect(folder, u"", tree);
  std::sort(tree.begin(), tree.end());
  return tree;
}

std::string Narrow(const std::u16string& ascii) { return std::string(ascii.begin(), ascii.end()); }

// A run over real private-use names keeps a journal and writes its log; undoing from that log
// file gives the tree back, nested private-use folders included.
TEST_F(Win32Walk, RunAndItsUndoOnRealPrivateUseNames) {
  MakeFolder(tmp_ / u"top");
  MakeFolder(tmp_ / u"top\\\uF6B1");
  MakeFolder(tmp_ / u"top\\\uF6B1\\d\uF6B2");
  WriteFile(tmp_ / u"top\\\uF6B1\\d\uF6B2\\\uF6B3.txt", "deep");
  WriteFile(tmp_ / u"top\\\uF6B1\\x\uF6B2", "x");
  WriteFile(tmp_ / u"top\\plain", "p");
  const std::vector<std::u16string> before = Tree(tmp_ / u"top");
  const std::string log_dir = Narrow(tmp_ / u"logs");
  Win32Clock clock;

  auto journal = RunJournal::Start(logs_, clock, log_dir, PathStyle::kWindows);
  ASSERT_NE(journal, nullptr);
  ScanEngine engine(table_, files_, logs_, host_, PathStyle::kWindows, log_dir);
  engine.SetJournal(journal.get());
  engine.ScanFolder(tmp_ / u"top");
  const std::string log = WriteRunLog(logs_, log_dir, PathStyle::kWindows, clock.Now(), engine.Log().Lines());
  journal->Discard();
  EXPECT_EQ(engine.Counts().renamed, 4u);
  EXPECT_TRUE(Exists(tmp_ / u"top\\\u2460\\d\u2461\\\u2462.txt"));
  EXPECT_TRUE(logs_.ListFiles(log_dir, kJournalSuffix).empty());

  const auto bytes = logs_.ReadFile(log);
  ASSERT_TRUE(bytes.has_value());
  UndoRun undo(files_, host_, PathStyle::kWindows, nullptr);
  undo.Undo(ReadRunLog(*bytes, PathStyle::kWindows));
  EXPECT_EQ(undo.Undone(), 4u);
  EXPECT_EQ(Tree(tmp_ / u"top"), before);
}

// A journal being written cannot be taken by a start-up; once its run is gone it is taken once,
// and a recovered log comes out of it.
TEST_F(Win32Walk, JournalOfARunningRunIsLeftAloneAndALeftOneIsRecovered) {
  const std::string log_dir = Narrow(tmp_ / u"logs");
  Win32Clock clock;
  auto journal = RunJournal::Start(logs_, clock, log_dir, PathStyle::kWindows);
  ASSERT_NE(journal, nullptr);
  WriteFile(tmp_ / u"\u2460", "renamed");
  journal->RenameAhead(tmp_.Path(), u"\uF6B1", u"\u2460", false);
  journal->RenameDone(true);
  EXPECT_EQ(logs_.TakeLeftJournal(journal->Path()), nullptr);
  EXPECT_TRUE(RecoverLeftJournals(logs_, files_, clock, log_dir, PathStyle::kWindows).empty());

  const std::string path = journal->Path();
  journal.reset();  // the run ends without its log
  {
    auto taken = logs_.TakeLeftJournal(path);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(logs_.TakeLeftJournal(path), nullptr);  // one start-up at a time
    EXPECT_EQ(ReadJournal(taken->Contents()).entries.size(), 1u);
  }
  const std::vector<RecoveredJournal> recovered =
      RecoverLeftJournals(logs_, files_, clock, log_dir, PathStyle::kWindows);
  ASSERT_EQ(recovered.size(), 1u);
  EXPECT_TRUE(recovered[0].error.empty()) << recovered[0].error;
  EXPECT_NE(recovered[0].log_path.find("-recovered.log"), std::string::npos);
  EXPECT_FALSE(Exists(std::u16string(path.begin(), path.end())));
  const auto log = logs_.ReadFile(recovered[0].log_path);
  ASSERT_TRUE(log.has_value());
  const std::vector<LoggedRename> renames = ReadRunLog(*log, PathStyle::kWindows);
  ASSERT_EQ(renames.size(), 1u);
  EXPECT_EQ(renames[0].folder, tmp_.Path());
  EXPECT_EQ(renames[0].new_name, u"\u2460");
}

TEST(Win32LogFolder, NewFilesOnlyAndTheRunLogBytes) {
  TempFolder tmp;
  Win32LogFolder logs;
  std::string dir;
  for (char16_t c : tmp.Path()) dir += static_cast<char>(c);  // the temporary path is ASCII
  dir += "\\RenameLogs";
  EXPECT_FALSE(logs.FolderExists(dir));
  logs.CreateFolder(dir);
  EXPECT_TRUE(logs.FolderExists(dir));

  const std::vector<std::u16string> lines = {u"來源：C:\\\uF6B1", u"改成：C:\\\u2460", u""};
  const LocalTime t{2024, 3, 15, 9, 30, 5};
  EXPECT_EQ(WriteRunLog(logs, dir, PathStyle::kWindows, t, lines), dir + "\\20240315-093005.log");
  EXPECT_EQ(WriteRunLog(logs, dir, PathStyle::kWindows, t, {}), dir + "\\20240315-093005-2.log");
  const std::vector<std::uint8_t> expected = EncodeLogFile(lines);
  EXPECT_EQ(ReadFile(tmp / u"RenameLogs\\20240315-093005.log"), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(ReadFile(tmp / u"RenameLogs\\20240315-093005-2.log"), "\xFF\xFE");
  EXPECT_EQ(logs.WriteNewFile(dir + "\\missing\\x.log", expected), NewFileResult::kFailed);
}

TEST(Win32Startup, DrivesProfileTableFileAndClock) {
  Win32Startup startup;
  const std::string drives = startup.ListFixedDrives();
  EXPECT_NE(drives.find("C:\\,"), std::string::npos) << drives;
  EXPECT_EQ(drives.find("A:"), std::string::npos);
  EXPECT_EQ(drives.back(), ',');

  const std::string profile = startup.UserProfile();
  EXPECT_FALSE(profile.empty());
  EXPECT_NE(profile, "%USERPROFILE%");

  TempFolder tmp;
  std::string dir;
  for (char16_t c : tmp.Path()) dir += static_cast<char>(c);
  std::vector<std::uint8_t> contents;
  EXPECT_EQ(startup.ReadTableFile(dir + "\\uc-o2n.tbl", contents), 2);
  EXPECT_EQ(startup.ReadTableFile(dir + "\\missing\\uc-o2n.tbl", contents), 3);
  EXPECT_EQ(IoErrorText(startup.ReadTableFile(dir + "\\missing\\uc-o2n.tbl", contents)), "Invalid filename");
  WriteFile(tmp / u"uc-o2n.tbl", "F6B1 2460\r\n=\r\nF6B2 2461\r\n");
  RenameTable table;
  LoadRenameTableFile(startup, dir + "\\uc-o2n.tbl", table);
  EXPECT_EQ(table.Forward(0xF6B1), u'\u2460');
  EXPECT_EQ(table.Reverse(0x2461), u'\uF6B2');
  EXPECT_EQ(startup.Widen("C:\\Temp"), u"C:\\Temp");

  const LocalTime now = Win32Clock().Now();
  EXPECT_GE(now.year, 2020);
  EXPECT_GE(now.month, 1);
  EXPECT_LE(now.month, 12);
}

}  // namespace
}  // namespace quillon::win32
