#include "core/scan_engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/core/memory_machine.h"

namespace quillon {
namespace {

using ::testing::ElementsAre;
using testing::FixedClock;
using testing::MemoryFileSystem;
using testing::MemoryLogFolder;
using testing::Node;
using testing::RecordingHost;
using testing::Row;

class ScanEngineTest : public ::testing::Test {
 protected:
  ScanEngineTest() : fs_(&trace_), host_(&trace_) {
    table_.SetForward(0xF6B1, 0x2460);  // ①
    table_.SetForward(0xF6B2, 0x2461);  // ②
    table_.SetForward(0xF6B3, 0x2462);  // ③
    logs_.folders["L"] = true;
  }

  ScanEngine MakeEngine() { return ScanEngine(table_, fs_, logs_, host_, PathStyle::kWindows, "L"); }

  std::vector<std::string> trace_;
  RenameTable table_;
  MemoryFileSystem fs_;
  MemoryLogFolder logs_;
  RecordingHost host_;
};

TEST_F(ScanEngineTest, WalksDepthFirstWithContentsBeforeTheirFolderInListingOrder) {
  fs_.AddPath(u"C:\\top\\\uF6B1.txt", false);
  fs_.AddPath(u"C:\\top\\sub\uF6B2\\a\uF6B3", false);
  fs_.AddPath(u"C:\\top\\sub\uF6B2\\keep", false);
  fs_.AddPath(u"C:\\top\\.hidden\\\uF6B1", false);
  fs_.AddPath(u"C:\\top\\plain", false);

  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"C:\\top");

  EXPECT_THAT(trace_,
              ElementsAre("show C:\\top", "search C:\\top\\*.*", "events", "events",  // "." and ".."
                          "rename C:\\top \uF6B1.txt -> \u2460.txt", "row \uF6B1.txt | \u2460.txt | C:\\top", "events",
                          "show C:\\top\\sub\uF6B2", "search C:\\top\\sub\uF6B2\\*.*", "events", "events",
                          "rename C:\\top\\sub\uF6B2 a\uF6B3 -> a\u2462", "row a\uF6B3 | a\u2462 | C:\\top\\sub\uF6B2",
                          "events",
                          "events",  // keep
                          "rename C:\\top sub\uF6B2 -> sub\u2461", "row <sub\uF6B2> | sub\u2461 | C:\\top", "events",
                          "events",    // .hidden: neither walked nor renamed
                          "events"));  // plain

  EXPECT_THAT(engine.Log().Lines(),
              ElementsAre(u"來源：C:\\top\\\uF6B1.txt", u"改成：C:\\top\\\u2460.txt", u"",
                          u"來源：C:\\top\\sub\uF6B2\\a\uF6B3", u"改成：C:\\top\\sub\uF6B2\\a\u2462", u"",
                          u"來源：C:\\top\\<sub\uF6B2>", u"改成：C:\\top\\sub\u2461", u""));
  EXPECT_THAT(fs_.Resolve(u"C:\\top")->ChildNames(), ElementsAre(u".hidden", u"plain", u"\u2460.txt", u"sub\u2461"));
  EXPECT_THAT(fs_.Resolve(u"C:\\top\\.hidden")->ChildNames(), ElementsAre(u"\uF6B1"));
  EXPECT_EQ(engine.Counts().entries, 5u);  // ".hidden" is not counted
  EXPECT_EQ(engine.Counts().folders, 2u);
  EXPECT_EQ(engine.Counts().renamed, 3u);
}

TEST_F(ScanEngineTest, UnmappedUnitsStayAndUnchangedNamesGiveNoRow) {
  fs_.AddPath(u"C:\\top\\\uF6B9\uF6B1", false);  // F6B9 has no entry
  fs_.AddPath(u"C:\\top\\\u4E00\uE000", false);  // nothing to map
  fs_.AddPath(u"C:\\top\\same\\\uF6B2", false);  // a folder needing no change is still walked
  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"C:\\top");
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"\uF6B9\uF6B1", u"\uF6B9\u2460", u"C:\\top"},
                                      Row{u"\uF6B2", u"\u2461", u"C:\\top\\same"}));
  EXPECT_EQ(engine.Log().Lines().size(), 6u);
}

TEST_F(ScanEngineTest, AllDisksRunStartsEachDriveAtLetterAndColon) {
  fs_.AddPath(u"C:\\\uF6B1", false);
  fs_.AddPath(u"D:\\d\\\uF6B2", false);
  ScanEngine engine = MakeEngine();
  const std::vector<std::u16string> roots = {u"C:", u"D:"};
  engine.ScanRoots(roots);
  EXPECT_THAT(fs_.patterns, ElementsAre(u"C:\\*.*", u"D:\\*.*", u"D:\\d\\*.*"));
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"\uF6B1", u"\u2460", u"C:"}, Row{u"\uF6B2", u"\u2461", u"D:\\d"}));
  EXPECT_EQ(engine.Log().Lines()[0], u"來源：C:\\\uF6B1");
  EXPECT_EQ(engine.Log().Lines()[1], u"改成：C:\\\u2460");
}

TEST_F(ScanEngineTest, TrailingBackslashIsKeptAsTypedAndDoubles) {
  fs_.AddPath(u"C:\\top\\\uF6B1", false);
  fs_.AddPath(u"C:\\top\\sub\\\uF6B2", false);
  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"C:\\top\\");
  EXPECT_THAT(fs_.patterns, ElementsAre(u"C:\\top\\\\*.*", u"C:\\top\\\\sub\\*.*"));
  EXPECT_THAT(host_.rows,
              ElementsAre(Row{u"\uF6B1", u"\u2460", u"C:\\top\\"}, Row{u"\uF6B2", u"\u2461", u"C:\\top\\\\sub"}));
  EXPECT_EQ(engine.Log().Lines()[0], u"來源：C:\\top\\\\\uF6B1");
}

TEST_F(ScanEngineTest, EmptyFolderTextSearchesTheRootOfTheCurrentDrive) {
  fs_.AddPath(u"C:\\\uF6B1", false);
  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"");
  EXPECT_THAT(fs_.patterns, ElementsAre(u"\\*.*"));
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"\uF6B1", u"\u2460", u""}));
  EXPECT_EQ(engine.Log().Lines()[0], u"來源：\\\uF6B1");
}

TEST_F(ScanEngineTest, MissingOrEmptyFoldersGiveNothing) {
  fs_.AddPath(u"C:\\empty", true);
  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"C:\\missing");
  engine.ScanFolder(u"C:\\empty");
  EXPECT_TRUE(host_.rows.empty());
  EXPECT_TRUE(engine.Log().Lines().empty());
  EXPECT_THAT(host_.shown, ElementsAre(u"C:\\missing", u"C:\\empty"));
  EXPECT_EQ(engine.Counts().folders, 1u);
}

// Stops in the events handled right after the row for `stop_after`; the folders being returned
// from are still renamed, nothing after is visited, and no further root starts.
struct StopCase {
  const char16_t* stop_after;
  std::vector<std::u16string> expected_rows;
};

class ScanEngineStop : public ScanEngineTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(ScanEngineStop, EnclosingFoldersAreStillRenamedAsTheirWalksReturn) {
  fs_.AddPath(u"C:\\top\\f1\uF6B1", false);
  fs_.AddPath(u"C:\\top\\d1\uF6B2\\f2\uF6B1", false);
  fs_.AddPath(u"C:\\top\\d1\uF6B2\\d2\uF6B3\\f3\uF6B1", false);
  fs_.AddPath(u"C:\\top\\d1\uF6B2\\d2\uF6B3\\f4\uF6B1", false);
  fs_.AddPath(u"C:\\top\\d1\uF6B2\\f5\uF6B1", false);
  fs_.AddPath(u"C:\\top\\f6\uF6B1", false);
  fs_.AddPath(u"D:\\\uF6B1", false);
  const std::u16string stop_after = GetParam().stop_after;
  host_.on_events = [&](RecordingHost& host) {
    if (!host.rows.empty() && host.rows.back().display == stop_after) host.stop = true;
  };

  ScanEngine engine = MakeEngine();
  const std::vector<std::u16string> roots = {u"C:\\top", u"D:"};
  engine.ScanRoots(roots);

  std::vector<std::u16string> displays;
  for (const Row& row : host_.rows) displays.push_back(row.display);
  EXPECT_EQ(displays, GetParam().expected_rows);
  EXPECT_EQ(engine.Log().Lines().size(), 3 * displays.size());
  EXPECT_EQ(fs_.Resolve(u"D:")->ChildNames(), std::vector<std::u16string>{u"\uF6B1"});
  EXPECT_EQ(std::count(fs_.patterns.begin(), fs_.patterns.end(), u"D:\\*.*"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    AtEachDepth, ScanEngineStop,
    ::testing::Values(StopCase{u"f1\uF6B1", {u"f1\uF6B1"}},
                      StopCase{u"f2\uF6B1", {u"f1\uF6B1", u"f2\uF6B1", u"<d1\uF6B2>"}},
                      StopCase{u"f3\uF6B1", {u"f1\uF6B1", u"f2\uF6B1", u"f3\uF6B1", u"<d2\uF6B3>", u"<d1\uF6B2>"}},
                      StopCase{u"<d2\uF6B3>",
                               {u"f1\uF6B1", u"f2\uF6B1", u"f3\uF6B1", u"f4\uF6B1", u"<d2\uF6B3>", u"<d1\uF6B2>"}}));

TEST_F(ScanEngineTest, StopDuringADotEntryEndsTheFolderToo) {
  fs_.AddPath(u"C:\\top\\\uF6B1", false);
  host_.on_events = [](RecordingHost& host) { host.stop = true; };
  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"C:\\top");
  EXPECT_TRUE(host_.rows.empty());
  EXPECT_EQ(host_.events_handled, 1);
}

TEST_F(ScanEngineTest, TakenNameOrFailedRenameGivesCannotRenameAndReplacesNothing) {
  fs_.AddPath(u"C:\\top\\\uF6B1", false);
  fs_.AddPath(u"C:\\top\\\u2460", false);
  fs_.AddPath(u"C:\\top\\\uF6B2", false)->rename_fails = true;
  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"C:\\top");
  EXPECT_THAT(host_.rows,
              ElementsAre(Row{u"\uF6B1", u"*無法改名*", u"C:\\top"}, Row{u"\uF6B2", u"*無法改名*", u"C:\\top"}));
  EXPECT_THAT(engine.Log().Lines(), ElementsAre(u"來源：C:\\top\\\uF6B1", u"改成：C:\\top\\*無法改名*", u"",
                                                u"來源：C:\\top\\\uF6B2", u"改成：C:\\top\\*無法改名*", u""));
  EXPECT_THAT(fs_.Resolve(u"C:\\top")->ChildNames(), ElementsAre(u"\uF6B1", u"\u2460", u"\uF6B2"));
  EXPECT_EQ(engine.Counts().failed, 2u);
  EXPECT_EQ(engine.Counts().renamed, 0u);
}

TEST_F(ScanEngineTest, ForbiddenReplacementIsRefusedWithoutAskingTheSystem) {
  table_.SetForward(0xF6B4, u'\\');
  table_.SetForward(0xF6B5, u'/');
  fs_.AddPath(u"C:\\top\\a\uF6B4b", false);
  fs_.AddPath(u"C:\\top\\\uF6B5dir\\\uF6B1", false);
  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"C:\\top");
  EXPECT_THAT(host_.rows,
              ElementsAre(Row{u"a\uF6B4b", u"*無法改名*", u"C:\\top"}, Row{u"\uF6B1", u"\u2460", u"C:\\top\\\uF6B5dir"},
                          Row{u"<\uF6B5dir>", u"*無法改名*", u"C:\\top"}));
  ASSERT_EQ(fs_.renames.size(), 1u);  // only the file inside the folder reached the system
  EXPECT_EQ(fs_.renames[0].second, u"\u2460");
  EXPECT_THAT(fs_.Resolve(u"C:\\top")->ChildNames(), ElementsAre(u"a\uF6B4b", u"\uF6B5dir"));
}

TEST_F(ScanEngineTest, LinksAreRenamedAsEntriesButNeverWalked) {
  Node* link = fs_.AddPath(u"C:\\top\\\uF6B1link", true);
  link->is_link = true;
  link->Add(u"\uF6B2");
  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"C:\\top");
  EXPECT_THAT(fs_.patterns, ElementsAre(u"C:\\top\\*.*"));
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"<\uF6B1link>", u"\u2460link", u"C:\\top"}));
  EXPECT_THAT(link->ChildNames(), ElementsAre(u"\uF6B2"));
}

TEST_F(ScanEngineTest, FolderThatCannotBeSearchedIsPassedOverButStillRenamed) {
  Node* locked = fs_.AddPath(u"C:\\top\\\uF6B1locked", true);
  locked->searchable = false;
  locked->Add(u"\uF6B2");
  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"C:\\top");
  EXPECT_THAT(fs_.patterns, ElementsAre(u"C:\\top\\*.*", u"C:\\top\\\uF6B1locked\\*.*"));
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"<\uF6B1locked>", u"\u2460locked", u"C:\\top"}));
}

// Rows and log lines show a unit that stands for a byte that is not UTF-8 as U+FFFD, so that the
// log stays valid UTF-16; the rename inside still reaches the folder by its real name.
TEST_F(ScanEngineTest, InexactNamesAreWalkedButNeverRenamedAndShownWithReplacementCharacters) {
  Node* odd = fs_.AddPath(u"C:\\top\\\xDCFF\uF6B1", true);
  odd->inexact_name = true;
  odd->Add(u"\uF6B2");
  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"C:\\top");
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"\uF6B2", u"\u2461", u"C:\\top\\\uFFFD\uF6B1"}));
  EXPECT_THAT(fs_.renames,
              ElementsAre(std::pair<std::u16string, std::u16string>(u"C:\\top\\\xDCFF\uF6B1\\\uF6B2", u"\u2461")));
  EXPECT_EQ(engine.Log().Lines()[0], u"來源：C:\\top\\\uFFFD\uF6B1\\\uF6B2");
  EXPECT_EQ(host_.shown.back(), u"C:\\top\\\uFFFD\uF6B1");
}

TEST_F(ScanEngineTest, DirectionIsReadAnewForEveryName) {
  table_.SetForward(0xF6B2, 0x2461);
  table_.SetReverse(0x2461, 0xF6B2);
  fs_.AddPath(u"C:\\top\\\uF6B1", false);
  fs_.AddPath(u"C:\\top\\\u2461", false);
  host_.on_events = [](RecordingHost& host) {
    if (!host.rows.empty()) host.direction = Direction::kStandardToPrivate;
  };
  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"C:\\top");
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"\uF6B1", u"\u2460", u"C:\\top"}, Row{u"\u2461", u"\uF6B2", u"C:\\top"}));
}

TEST_F(ScanEngineTest, ARenamedEntryIsNotMetAgainUnderItsNewName) {
  // The folder listing shows a renamed entry again at its end, as directory reads may.
  table_.SetForward(0xF6B1, 0xF6B2);
  fs_.AddPath(u"C:\\top\\\uF6B1", false);
  ScanEngine engine = MakeEngine();
  engine.ScanFolder(u"C:\\top");
  EXPECT_THAT(host_.rows, ElementsAre(Row{u"\uF6B1", u"\uF6B2", u"C:\\top"}));
  EXPECT_THAT(fs_.Resolve(u"C:\\top")->ChildNames(), ElementsAre(u"\uF6B2"));
}

TEST_F(ScanEngineTest, LogFolderIsMadeWhenMissingAsEachFolderStarts) {
  fs_.AddPath(u"C:\\top\\a\\b", true);
  logs_.folders.clear();
  logs_.can_create = false;
  ScanEngine failing(table_, fs_, logs_, host_, PathStyle::kWindows, "C:\\Users\\amy\\RenameLogs");
  failing.ScanFolder(u"C:\\top");
  EXPECT_EQ(logs_.create_calls, 3);  // top, a, b: tried again each time, failures not reported

  logs_.can_create = true;
  logs_.create_calls = 0;
  ScanEngine engine(table_, fs_, logs_, host_, PathStyle::kWindows, "C:\\Users\\amy\\RenameLogs");
  engine.ScanFolder(u"C:\\top");
  EXPECT_EQ(logs_.create_calls, 1);
  EXPECT_TRUE(logs_.FolderExists("C:\\Users\\amy\\RenameLogs"));
}

TEST_F(ScanEngineTest, PosixStyleJoinsWithSlash) {
  MemoryFileSystem fs(nullptr, u'/');
  fs.current_drive = u"";
  fs.AddPath(u"home/amy/\uF6B1", false);
  RecordingHost host;
  ScanEngine engine(table_, fs, logs_, host, PathStyle::kPosix, "L");
  engine.ScanFolder(u"/home");
  EXPECT_THAT(fs.patterns, ElementsAre(u"/home/*.*", u"/home/amy/*.*"));
  EXPECT_THAT(host.rows, ElementsAre(Row{u"\uF6B1", u"\u2460", u"/home/amy"}));
  EXPECT_EQ(engine.Log().Lines()[0], u"來源：/home/amy/\uF6B1");
}

}  // namespace
}  // namespace quillon
