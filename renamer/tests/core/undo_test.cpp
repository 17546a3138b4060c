// Reading a run's log back, undoing the run from it, and the preview that renames nothing.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/dry_run_file_system.h"
#include "core/log_reader.h"
#include "core/renamer_error.h"
#include "core/scan_engine.h"
#include "core/undo_run.h"
#include "tests/core/memory_machine.h"

namespace quillon {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::MemoryFileSystem;
using testing::MemoryLogFolder;
using testing::Node;
using testing::RecordingHost;
using testing::Row;

// Every path below `node`, with "/" after folders, and its order of listing kept out of it.
void Collect(const Node& node, const std::u16string& prefix, std::vector<std::u16string>& out) {
  for (const auto& child : node.children) {
    const std::u16string path = prefix + child->name + (child->is_directory ? u"/" : u"");
    out.push_back(path);
    Collect(*child, path, out);
  }
}

std::vector<std::u16string> Tree(MemoryFileSystem& fs) {
  std::vector<std::u16string> paths;
  Collect(fs.Root(), u"", paths);
  std::sort(paths.begin(), paths.end());
  return paths;
}

// A copy of a tree with every folder's listing order kept.
void Clone(const Node& from, Node& to) {
  for (const auto& child : from.children) Clone(*child, *to.Add(child->name, child->is_directory));
}

std::vector<LoggedRename> Reread(const RunLog& log) {
  return ReadRunLog(EncodeLogFile(log.Lines()), PathStyle::kWindows);
}

class UndoTest : public ::testing::Test {
 protected:
  UndoTest() {
    table_.SetForward(0xF6B1, 0x2460);
    table_.SetForward(0xF6B2, 0x2461);
    table_.SetForward(0xF6B3, 0x2462);
    logs_.folders["L"] = true;
    // Private-use folders inside private-use folders, files beside them, names that stay.
    for (const char16_t* path :
         {u"C:\\top\\\uF6B1\\\uF6B2 a\\\uF6B3.txt", u"C:\\top\\\uF6B1\\\uF6B2 a\\keep",
          u"C:\\top\\\uF6B1\\\uF6B2\uF6B3\\\uF6B1", u"C:\\top\\\uF6B1\\x\uF6B2", u"C:\\top\\plain\\\uF6B3"}) {
      fs_.AddPath(path, false);
    }
    fs_.AddPath(u"C:\\top\\empty\uF6B2", true);
  }

  RunLog RunOver(FileSystemPort& files, RecordingHost& host) {
    ScanEngine engine(table_, files, logs_, host, PathStyle::kWindows, "L");
    engine.ScanFolder(u"C:\\top");
    return engine.Log();
  }

  RenameTable table_;
  MemoryFileSystem fs_;
  MemoryLogFolder logs_;
  RecordingHost host_;
};

TEST_F(UndoTest, RunThenUndoGivesBackTheTreeAsItWas) {
  const std::vector<std::u16string> before = Tree(fs_);
  const RunLog log = RunOver(fs_, host_);
  const std::vector<std::u16string> after = Tree(fs_);
  ASSERT_NE(after, before);

  RecordingHost undo_host;
  UndoRun undo(fs_, undo_host, PathStyle::kWindows, nullptr);
  undo.Undo(Reread(log));
  EXPECT_EQ(Tree(fs_), before);
  EXPECT_EQ(undo.Undone(), 8u);
  EXPECT_TRUE(undo.Skipped().empty());
  // Its own log: the folder first, brought back under the name it had.
  EXPECT_EQ(undo.Log().Lines()[0], u"來源：C:\\top\\<empty\u2461>");
  EXPECT_EQ(undo.Log().Lines()[1], u"改成：C:\\top\\empty\uF6B2");
  // Undoing the undo does the run again.
  UndoRun redo(fs_, undo_host, PathStyle::kWindows, nullptr);
  redo.Undo(Reread(undo.Log()));
  EXPECT_EQ(Tree(fs_), after);
}

TEST_F(UndoTest, ANameTakenInBetweenIsSkippedAndTheRestIsUndone) {
  const std::vector<std::u16string> before = Tree(fs_);
  const RunLog log = RunOver(fs_, host_);
  // Someone makes a new file under an old name, and removes a renamed one.
  fs_.Resolve(u"C:\\top\\plain")->Add(u"\uF6B3");
  Node* folder = fs_.Resolve(u"C:\\top\\\u2460");
  folder->children.erase(std::find_if(folder->children.begin(), folder->children.end(),
                                      [](const auto& c) { return c->name == u"x\u2461"; }));

  UndoRun undo(fs_, host_, PathStyle::kWindows, nullptr);
  undo.Undo(Reread(log));
  ASSERT_EQ(undo.Skipped().size(), 2u);  // last rename first
  EXPECT_EQ(undo.Skipped()[0].rename.new_name, u"\u2462");
  EXPECT_EQ(undo.Skipped()[0].reason, UndoSkipReason::kNameTaken);
  EXPECT_EQ(undo.Skipped()[1].rename.new_name, u"x\u2461");
  EXPECT_EQ(undo.Skipped()[1].reason, UndoSkipReason::kGone);
  EXPECT_EQ(undo.Undone(), 6u);
  std::vector<std::u16string> expected = before;
  std::erase(expected, u"C:/top/\uF6B1/x\uF6B2");
  expected.push_back(u"C:/top/plain/\u2462");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Tree(fs_), expected);
}

TEST_F(UndoTest, EntriesOfAFolderThatStaysUnderItsNewNameAreUndoneThere) {
  const RunLog log = RunOver(fs_, host_);
  fs_.Resolve(u"C:\\top")->Add(u"\uF6B1", true);  // the folder's old name is taken
  UndoRun undo(fs_, host_, PathStyle::kWindows, nullptr);
  undo.Undo(Reread(log));
  EXPECT_NE(fs_.Resolve(u"C:\\top\\\u2460\\\uF6B2 a"), nullptr);
  EXPECT_NE(fs_.Resolve(u"C:\\top\\\u2460\\\uF6B2\uF6B3"), nullptr);
  EXPECT_NE(fs_.Resolve(u"C:\\top\\\u2460\\\uF6B2 a")->Find(u"\uF6B3.txt"), nullptr);
  ASSERT_EQ(undo.Skipped().size(), 1u);
  EXPECT_EQ(undo.Skipped()[0].reason, UndoSkipReason::kNameTaken);
  // The rows show where the entries were found.
  EXPECT_THAT(host_.rows, ::testing::Contains(Row{u"\u2462.txt", u"\uF6B3.txt", u"C:\\top\\\u2460\\\uF6B2 a"}));
}

TEST_F(UndoTest, AStopEndsTheUndoAfterTheEntryItIsOn) {
  const RunLog log = RunOver(fs_, host_);
  RecordingHost host;
  host.on_events = [](RecordingHost& h) { h.stop = true; };
  UndoRun undo(fs_, host, PathStyle::kWindows, nullptr);
  undo.Undo(Reread(log));
  EXPECT_EQ(undo.Undone(), 1u);
}

// The preview's rows are a real run's rows, names that cannot be had included; and it renames
// nothing.
TEST_F(UndoTest, DryRunListsWhatARunWouldDoAndChangesNothing) {
  fs_.AddPath(u"C:\\top\\\u2461", false);  // a new name already taken
  fs_.AddPath(u"C:\\top\\\uF6B2", false);
  table_.SetForward(0xF6B4, u'/');  // a replacement names may not hold
  fs_.AddPath(u"C:\\top\\a\uF6B4", false);
  table_.SetForward(0xF6B5, 0xF6B6);  // a name another entry's rename frees on the way
  table_.SetForward(0xF6B6, 0x2463);
  fs_.AddPath(u"C:\\top\\q\uF6B6", false);
  fs_.AddPath(u"C:\\top\\q\uF6B5", false);
  MemoryFileSystem copy;
  Clone(fs_.Root(), copy.Root());
  const std::vector<std::u16string> before = Tree(fs_);

  DryRunFileSystem preview(fs_);
  RecordingHost preview_host;
  RunOver(preview, preview_host);
  RecordingHost real_host;
  RunOver(copy, real_host);

  EXPECT_EQ(preview_host.rows, real_host.rows);
  EXPECT_THAT(real_host.rows, ::testing::Contains(Row{u"q\uF6B5", u"q\uF6B6", u"C:\\top"}));
  EXPECT_THAT(real_host.rows, ::testing::Contains(Row{u"a\uF6B4", u"*無法改名*", u"C:\\top"}));
  EXPECT_THAT(real_host.rows, ::testing::Contains(Row{u"\uF6B2", u"*無法改名*", u"C:\\top"}));
  EXPECT_EQ(Tree(fs_), before);
  EXPECT_TRUE(fs_.renames.empty());
}

TEST(LogReader, SplitsRecordsIntoFolderAndNamesAndSkipsFailures) {
  RunLog log(PathStyle::kPosix);
  log.AddRecord(u"/a/b", u"\uF6B1.txt", u"\u2460.txt");
  log.AddRecord(u"/a", u"<b>", u"c");            // a folder
  log.AddRecord(u"/a", u"<x>", u"<y>");          // a file whose name has angle brackets
  log.AddRecord(u"", u"\uF6B1", u"*無法改名*");  // renamed nothing
  log.AddRecord(u"", u"\uF6B2", u"\u2461");      // in the root folder
  const std::vector<LoggedRename> renames = ReadRunLog(EncodeLogFile(log.Lines()), PathStyle::kPosix);
  ASSERT_EQ(renames.size(), 4u);
  EXPECT_EQ(renames[0].folder, u"/a/b");
  EXPECT_EQ(renames[0].old_name, u"\uF6B1.txt");
  EXPECT_EQ(renames[0].line, 1u);
  EXPECT_TRUE(renames[1].is_directory);
  EXPECT_EQ(renames[1].old_name, u"b");
  EXPECT_FALSE(renames[2].is_directory);
  EXPECT_EQ(renames[2].old_name, u"<x>");
  EXPECT_EQ(renames[3].folder, u"");
  EXPECT_EQ(renames[3].line, 13u);
}

TEST(LogReader, RefusesWhatIsNotARunLogNamingTheLine) {
  const auto message = [](const std::vector<std::u16string>& lines, bool mark = true) -> std::string {
    std::vector<std::uint8_t> bytes = EncodeLogFile(lines);
    if (!mark) bytes.erase(bytes.begin(), bytes.begin() + 2);
    try {
      ReadRunLog(bytes, PathStyle::kWindows);
      return "";
    } catch (const RenamerError& e) {
      return e.what();
    }
  };
  EXPECT_THAT(message({u"來源：C:\\a", u"改成：C:\\b"}, false), HasSubstr("byte-order mark"));
  EXPECT_THAT(message({u"來源：C:\\a", u"改成：C:\\b", u"", u"something"}), HasSubstr("line 4"));
  EXPECT_THAT(message({u"來源：C:\\a", u""}), HasSubstr("line 2"));
  EXPECT_THAT(message({u"來源：C:\\a", u"改成：D:\\b"}), HasSubstr("another folder"));
  EXPECT_THAT(message({u"來源：C:\\ab", u"改成：C:\\b"}), HasSubstr("length"));
  EXPECT_THAT(message({u"來源：a", u"改成：b"}), HasSubstr("no folder"));
  EXPECT_EQ(message({}), "");
}

}  // namespace
}  // namespace quillon
