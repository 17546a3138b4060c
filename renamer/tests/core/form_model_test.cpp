// The window's rules without a window: start-up and its messages, the focus rules of the two fields
// and of browsing, Start, Stop and closing, and the pacing of events during a run, driven through a
// view that records what the window would show.

#include "core/form_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "core/form_layout.h"
#include "core/run_log.h"
#include "core/utf8_text.h"
#include "tests/core/memory_machine.h"

namespace quillon {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using testing::FixedClock;
using ::testing::IsEmpty;
using testing::MemoryFileSystem;
using testing::MemoryLogFolder;
using testing::MemoryStartup;

constexpr LocalTime kNow{2024, 3, 15, 9, 30, 5};
const std::string kTable = "C:\\prog\\uc-o2n.tbl";
const std::string kLogDir = "C:\\Users\\amy\\RenameLogs";

// Holds what the controls would hold, and traces the calls that change the window's look.
class FakeView : public FormView {
 public:
  int DirectionItem() override { return direction; }
  int ScopeItem() override { return scope; }
  std::u16string FolderText() override { return folder; }

  void SelectScopeItem(int item) override {
    scope = item;
    trace.push_back("scope " + std::to_string(item));
  }
  void SetDriveText(std::u16string_view text) override { drives = text; }
  void SetFolderText(std::u16string_view text) override { folder = text; }
  void FocusFolderField() override { trace.push_back("focus edtPath"); }
  void SetStartEnabled(bool enabled) override {
    start_enabled = enabled;
    trace.push_back(enabled ? "start on" : "start off");
  }
  void SetStopEnabled(bool enabled) override {
    stop_enabled = enabled;
    trace.push_back(enabled ? "stop on" : "stop off");
  }
  void SetBusyCursor(bool on) override {
    busy = on;
    trace.push_back(on ? "busy" : "normal cursor");
  }
  void ClearRows() override {
    rows.clear();
    trace.push_back("clear rows");
  }
  void AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view where) override {
    rows.push_back(ToUtf8(display_name) + " | " + ToUtf8(result) + " | " + ToUtf8(where));
  }
  void ShowFolder(std::u16string_view path) override { label = path; }
  void ShowMessage(const FormMessage& message) override { messages.push_back(message); }
  std::optional<std::string> BrowseForFolder(std::u16string_view title) override {
    browse_titles.emplace_back(title);
    return chosen;
  }
  void HandlePendingEvents() override {
    ++events;
    if (on_events) on_events();
  }

  int direction = kDirectionForwardItem;
  int scope = kScopeAllDisksItem;
  std::u16string folder;
  std::u16string drives;
  std::u16string label;
  bool start_enabled = true;
  bool stop_enabled = false;
  bool busy = false;
  std::vector<std::string> rows;
  std::vector<FormMessage> messages;
  std::vector<std::u16string> browse_titles;
  std::optional<std::string> chosen;
  int events = 0;
  std::function<void()> on_events;  // what the user does while a run hands events over
  std::vector<std::string> trace;
};

class FormModelTest : public ::testing::Test {
 protected:
  FormModelTest() : clock_(kNow), session_(startup_, fs_, logs_, clock_, PathStyle::kWindows), form_(session_, view_) {
    startup_.files[kTable] = "F6B1 2460\r\n=\r\nF6B2 2461\r\n";
    startup_.drives = "C:\\,D:\\,";
    startup_.profile = "C:\\Users\\amy";
    for (const char16_t digit : std::u16string_view(u"01234")) {
      fs_.AddPath(u"C:\\top\\f" + std::u16string(1, digit) + u"\uF6B1", false);
    }
  }

  void RunOverTop() {
    view_.scope = kScopeOneFolderItem;
    view_.folder = u"C:\\top";
    form_.OnControlEvent(kIdBtnStart, ControlEvent::kClick);
  }

  MemoryStartup startup_;
  MemoryFileSystem fs_;
  MemoryLogFolder logs_;
  FixedClock clock_;
  RenameSession session_;
  FakeView view_;
  FormModel form_;
};

TEST_F(FormModelTest, StartUpFillsTheDriveFieldAndShowsNoMessage) {
  form_.FormCreate(kTable);
  EXPECT_EQ(view_.drives, u"C:\\,D:\\,");
  EXPECT_THAT(view_.messages, IsEmpty());
  EXPECT_EQ(form_.State(), FormState::kIdle);
}

// The error box of start-up: the error icon, the program's caption, the text with "." added. The
// window opens all the same, with no drives and no log folder: an all-disks run walks nothing and
// its log goes to the root.
TEST_F(FormModelTest, TableErrorIsShownAndTheRestOfStartUpSkipped) {
  form_.FormCreate("C:\\prog\\absent.tbl");
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0], (FormMessage{MessageIcon::kError, u"重新命名程式", u"File not found."}));
  EXPECT_EQ(view_.drives, u"");

  EXPECT_TRUE(form_.btnStartClick());
  EXPECT_THAT(fs_.patterns, IsEmpty());
  EXPECT_EQ(form_.LastRun().log_path, "\\20240315-093005.log");
}

TEST_F(FormModelTest, StartUpTellsOnceWhatBecameOfLeftJournals) {
  auto journal = RunJournal::Start(logs_, clock_, kLogDir, PathStyle::kWindows);
  journal->RenameAhead(u"C:\\top", u"\uF6B1", u"\u2460", false);
  journal->RenameDone(true);
  journal.reset();
  logs_.files[kLogDir + "\\other.journal"] = std::vector<std::uint8_t>(40, 'X');

  form_.FormCreate(kTable);
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0].icon, MessageIcon::kWarning);  // one could not be recovered
  EXPECT_EQ(view_.messages[0].caption, u"重新命名程式");
  EXPECT_EQ(view_.messages[0].text,
            u"上次的更名工作沒有完成，已完成的更名已存成記錄檔：\n" + std::u16string(u"C:\\Users\\amy\\RenameLogs\\") +
                u"20240315-093005-recovered.log\n\n下列未完成的更名記錄無法救回：\n" +
                u"C:\\Users\\amy\\RenameLogs\\other.journal: not a journal this program can read");

  logs_.files.erase(kLogDir + "\\other.journal");
  view_.messages.clear();
  FormModel again(session_, view_);
  again.FormCreate(kTable);
  EXPECT_THAT(view_.messages, IsEmpty());  // nothing left to tell
}

TEST_F(FormModelTest, EnteringAFieldOrBrowsingSelectsItsScope) {
  form_.OnControlEvent(kIdEdtPath, ControlEvent::kEnter);
  EXPECT_EQ(view_.scope, kScopeOneFolderItem);
  form_.OnControlEvent(kIdEdtHD, ControlEvent::kEnter);
  EXPECT_EQ(view_.scope, kScopeAllDisksItem);
  form_.OnControlEvent(kIdEdtPath, ControlEvent::kClick);  // no such handler
  EXPECT_EQ(view_.scope, kScopeAllDisksItem);

  // Cancelled: the folder stays, and the folder field still gets the focus and its scope.
  view_.folder = u"kept";
  view_.trace.clear();
  form_.OnControlEvent(kIdBtnBrowser, ControlEvent::kClick);
  EXPECT_THAT(view_.browse_titles, ElementsAre(u"請選擇資料夾："));
  EXPECT_EQ(view_.folder, u"kept");
  EXPECT_THAT(view_.trace, ElementsAre("focus edtPath", "scope 1"));

  // Chosen: the 8-bit path comes in through the system's code page.
  form_.edtHDEnter();
  view_.chosen = "D:\\docs";
  form_.btnBrowserClick();
  EXPECT_EQ(view_.folder, u"D:\\docs");
  EXPECT_EQ(view_.scope, kScopeOneFolderItem);
}

TEST_F(FormModelTest, RunShowsRowsAndTheFolderAndWritesTheLog) {
  form_.FormCreate(kTable);
  view_.rows.push_back("old row");
  view_.trace.clear();
  RunOverTop();
  EXPECT_THAT(view_.trace,
              ElementsAre("busy", "start off", "stop on", "clear rows", "normal cursor", "start on", "stop off"));
  EXPECT_EQ(view_.rows.size(), 5u);
  EXPECT_EQ(view_.rows[0], "f0\uF6B1 | f0\u2460 | C:\\top");
  EXPECT_EQ(view_.label, u"C:\\top");
  EXPECT_EQ(form_.LastRun().log_path, kLogDir + "\\20240315-093005.log");
  EXPECT_EQ(form_.State(), FormState::kIdle);
}

// The scope and folder are read as the run starts; the direction anew for every name.
TEST_F(FormModelTest, ScopeIsReadOnceAndDirectionForEveryName) {
  form_.FormCreate(kTable);
  fs_.AddPath(u"C:\\top\\z\u2461", false);
  fs_.AddPath(u"D:\\x", false);
  int entries = 0;
  view_.on_events = [&] {
    view_.scope = kScopeAllDisksItem;
    if (++entries == 3) view_.direction = kDirectionReverseItem;  // after ".", ".." and the first file
  };
  form_.SetEventInterval(std::chrono::microseconds(0));
  RunOverTop();
  EXPECT_THAT(fs_.patterns, ElementsAre(u"C:\\top\\*.*"));
  EXPECT_EQ(view_.rows.size(), 2u);  // the first file forward; then only z② goes back
  EXPECT_EQ(view_.rows[1], "z\u2461 | z\uF6B2 | C:\\top");

  // All disks: each drive of the field, as letter and colon.
  view_.on_events = nullptr;
  view_.scope = kScopeAllDisksItem;
  fs_.patterns.clear();
  form_.btnStartClick();
  EXPECT_THAT(fs_.patterns, Contains(u"D:\\*.*"));
  EXPECT_EQ(fs_.patterns.front(), u"C:\\*.*");
}

// Running: Start off, Stop on, hourglass. Stop: Start on, Stop off, hourglass until the walks have
// returned; a Start click then is ignored. Closing the window stops a run, which writes its log.
TEST_F(FormModelTest, StartStopAndCloseStates) {
  form_.FormCreate(kTable);
  std::vector<std::string> seen;
  view_.on_events = [&] {
    seen.push_back(std::string(view_.start_enabled ? "start" : "-") + (view_.stop_enabled ? " stop" : " -") +
                   (view_.busy ? " busy" : ""));
    form_.OnControlEvent(kIdBtnStop, ControlEvent::kClick);
    seen.push_back(std::string(view_.start_enabled ? "start" : "-") + (view_.stop_enabled ? " stop" : " -") +
                   (view_.busy ? " busy" : ""));
    EXPECT_FALSE(form_.btnStartClick());  // a stopped run is still returning
  };
  RunOverTop();
  EXPECT_THAT(seen, ElementsAre("- stop busy", "start - busy"));
  EXPECT_EQ(view_.events, 1);  // stopped at the first entry
  EXPECT_EQ(form_.State(), FormState::kIdle);
  EXPECT_FALSE(view_.busy);
  EXPECT_THAT(logs_.files, Contains(::testing::Key(kLogDir + "\\20240315-093005.log")));

  view_.events = 0;
  view_.on_events = [&] { form_.FormClose(); };
  clock_.time.second = 6;
  RunOverTop();
  EXPECT_EQ(view_.events, 1);
  EXPECT_EQ(form_.LastRun().log_path, kLogDir + "\\20240315-093006.log");
  form_.FormClose();  // idle: nothing to stop
  EXPECT_EQ(form_.State(), FormState::kIdle);
}

// A log that cannot be written leaves the window as it looks during a run, with its message; Stop
// makes Start usable again, and the next run restores the window.
TEST_F(FormModelTest, UnwritableLogLeavesTheRunningLookUntilStop) {
  form_.FormCreate(kTable);
  view_.on_events = [&] { logs_.can_write = false; };
  RunOverTop();
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0], (FormMessage{MessageIcon::kError, u"重新命名程式",
                                            u"Cannot create file C:\\Users\\amy\\RenameLogs\\20240315-093005.log."}));
  EXPECT_FALSE(view_.start_enabled);
  EXPECT_TRUE(view_.stop_enabled);
  EXPECT_TRUE(view_.busy);
  EXPECT_FALSE(form_.RunActive());

  form_.btnStopClick();
  EXPECT_TRUE(view_.start_enabled);
  EXPECT_TRUE(view_.busy);
  view_.on_events = [&] { logs_.can_write = true; };
  EXPECT_TRUE(form_.btnStartClick());
  EXPECT_FALSE(view_.busy);
  EXPECT_TRUE(view_.start_enabled);
  EXPECT_FALSE(view_.stop_enabled);
}

// Events are handed over after an entry once the interval has passed since the last time; the
// first entry of every run always hands them over.
TEST_F(FormModelTest, EventsArePacedByTheInterval) {
  form_.FormCreate(kTable);
  RunOverTop();  // the clock stands still: only the first entry
  EXPECT_EQ(view_.events, 1);

  view_.events = 0;
  clock_.microseconds_step = 400;
  RunOverTop();  // 7 entries (".", ".." and five files), 400 µs apart: at 0, 1200 and 2400
  EXPECT_EQ(view_.events, 3);

  view_.events = 0;
  clock_.microseconds_step = 0;
  form_.SetEventInterval(std::chrono::microseconds(0));
  RunOverTop();
  EXPECT_EQ(view_.events, 7);
}

}  // namespace
}  // namespace quillon
