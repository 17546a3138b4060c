// The session the window and quillon-run share: start-up and its order, the recovery report, a run
// with its journal and log, the preview, and undo from a log.

#include "core/rename_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/run_log.h"
#include "tests/core/memory_machine.h"

namespace quillon {
namespace {

using ::testing::ElementsAre;
using testing::FixedClock;
using ::testing::IsEmpty;
using testing::MemoryFileSystem;
using testing::MemoryLogFolder;
using testing::MemoryStartup;
using testing::RecordingHost;

constexpr LocalTime kNow{2024, 3, 15, 9, 30, 5};
const std::string kTable = "C:\\prog\\uc-o2n.tbl";
const std::string kLogDir = "C:\\Users\\amy\\RenameLogs";

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() : clock_(kNow), session_(startup_, fs_, logs_, clock_, PathStyle::kWindows) {
    startup_.files[kTable] = "F6B1 2460\r\n=\r\nF6B2 2461\r\n";
    startup_.drives = "C:\\,D:\\,";
    startup_.profile = "C:\\Users\\amy";
  }

  std::vector<std::string> Files() const {
    std::vector<std::string> paths;
    for (const auto& [path, bytes] : logs_.files) paths.push_back(path);
    return paths;
  }

  MemoryStartup startup_;
  MemoryFileSystem fs_;
  MemoryLogFolder logs_;
  FixedClock clock_;
  RecordingHost host_;
  RenameSession session_;
};

TEST_F(SessionTest, StartUpLoadsTheTableListsTheDrivesAndSetsTheLogFolder) {
  RecoveryReport recovery;
  EXPECT_EQ(session_.StartUp(kTable, recovery), "");
  EXPECT_EQ(session_.DriveList(), "C:\\,D:\\,");
  EXPECT_EQ(session_.LogDir(), kLogDir);
  EXPECT_TRUE(recovery.empty());
  EXPECT_THAT(session_.AllDiskRoots(), ElementsAre(u"C:", u"D:"));

  // A table error skips the rest: no drives, no log folder, no recovery.
  logs_.files[kLogDir + "\\20240101-000000.journal"] = std::vector<std::uint8_t>(40, 'X');
  RenameSession broken(startup_, fs_, logs_, clock_, PathStyle::kWindows);
  startup_.files[kTable] = "F6B1 24x0\r\n";
  EXPECT_EQ(broken.StartUp(kTable, recovery), "'$24x0' is not a valid integer value");
  EXPECT_EQ(broken.DriveList(), "");
  EXPECT_EQ(broken.LogDir(), "");
  EXPECT_TRUE(recovery.empty());
  EXPECT_THAT(broken.AllDiskRoots(), IsEmpty());
  EXPECT_EQ(broken.LoadTable("C:\\nowhere.tbl"), "File not found");
}

// Two runs started in the same second and killed before they renamed anything leave two journals
// that recover into the same log: the report names it once. A journal that cannot be recovered is
// listed with its reason.
TEST_F(SessionTest, RecoveryReportNamesEachLogOnce) {
  session_.SetLogFolder(kLogDir);
  auto first = RunJournal::Start(logs_, clock_, kLogDir, PathStyle::kWindows);
  auto second = RunJournal::Start(logs_, clock_, kLogDir, PathStyle::kWindows);
  ASSERT_NE(second, nullptr);
  first.reset();
  second.reset();
  logs_.files[kLogDir + "\\other.journal"] = std::vector<std::uint8_t>(40, 'X');

  const RecoveryReport report = session_.RecoverLeftJournals();
  EXPECT_THAT(report.logs, ElementsAre(kLogDir + "\\20240315-093005-recovered.log"));
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].journal_path, kLogDir + "\\other.journal");
  EXPECT_EQ(report.failures[0].error, "not a journal this program can read");
}

TEST_F(SessionTest, RunKeepsAJournalWhileItGoesAndLeavesOnlyItsLog) {
  RecoveryReport recovery;
  ASSERT_EQ(session_.StartUp(kTable, recovery), "");
  fs_.AddPath(u"C:\\top\\\uF6B1", false);
  fs_.AddPath(u"C:\\top\\\uF6B2", false);
  int journals_during_run = 0;
  host_.on_events = [&](RecordingHost&) {
    for (const std::string& path : Files()) journals_during_run += path.ends_with(".journal");
  };
  const std::vector<std::u16string> roots = {u"C:\\top", u"C:\\missing"};
  const RunOutcome run = session_.Run(roots, host_);

  EXPECT_GT(journals_during_run, 0);
  EXPECT_TRUE(run.journal_started);
  EXPECT_TRUE(run.journal_intact);
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(run.log_path, kLogDir + "\\20240315-093005.log");
  EXPECT_THAT(Files(), ElementsAre(run.log_path));
  EXPECT_EQ(logs_.files[run.log_path],
            EncodeLogFile(std::vector<std::u16string>{u"來源：C:\\top\\\uF6B1", u"改成：C:\\top\\\u2460", u"",
                                                      u"來源：C:\\top\\\uF6B2", u"改成：C:\\top\\\u2461", u""}));
  EXPECT_EQ(run.counts.renamed, 2u);
  EXPECT_THAT(run.unsearched_roots, ElementsAre(u"C:\\missing"));
}

TEST_F(SessionTest, PreviewRenamesNothingAndWritesNothing) {
  RecoveryReport recovery;
  ASSERT_EQ(session_.StartUp(kTable, recovery), "");
  fs_.AddPath(u"C:\\top\\\uF6B1", false);
  const std::vector<std::u16string> roots = {u"C:\\top"};
  const RunOutcome run = session_.Run(roots, host_, RunMode::kPreview);
  EXPECT_EQ(run.counts.renamed, 1u);
  EXPECT_EQ(run.log_path, "");
  EXPECT_FALSE(run.journal_started);
  EXPECT_THAT(Files(), IsEmpty());
  EXPECT_THAT(fs_.Resolve(u"C:\\top")->ChildNames(), ElementsAre(u"\uF6B1"));
}

// Without a journal the run still goes and writes its log; when the log cannot be written, the
// journal stays for the next start-up and the error says which file.
TEST_F(SessionTest, JournalAndLogFailures) {
  RecoveryReport recovery;
  ASSERT_EQ(session_.StartUp(kTable, recovery), "");
  fs_.AddPath(u"C:\\top\\\uF6B1", false);
  const std::vector<std::u16string> roots = {u"C:\\top"};

  logs_.journal_writes_fail = true;
  const RunOutcome without_journal = session_.Run(roots, host_);
  EXPECT_FALSE(without_journal.journal_started);
  EXPECT_THAT(Files(), ElementsAre(kLogDir + "\\20240315-093005.log"));

  logs_.journal_writes_fail = false;
  logs_.files.clear();
  fs_.AddPath(u"C:\\top\\\uF6B2", false);
  host_.on_events = [&](RecordingHost&) { logs_.can_write = false; };  // the disk fills during the run
  const RunOutcome unwritten = session_.Run(roots, host_);
  EXPECT_TRUE(unwritten.journal_started);
  EXPECT_EQ(unwritten.error, "Cannot create file " + kLogDir + "\\20240315-093005.log");
  EXPECT_EQ(unwritten.log_path, "");
  EXPECT_THAT(Files(), ElementsAre(kLogDir + "\\20240315-093005.journal"));
}

TEST_F(SessionTest, UndoReadsTheLogAndRenamesBackWithALogOfItsOwn) {
  RecoveryReport recovery;
  ASSERT_EQ(session_.StartUp(kTable, recovery), "");
  fs_.AddPath(u"C:\\top\\\uF6B1", false);
  const std::vector<std::u16string> roots = {u"C:\\top"};
  const RunOutcome run = session_.Run(roots, host_);

  const LoadedRunLog loaded = session_.ReadRunLogFile(run.log_path);
  ASSERT_EQ(loaded.error, "");
  ASSERT_EQ(loaded.renames.size(), 1u);
  clock_.time.second = 6;
  const UndoOutcome undo = session_.Undo(loaded.renames, host_);
  EXPECT_EQ(undo.logged, 1u);
  EXPECT_EQ(undo.undone, 1u);
  EXPECT_THAT(undo.skipped, IsEmpty());
  EXPECT_EQ(undo.log_path, kLogDir + "\\20240315-093006.log");
  EXPECT_THAT(fs_.Resolve(u"C:\\top")->ChildNames(), ElementsAre(u"\uF6B1"));
  EXPECT_THAT(Files(), ElementsAre(run.log_path, undo.log_path));

  EXPECT_EQ(session_.ReadRunLogFile("C:\\none.log").error, "Cannot read file C:\\none.log");
  logs_.files["C:\\bad.log"] = {'x'};
  EXPECT_EQ(session_.ReadRunLogFile("C:\\bad.log").error, "Not a rename log: no UTF-16 byte-order mark");
}

}  // namespace
}  // namespace quillon
