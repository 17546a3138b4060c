// The POSIX adapters on real folders: the whole walk over a temporary tree, renames that never
// replace, links that are never followed, names that are not UTF-8, the log file and start-up.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "core/renamer_error.h"
#include "core/run_log.h"
#include "core/scan_engine.h"
#include "core/table_loader.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_startup.h"
#include "tests/core/memory_machine.h"
#include "tests/posix/temp_folder.h"

namespace quillon::posix {
namespace {

using quillon::testing::Exists;
using quillon::testing::ReadText;
using quillon::testing::RecordingHost;
using quillon::testing::Row;
using quillon::testing::TempFolder;
using quillon::testing::WriteText;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

// UTF-8 of the private-use characters U+F6B1..U+F6B3 and of ① ② ③.
const std::string kPua1 = "\xEF\x9A\xB1";
const std::string kPua2 = "\xEF\x9A\xB2";
const std::string kPua3 = "\xEF\x9A\xB3";
const std::string kCircled1 = "\xE2\x91\xA0";
const std::string kCircled2 = "\xE2\x91\xA1";
const std::string kCircled3 = "\xE2\x91\xA2";

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class PosixWalk : public ::testing::Test {
 protected:
  PosixWalk() {
    table_.SetForward(0xF6B1, 0x2460);
    table_.SetForward(0xF6B2, 0x2461);
    table_.SetForward(0xF6B3, 0x2462);
  }

  ScanEngine Run(const std::string& root) {
    ScanEngine engine(table_, files_, logs_, host_, PathStyle::kPosix, log_dir_ / "logs");
    engine.ScanFolder(startup_.Widen(root));
    return engine;
  }

  TempFolder tmp_;
  TempFolder log_dir_;
  RenameTable table_;
  PosixFileSystem files_;
  PosixLogFolder logs_;
  PosixStartup startup_;
  RecordingHost host_;
};

TEST_F(PosixWalk, RenamesPrivateUseNamesDepthFirstAndKeepsContents) {
  const std::string top = tmp_ / "top";
  mkdir(top.c_str(), 0755);
  WriteText(top + "/" + kPua1 + ".txt", "one");
  mkdir((top + "/d" + kPua2).c_str(), 0755);
  WriteText(top + "/d" + kPua2 + "/f" + kPua3, "three");
  WriteText(top + "/plain", "plain");
  mkdir((top + "/.hidden").c_str(), 0755);
  WriteText(top + "/.hidden/" + kPua1, "hidden");

  const ScanEngine engine = Run(top);

  EXPECT_THAT(Names(top), ElementsAre(".hidden", "d" + kCircled2, "plain", kCircled1 + ".txt"));
  EXPECT_EQ(ReadText(top + "/" + kCircled1 + ".txt"), "one");
  EXPECT_EQ(ReadText(top + "/d" + kCircled2 + "/f" + kCircled3), "three");
  EXPECT_TRUE(Exists(top + "/.hidden/" + kPua1));
  EXPECT_THAT(host_.rows, UnorderedElementsAre(Row{u"\uF6B1.txt", u"\u2460.txt", startup_.Widen(top)},
                                               Row{u"f\uF6B3", u"f\u2462", startup_.Widen(top) + u"/d\uF6B2"},
                                               Row{u"<d\uF6B2>", u"d\u2461", startup_.Widen(top)}));
  // The folder's row comes after the rows of its contents.
  const auto folder_row =
      std::find(host_.rows.begin(), host_.rows.end(), Row{u"<d\uF6B2>", u"d\u2461", startup_.Widen(top)});
  const auto inner_row =
      std::find(host_.rows.begin(), host_.rows.end(), Row{u"f\uF6B3", u"f\u2462", startup_.Widen(top) + u"/d\uF6B2"});
  EXPECT_LT(inner_row, folder_row);
  EXPECT_EQ(engine.Counts().renamed, 3u);
  EXPECT_TRUE(Exists(log_dir_ / "logs"));  // the log folder is made as the walk starts
}

TEST_F(PosixWalk, ExistingTargetNameIsNeverReplaced) {
  WriteText(tmp_ / kPua1, "private");
  WriteText(tmp_ / kCircled1, "standard");
  mkdir((tmp_ / ("d" + kPua2)).c_str(), 0755);
  mkdir((tmp_ / ("d" + kCircled2)).c_str(), 0755);
  WriteText(tmp_ / ("d" + kCircled2 + "/inside"), "kept");

  Run(tmp_.Path());

  EXPECT_EQ(ReadText(tmp_ / kPua1), "private");
  EXPECT_EQ(ReadText(tmp_ / kCircled1), "standard");
  EXPECT_EQ(ReadText(tmp_ / ("d" + kCircled2 + "/inside")), "kept");
  EXPECT_TRUE(Exists(tmp_ / ("d" + kPua2)));
  EXPECT_THAT(host_.rows, UnorderedElementsAre(Row{u"\uF6B1", u"*無法改名*", startup_.Widen(tmp_.Path())},
                                               Row{u"<d\uF6B2>", u"*無法改名*", startup_.Widen(tmp_.Path())}));
}

TEST_F(PosixWalk, SymbolicLinksAreRenamedButNeverFollowed) {
  const std::string outside = tmp_ / "outside";
  mkdir(outside.c_str(), 0755);
  WriteText(outside + "/" + kPua1, "not ours");
  const std::string top = tmp_ / "top";
  mkdir(top.c_str(), 0755);
  symlink(outside.c_str(), (top + "/link" + kPua2).c_str());
  symlink("..", (top + "/loop").c_str());  // would never end if followed

  Run(top);

  EXPECT_TRUE(Exists(outside + "/" + kPua1));
  EXPECT_THAT(Names(top), ElementsAre("link" + kCircled2, "loop"));
  EXPECT_EQ(std::filesystem::read_symlink(top + "/link" + kCircled2).string(), outside);
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"link\uF6B2", u"link\u2461", startup_.Widen(top)}));
}

TEST_F(PosixWalk, NamesThatAreNotUtf8AreWalkedButLeftAlone) {
  const std::string odd = tmp_ / ("big5-\xA4\xA4" + kPua1);
  mkdir(odd.c_str(), 0755);
  WriteText(odd + "/" + kPua2, "x");
  WriteText(tmp_ / ("\xFF" + kPua3), "y");

  Run(tmp_.Path());

  EXPECT_TRUE(Exists(odd));
  EXPECT_TRUE(Exists(odd + "/" + kCircled2));
  EXPECT_TRUE(Exists(tmp_ / ("\xFF" + kPua3)));
  ASSERT_EQ(host_.rows.size(), 1u);
  EXPECT_EQ(host_.rows[0].result, u"\u2461");
  // Shown with U+FFFD for each byte that is not UTF-8, in the row and in the log file.
  EXPECT_EQ(host_.rows[0].folder, startup_.Widen(tmp_.Path()) + u"/big5-\uFFFD\uFFFD\uF6B1");
}

TEST_F(PosixWalk, LogAfterANameThatIsNotUtf8IsValidUtf16) {
  const std::string odd = tmp_ / ("\xA4\xA4");
  mkdir(odd.c_str(), 0755);
  WriteText(odd + "/" + kPua1, "x");
  const ScanEngine engine = Run(tmp_.Path());
  const std::string path =
      WriteRunLog(logs_, log_dir_ / "logs", PathStyle::kPosix, {2024, 3, 15, 9, 30, 5}, engine.Log().Lines());
  const std::string bytes = ReadText(path);
  // Every code unit after the mark is a character of its own or half of a proper pair.
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const unsigned unit = static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
    EXPECT_FALSE(unit >= 0xD800 && unit <= 0xDFFF) << "surrogate at byte " << i;
  }
  EXPECT_EQ(engine.Log().Lines()[0],
            u"來源：" + startup_.Widen(odd.substr(0, odd.size() - 2)) + u"\uFFFD\uFFFD/\uF6B1");
  EXPECT_TRUE(Exists(odd + "/" + kCircled1));
}

TEST_F(PosixWalk, ReplacementsThatNamesCannotHoldAreRefused) {
  table_.SetForward(0xF6B4, u'/');
  table_.SetForward(0xF6B5, 0xD800);  // a lone surrogate has no UTF-8 form
  const std::string slash =
      "a\xEF\x9A\xB4"
      "b";
  const std::string lone = "c\xEF\x9A\xB5";
  mkdir((tmp_ / "a").c_str(), 0755);  // where a "/" would have moved the file
  WriteText(tmp_ / slash, "s");
  WriteText(tmp_ / lone, "l");

  Run(tmp_.Path());

  EXPECT_THAT(Names(tmp_.Path()), ElementsAre("a", slash, lone));
  EXPECT_TRUE(std::filesystem::is_empty(tmp_ / "a"));
  EXPECT_THAT(host_.rows, UnorderedElementsAre(Row{u"a\uF6B4b", u"*無法改名*", startup_.Widen(tmp_.Path())},
                                               Row{u"c\uF6B5", u"*無法改名*", startup_.Widen(tmp_.Path())}));
}

TEST_F(PosixWalk, FolderThatCannotBeReadIsPassedOverButRenamed) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  const std::string locked = tmp_ / ("locked" + kPua1);
  mkdir(locked.c_str(), 0755);
  WriteText(locked + "/" + kPua2, "x");
  chmod(locked.c_str(), 0300);  // no read permission: the folder cannot be listed
  Run(tmp_.Path());
  chmod((tmp_ / ("locked" + kCircled1)).c_str(), 0755);
  EXPECT_TRUE(Exists(tmp_ / ("locked" + kCircled1 + "/" + kPua2)));
}

TEST_F(PosixWalk, AnotherFileSystemMountedInsideIsNotWalked) {
  struct stat dev {
  }, shm{};
  if (stat("/dev", &dev) != 0 || stat("/dev/shm", &shm) != 0 || dev.st_dev == shm.st_dev ||
      access("/dev/shm", W_OK) != 0) {
    GTEST_SKIP() << "needs /dev/shm mounted on its own inside /dev";
  }
  const std::string marker = "/dev/shm/quillon-" + std::to_string(getpid()) + kPua1;
  WriteText(marker, "x");
  table_.Clear();
  table_.SetForward(0xF6B1, 0x2460);

  Run("/dev");

  const bool untouched = Exists(marker);
  unlink(marker.c_str());
  std::string shm_path = "/dev/shm/quillon-" + std::to_string(getpid()) + kCircled1;
  unlink(shm_path.c_str());
  EXPECT_TRUE(untouched);
  EXPECT_TRUE(host_.rows.empty());
  EXPECT_THAT(host_.shown, ::testing::Contains(u"/dev/shm"));  // met as an entry, not searched
}

TEST_F(PosixWalk, RootFolderTextMayEndInSlash) {
  WriteText(tmp_ / kPua1, "x");
  Run(tmp_.Path() + "/");
  EXPECT_TRUE(Exists(tmp_ / kCircled1));
  EXPECT_EQ(host_.rows.at(0).folder, startup_.Widen(tmp_.Path()) + u"/");
}

TEST(PosixLogFolder, WritesNewFilesOnlyAndMakesOneLevel) {
  TempFolder tmp;
  PosixLogFolder logs;
  const std::string dir = tmp / "RenameLogs";
  EXPECT_FALSE(logs.FolderExists(dir));
  logs.CreateFolder(tmp / "deeper/RenameLogs");  // one level only: fails quietly
  EXPECT_FALSE(logs.FolderExists(tmp / "deeper"));
  logs.CreateFolder(dir);
  EXPECT_TRUE(logs.FolderExists(dir));

  const std::vector<std::uint8_t> bytes = {0xFF, 0xFE, 0x41, 0x00, 0x0D, 0x00, 0x0A, 0x00};
  EXPECT_EQ(logs.WriteNewFile(dir + "/a.log", bytes), NewFileResult::kWritten);
  EXPECT_EQ(ReadText(dir + "/a.log"), std::string("\xFF\xFE"
                                                  "A\0\r\0\n\0",
                                                  8));
  const std::vector<std::uint8_t> other = {1, 2, 3};
  EXPECT_EQ(logs.WriteNewFile(dir + "/a.log", other), NewFileResult::kAlreadyExists);
  EXPECT_EQ(ReadText(dir + "/a.log").size(), 8u);
  EXPECT_EQ(logs.WriteNewFile(tmp / "missing/a.log", bytes), NewFileResult::kFailed);
}

TEST(PosixLogFolder, RunLogLandsAsStampFileAndASecondOneIsKept) {
  TempFolder tmp;
  PosixLogFolder logs;
  const std::vector<std::u16string> lines = {u"來源：/a/\uF6B1", u"改成：/a/\u2460", u""};
  const LocalTime t{2024, 3, 15, 9, 30, 5};
  EXPECT_EQ(WriteRunLog(logs, tmp.Path(), PathStyle::kPosix, t, lines), tmp / "20240315-093005.log");
  EXPECT_EQ(WriteRunLog(logs, tmp.Path(), PathStyle::kPosix, t, {}), tmp / "20240315-093005-2.log");
  const std::vector<std::uint8_t> expected = EncodeLogFile(lines);
  EXPECT_EQ(ReadText(tmp / "20240315-093005.log"), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(ReadText(tmp / "20240315-093005-2.log"), "\xFF\xFE");
  EXPECT_THROW(WriteRunLog(logs, tmp / "missing", PathStyle::kPosix, t, {}), RenamerError);
}

TEST(PosixStartup, TableFileErrorsMapToTheirNumbers) {
  TempFolder tmp;
  PosixStartup startup;
  std::vector<std::uint8_t> contents;
  EXPECT_EQ(startup.ReadTableFile(tmp / "missing.tbl", contents), 2);
  WriteText(tmp / "file", "x");
  EXPECT_EQ(startup.ReadTableFile(tmp / "file/uc-o2n.tbl", contents), 3);
  EXPECT_EQ(startup.ReadTableFile(tmp.Path(), contents), 5);
  WriteText(tmp / "uc-o2n.tbl", "F6B1 2460\r\n");
  EXPECT_EQ(startup.ReadTableFile(tmp / "uc-o2n.tbl", contents), 0);
  EXPECT_EQ(std::string(contents.begin(), contents.end()), "F6B1 2460\r\n");
  if (geteuid() != 0) {
    chmod((tmp / "uc-o2n.tbl").c_str(), 0);
    EXPECT_EQ(startup.ReadTableFile(tmp / "uc-o2n.tbl", contents), 5);
  }
  RenameTable table;
  try {
    LoadRenameTableFile(startup, tmp / "missing.tbl", table);
    FAIL();
  } catch (const RenamerError& e) {
    EXPECT_EQ(WithClosingPeriod(e.what()), "File not found.");
  }
}

TEST(PosixStartup, ProfileIsHomeAndEightBitTextIsUtf8) {
  PosixStartup startup;
  const char* saved = std::getenv("HOME");
  const std::string home = saved ? saved : "";
  setenv("HOME", "/home/amy", 1);
  EXPECT_EQ(startup.UserProfile(), "/home/amy");
  unsetenv("HOME");
  EXPECT_EQ(startup.UserProfile(), "$HOME");
  if (saved) setenv("HOME", home.c_str(), 1);
  EXPECT_EQ(startup.Widen("/mnt/\xE6\xAA\x94" + kPua1), u"/mnt/\u6A94\uF6B1");
}

TEST(PosixStartup, DriveListHoldsMountPointsEachFollowedByComma) {
  const std::string drives = PosixStartup().ListFixedDrives();
  if (!drives.empty()) {
    EXPECT_EQ(drives.back(), ',');
    EXPECT_EQ(drives.front(), '/');
  }
  EXPECT_EQ(drives.find("/proc"), std::string::npos);
  EXPECT_EQ(drives.find("/sys,"), std::string::npos);
}

TEST(SampleTable, LoadsOneWayEntriesForTheExtensionArea) {
  PosixStartup startup;
  RenameTable table;
  LoadRenameTableFile(startup, QUILLON_SAMPLE_TABLE, table);
  EXPECT_GT(table.ForwardEntryCount(), 300u);
  EXPECT_EQ(table.ReverseEntryCount(), 0u);
  EXPECT_EQ(table.Forward(0xF6B1), u'\u2460');  // Big5 C6A1: ①
  EXPECT_EQ(table.Forward(0xF848), u'\u026A');  // Big5 C8FE
  EXPECT_EQ(table.Forward(0xF6B0), std::nullopt);
}

}  // namespace
}  // namespace quillon::posix
