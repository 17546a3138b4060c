// The run journal: its bytes, how it reads back when cut short or damaged, when it reaches the
// system, and how a journal left behind becomes a recovered log.

#include "core/run_journal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/journal_recovery.h"
#include "core/run_log.h"
#include "core/scan_engine.h"
#include "core/utf8_text.h"
#include "tests/core/memory_machine.h"

namespace quillon {
namespace {

using ::testing::ElementsAre;
using testing::FixedClock;
using testing::MemoryFileSystem;
using testing::MemoryLogFolder;
using testing::RecordingHost;
using Bytes = std::vector<std::uint8_t>;

constexpr LocalTime kStart{2024, 3, 15, 9, 30, 5};
const std::string kDir = "C:\\L";
const std::string kJournal = "C:\\L\\20240315-093005.journal";

class JournalTest : public ::testing::Test {
 protected:
  JournalTest() : clock_(kStart) { logs_.folders[kDir] = true; }

  std::unique_ptr<RunJournal> Start() { return RunJournal::Start(logs_, clock_, kDir, PathStyle::kWindows); }

  MemoryLogFolder logs_;
  FixedClock clock_;
};

TEST_F(JournalTest, HeaderAndRecordsAreTheDocumentedBytes) {
  auto journal = Start();
  ASSERT_NE(journal, nullptr);
  EXPECT_EQ(journal->Path(), kJournal);
  clock_.time.second = 6;
  journal->RenameAhead(u"C:", u"\uF6B1", u"\u2460", false);
  journal->RenameDone(true);
  journal.reset();  // left behind: everything written goes out

  // clang-format off
  const Bytes expected = {
      'Q', 'U', 'I', 'L', 'L', 'O', 'N', 'J', 0x01, 0x00,  // magic, version, "\" paths
      0xE8, 0x07, 3, 15, 9, 30, 5,                          // started 2024-03-15 09:30:05
      0x48, 0x2A, 0xF5, 0x87,                               // CRC-32 of the 17 bytes before
      29, 0, 0, 0,                                          // body length
      0x01, 0xE8, 0x07, 3, 15, 9, 30, 6, 0x00,              // rename ahead, time, a file
      2, 0, 0, 0, 'C', 0, ':', 0,                           // folder "C:"
      1, 0, 0, 0, 0xB1, 0xF6,                               // name U+F6B1
      1, 0, 0, 0, 0x60, 0x24,                               // new name U+2460
      0x2F, 0x8D, 0xAF, 0x4B,                               // CRC-32 of the body
      9, 0, 0, 0, 0x02, 0xE8, 0x07, 3, 15, 9, 30, 6, 0x01,  // its result: renamed
      0xED, 0x8F, 0x44, 0x13};
  // clang-format on
  EXPECT_EQ(logs_.files[kJournal], expected);
}

// Whatever byte a kill cuts the file at, the records before the cut read back whole and the one
// being written is dropped; a damaged record ends the reading too.
TEST_F(JournalTest, ReadsBackEveryCompleteRecordWhereverTheFileIsCut) {
  auto journal = Start();
  journal->RenameAhead(u"C:\\a", u"\uF6B1x", u"\u2460x", false);
  journal->RenameDone(true);
  journal->Refused(u"C:\\a", u"\uF6B2", u":", false);
  journal->RenameAhead(u"C:", u"a", u"b", true);
  journal.reset();
  const Bytes whole = logs_.files[kJournal];

  const JournalContents all = ReadJournal(whole);
  ASSERT_TRUE(all.recognised);
  EXPECT_FALSE(all.torn);
  EXPECT_EQ(all.style, PathStyle::kWindows);
  ASSERT_EQ(all.entries.size(), 3u);
  EXPECT_EQ(all.entries[0].outcome, JournalOutcome::kRenamed);
  EXPECT_EQ(all.entries[1].outcome, JournalOutcome::kFailed);
  EXPECT_EQ(all.entries[2].outcome, JournalOutcome::kUnknown);  // killed before its result
  EXPECT_TRUE(all.entries[2].is_directory);
  EXPECT_EQ(all.entries[0].new_name, u"\u2460x");

  // Record boundaries: header 21 bytes, then each record's length + body + 8.
  std::vector<std::size_t> ends = {21};
  for (std::size_t at = 21; at < whole.size();) {
    at += 8 + (whole[at] | whole[at + 1] << 8);
    ends.push_back(at);
  }
  ASSERT_EQ(ends.back(), whole.size());
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    const JournalContents part = ReadJournal(std::span(whole).first(cut));
    std::size_t complete_records = 0;
    while (complete_records + 1 < ends.size() && ends[complete_records + 1] <= cut) ++complete_records;
    ASSERT_EQ(part.header_complete, cut >= 21) << cut;
    if (cut < 21) continue;
    // Records: ahead, result, refused, ahead -> entries after 1, 1, 2, 3 records.
    const std::size_t entries[] = {0, 1, 1, 2, 3};
    EXPECT_EQ(part.entries.size(), entries[complete_records]) << cut;
    EXPECT_EQ(part.torn, std::find(ends.begin(), ends.end(), cut) == ends.end()) << cut;
  }

  Bytes damaged = whole;
  damaged[ends[2] + 10] ^= 0x01;  // inside the refused record's body
  const JournalContents read = ReadJournal(damaged);
  EXPECT_TRUE(read.torn);
  EXPECT_EQ(read.entries.size(), 1u);

  Bytes foreign = whole;
  foreign[0] = 'X';
  EXPECT_FALSE(ReadJournal(foreign).recognised);
}

// A record whose check passes but whose names no run writes (a name that is empty or holds the
// separator, a new name of another length) is damaged like a torn one: it and what follows are not
// read, so that the recovered log stays one that an undo can read.
TEST_F(JournalTest, RecordsWithNamesNoRunWritesAreDamaged) {
  struct Case {
    bool refused;
    std::u16string name;
    std::u16string new_name;
  };
  for (const Case& c : std::vector<Case>{
           {true, u"a\\b", u"a\\c"}, {true, u"", u""}, {true, u"\uF6B1", u"\u2460x"}, {false, u"\uF6B1", u"\\"}}) {
    auto journal = Start();
    journal->RenameAhead(u"C:\\top", u"\uF6B1", u"\u2460", false);
    journal->RenameDone(true);
    if (c.refused) {
      journal->Refused(u"C:\\top", c.name, c.new_name, false);
    } else {
      journal->RenameAhead(u"C:\\top", c.name, c.new_name, false);
    }
    const std::string path = journal->Path();
    journal.reset();
    const JournalContents read = ReadJournal(logs_.files[path]);
    EXPECT_TRUE(read.torn) << ToUtf8(c.name + u" -> " + c.new_name);
    EXPECT_EQ(read.entries.size(), 1u) << ToUtf8(c.name + u" -> " + c.new_name);
    logs_.files.erase(path);
  }
  // A refused rename's new name may hold what names may not: it is never logged.
  auto journal = Start();
  journal->Refused(u"C:\\top", u"x\uF6BA", u"x\\", false);
  const std::string path = journal->Path();
  journal.reset();
  EXPECT_FALSE(ReadJournal(logs_.files[path]).torn);
}

TEST_F(JournalTest, RenamesReachTheSystemBeforeTheyAreMadeAndTheRestWithinASecond) {
  auto journal = Start();
  const int after_header = logs_.appends;
  journal->RenameAhead(u"C:", u"\uF6B1", u"\u2460", false);
  EXPECT_EQ(logs_.appends, after_header + 1);  // with the system before the rename is made
  journal->RenameDone(true);
  journal->Refused(u"C:", u"\uF6B2", u":", false);
  journal->Tick();
  EXPECT_EQ(logs_.appends, after_header + 1);  // results and refusals wait for a batch
  const int syncs = logs_.syncs;
  clock_.milliseconds += RunJournal::kSyncIntervalMs - 1;
  journal->Tick();
  EXPECT_EQ(logs_.syncs, syncs);
  clock_.milliseconds += 1;
  journal->Tick();
  EXPECT_EQ(logs_.appends, after_header + 2);
  EXPECT_EQ(logs_.syncs, syncs + 1);
  EXPECT_EQ(ReadJournal(logs_.files[kJournal]).entries.size(), 2u);

  clock_.milliseconds += 5000;
  journal->Tick();  // nothing new: nothing to write or sync
  EXPECT_EQ(logs_.syncs, syncs + 1);

  journal->Discard();
  EXPECT_EQ(logs_.files.count(kJournal), 0u);
}

TEST_F(JournalTest, EachRunGetsAJournalOfItsOwnAndNoneWhereNothingCanBeWritten) {
  auto first = Start();
  auto second = Start();
  EXPECT_EQ(second->Path(), "C:\\L\\20240315-093005-2.journal");
  logs_.can_write = false;
  EXPECT_EQ(Start(), nullptr);
  logs_.can_write = true;
  logs_.journal_writes_fail = true;
  EXPECT_EQ(Start(), nullptr);  // not even the header could be written
}

class RecoveryTest : public JournalTest {
 protected:
  RecoveryTest() : fs_(nullptr, u'\\') {
    table_.SetForward(0xF6B1, 0x2460);
    table_.SetForward(0xF6B2, 0x2461);
  }

  // A run over C:\top that is "killed" after `entries` entries: its journal is left behind.
  void RunKilledAfter(int entries) {
    auto journal = Start();
    ScanEngine engine(table_, fs_, logs_, host_, PathStyle::kWindows, kDir);
    engine.SetJournal(journal.get());
    int seen = 0;
    host_.on_events = [&](RecordingHost& host) {
      if (++seen == entries) host.stop = true;
    };
    engine.ScanFolder(u"C:\\top");
  }

  std::vector<RecoveredJournal> Recover() { return RecoverLeftJournals(logs_, fs_, clock_, kDir, PathStyle::kWindows); }

  RenameTable table_;
  MemoryFileSystem fs_;
  RecordingHost host_;
};

TEST_F(RecoveryTest, LeftJournalBecomesALogNamedAfterItsLastEntryAndIsRemoved) {
  fs_.AddPath(u"C:\\top\\\uF6B1", false);
  fs_.AddPath(u"C:\\top\\\u2461", false);
  fs_.AddPath(u"C:\\top\\\uF6B2", false);  // its new name is taken
  fs_.AddPath(u"C:\\top\\z", false);
  clock_.time.minute = 40;
  RunKilledAfter(5);  // ".", "..", and the three names

  const std::vector<RecoveredJournal> recovered = Recover();
  ASSERT_EQ(recovered.size(), 1u);
  EXPECT_EQ(recovered[0].journal_path, "C:\\L\\20240315-094005.journal");
  EXPECT_EQ(recovered[0].log_path, "C:\\L\\20240315-094005-recovered.log");
  EXPECT_TRUE(recovered[0].error.empty());
  EXPECT_EQ(logs_.files.count(recovered[0].journal_path), 0u);
  const std::vector<std::u16string> lines = {u"來源：C:\\top\\\uF6B1", u"改成：C:\\top\\\u2460",     u"",
                                             u"來源：C:\\top\\\uF6B2", u"改成：C:\\top\\*無法改名*", u""};
  EXPECT_EQ(logs_.files[recovered[0].log_path], EncodeLogFile(lines));
  EXPECT_TRUE(Recover().empty());  // told once
}

TEST_F(RecoveryTest, TheRenameWhoseResultWasNotRecordedIsLookedUpOnDisk) {
  fs_.AddPath(u"C:\\top\\\uF6B1", false);
  fs_.AddPath(u"C:\\top\\\uF6B2", false);
  auto journal = Start();
  // Killed between the record and the result, once after the rename and once before it.
  journal->RenameAhead(u"C:\\top", u"\uF6B1", u"\u2460", false);
  ASSERT_TRUE(fs_.OpenFolder(u"C:\\top")->Rename(u"\uF6B1", u"\u2460"));
  journal.reset();
  const std::vector<RecoveredJournal> done = Recover();
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(logs_.files[done[0].log_path],
            EncodeLogFile(std::vector<std::u16string>{u"來源：C:\\top\\\uF6B1", u"改成：C:\\top\\\u2460", u""}));

  clock_.time.hour = 10;
  journal = Start();
  journal->RenameAhead(u"C:\\top", u"\uF6B2", u"\u2461", false);
  journal.reset();
  const std::vector<RecoveredJournal> not_done = Recover();
  ASSERT_EQ(not_done.size(), 1u);
  EXPECT_EQ(logs_.files[not_done[0].log_path], EncodeLogFile({}));
}

// A damaged journal can hold records whose check passes but whose time no clock gives: the log
// is then named after the journal's start, or after the recovery when the start is impossible too.
TEST_F(RecoveryTest, AnImpossibleTimeNamesTheLogAfterTheStartOrTheRecovery) {
  auto journal = Start();  // 2024-03-15 09:30:05
  clock_.time = {9999, 99, 99, 99, 99, 99};
  journal->RenameAhead(u"C:\\top", u"\uF6B1", u"\u2460", false);
  journal->RenameDone(true);
  journal.reset();
  const std::vector<RecoveredJournal> recovered = Recover();
  ASSERT_EQ(recovered.size(), 1u);
  EXPECT_EQ(recovered[0].log_path, "C:\\L\\20240315-093005-recovered.log");

  clock_.time = {2023, 2, 29, 10, 0, 0};  // no 29 February that year
  journal = Start();
  journal->RenameAhead(u"C:\\top", u"\uF6B2", u"\u2461", false);
  journal->RenameDone(false);
  journal.reset();
  clock_.time = {2024, 3, 16, 8, 0, 0};
  const std::vector<RecoveredJournal> later = Recover();
  ASSERT_EQ(later.size(), 1u);
  EXPECT_EQ(later[0].log_path, "C:\\L\\20240316-080000-recovered.log");
}

TEST_F(RecoveryTest, JournalsInUseAreLeftAndARecoveryMadeBeforeIsNotMadeTwice) {
  fs_.AddPath(u"C:\\top\\\uF6B1", false);
  auto running = Start();
  EXPECT_TRUE(Recover().empty());  // a run is writing it
  running->RenameAhead(u"C:\\top", u"\uF6B1", u"\u2460", false);
  running->RenameDone(false);
  running.reset();

  // A start-up that wrote the log but was stopped before removing the journal.
  const Bytes journal = logs_.files[kJournal];
  const std::vector<RecoveredJournal> first = Recover();
  logs_.files[kJournal] = journal;
  const std::vector<RecoveredJournal> again = Recover();
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].log_path, first[0].log_path);
  EXPECT_EQ(logs_.files.count("C:\\L\\20240315-093005-recovered-2.log"), 0u);

  logs_.files[kDir + "\\cut.journal"] = Bytes(10, 'Q');  // cut before its header: nothing renamed
  logs_.files[kDir + "\\other.journal"] = Bytes(40, 'X');
  const std::vector<RecoveredJournal> odd = Recover();
  ASSERT_EQ(odd.size(), 1u);
  EXPECT_EQ(odd[0].journal_path, kDir + "\\other.journal");
  EXPECT_FALSE(odd[0].error.empty());
  EXPECT_EQ(logs_.files.count(kDir + "\\cut.journal"), 0u);
  EXPECT_EQ(logs_.files.count(kDir + "\\other.journal"), 1u);  // not ours to remove
}

}  // namespace
}  // namespace quillon
