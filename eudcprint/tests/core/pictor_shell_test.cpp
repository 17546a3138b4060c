// The frame's commands without a window: the start-up chain, what is refused before a choice,
// the document title, the notes box and the link put back when the frame goes.
#include "core/pictor_shell.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/association_choice.h"
#include "core/shell_resources.h"
#include "core/string_table.h"
#include "tests/support/choice_fakes.h"
#include "tests/support/test_texts.h"

namespace pictor {
namespace {

using pictor::testing::kKai;
using pictor::testing::kMing;
using pictor::testing::kSystemDefault;

using testing::ChoiceFixture;
using testing::ScriptedFontDialog;

constexpr std::string_view kUntitled = "\xa6\xdb\xb3\x79\xa6\x72";  // 自造字

// Everything the frame asks of its window and its dialogs, in one log.
class RecordedWindow : public ShellWindowPort {
 public:
  explicit RecordedWindow(std::vector<std::string>& log) : log_(log) {}
  void SetDocumentTitle(std::string_view cp950) override {
    title = cp950;
    log_.push_back("title " + title);
  }
  void InvalidateView() override { log_.push_back("invalidate"); }
  void RunWindowCommand(std::uint16_t command) override { log_.push_back("window " + std::to_string(command)); }
  std::string title;

 private:
  std::vector<std::string>& log_;
};

class CancelledRangeDialog : public PrintRangeDialogPort {
 public:
  explicit CancelledRangeDialog(std::vector<std::string>& log) : log_(log) {}
  bool Run(PrintRangeModel&) override {
    log_.push_back("range dialog");
    return false;
  }

 private:
  std::vector<std::string>& log_;
};

class Shell : public ::testing::Test {
 protected:
  Shell() {
    f.fonts.faces = {{std::string(kKai), kChineseBig5Charset, kTrueTypeFontType},
                     {std::string(kMing), kChineseBig5Charset, kTrueTypeFontType}};
    auto links = f.registry.memory.Create(RegistryRoot::kCurrentUser, "EUDC\\950");
    links->Set({"SystemDefaultEUDCFont", kRegSz, "C:\\WINDOWS\\Fonts\\EUDC.TTE"});
    links->Set({std::string(kMing), kRegSz, "C:\\eudc\\ming.tte"});
    links->Set({std::string(kKai), kRegSz, "C:\\eudc\\kai.tte"});
    fontDialog.whileOpen = [this] { f.log.push_back("font dialog"); };
    shell = std::make_unique<PictorShell>(state, ports, fontDialog, rangeDialog, window);
    f.log.clear();
  }

  std::optional<RegistryValue> MingLink() {
    return f.registry.memory.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kRead)->Query(kMing);
  }

  ChoiceFixture f;
  PictorPorts ports = f.Ports();
  ProgramState state;
  RecordedWindow window{f.log};
  ScriptedFontDialog fontDialog;
  CancelledRangeDialog rangeDialog{f.log};
  std::unique_ptr<PictorShell> shell;
};

const std::vector<std::uint16_t> kNeedAssociation = {ID_PRINT_RANGE, ID_FILE_PRINT, ID_FILE_PRINT_DIRECT,
                                                     ID_FILE_PRINT_PREVIEW};

TEST_F(Shell, StartsUntitledThenChainsTheFontChoiceIntoTheRangeChoice) {
  EXPECT_EQ(window.title, kUntitled);
  fontDialog.choose = std::string(kMing);
  shell->Start();
  EXPECT_EQ(f.log,
            (std::vector<std::string>{"font dialog", "title " + std::string(kMing), "invalidate", "range dialog"}));
  EXPECT_EQ(state.currentAssociation.displayName.View(), kMing);
  // The range dialog was cancelled: all codes, as the font choice left them.
  EXPECT_EQ(state.printRange.count, EUDC_CHARACTER_COUNT);
  for (std::uint16_t command : kNeedAssociation) EXPECT_TRUE(shell->IsEnabled(command)) << command;
}

TEST_F(Shell, BeforeAChoiceThePrintCommandsAreRefusedWhateverSendsThem) {
  shell->Start();  // cancelled
  EXPECT_EQ(f.log, (std::vector<std::string>{"font dialog"}));
  f.log.clear();
  for (std::uint16_t command : kNeedAssociation) {
    EXPECT_FALSE(shell->IsEnabled(command)) << command;
    EXPECT_FALSE(shell->Execute(command)) << command;
  }
  EXPECT_TRUE(f.log.empty());  // no dialog, no printing, no preview
  EXPECT_EQ(window.title, kUntitled);

  // These work in every state; about never does, and the edit keys have no effect.
  for (std::uint16_t command : {ID_FILE_PRINT_SETUP, ID_FILE_OPEN, ID_FILE_SAVE, ID_APP_EXIT}) {
    EXPECT_TRUE(shell->Execute(command)) << command;
  }
  EXPECT_EQ(f.log, (std::vector<std::string>{"window 57606", "window 57601", "window 57603", "window 57665"}));
  for (std::uint16_t command :
       {ID_APP_ABOUT, ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_NEXT_PANE, ID_PREV_PANE}) {
    EXPECT_FALSE(shell->Execute(command)) << command;
  }
  EXPECT_FALSE(shell->IsEnabled(ID_APP_ABOUT));
}

TEST_F(Shell, TheKaiTypefaceAloneGetsTheNoteInItsTitle) {
  fontDialog.choose = std::string(kKai);
  shell->Execute(ID_FONT_SETTING);
  EXPECT_EQ(window.title, std::string(kKai) + std::string(kKaiTitleSuffix));

  fontDialog.choose = std::string(kMing);
  shell->Execute(ID_FONT_SETTING);
  EXPECT_EQ(window.title, kMing);

  // A new document takes the untitled name again and keeps the association.
  shell->Execute(ID_FILE_NEW);
  EXPECT_EQ(window.title, kUntitled);
  EXPECT_EQ(state.currentAssociation.displayName.View(), kMing);
}

TEST_F(Shell, ACancelledLaterChoiceKeepsTheAssociationAndItsTitle) {
  fontDialog.choose = std::string(kKai);
  shell->Start();
  fontDialog.choose.reset();
  f.log.clear();
  EXPECT_TRUE(shell->Execute(ID_FONT_SETTING));
  EXPECT_EQ(f.log, (std::vector<std::string>{"font dialog"}));
  EXPECT_EQ(state.currentAssociation.displayName.View(), kKai);
  EXPECT_TRUE(shell->IsEnabled(ID_FILE_PRINT));
}

TEST_F(Shell, NotesShowTheirBoxInEveryState) {
  for (int round = 0; round < 2; ++round) {
    f.messages.messages.clear();
    EXPECT_TRUE(shell->Execute(ID_NOTES));
    ASSERT_EQ(f.messages.messages.size(), 1u);
    EXPECT_EQ(f.messages.messages[0].caption, kNotesCaption);
    EXPECT_EQ(f.messages.messages[0].text, kNotesText);
    EXPECT_EQ(f.messages.messages[0].icon, MessageIcon::kInformation);
    fontDialog.choose = std::string(kMing);
    shell->Start();
  }
}

TEST_F(Shell, TheFrameGoingPutsBackTheLinkTheSystemDefaultSetAside) {
  fontDialog.choose = std::string(kSystemDefault);
  shell->Start();
  EXPECT_FALSE(MingLink());
  shell->RestoreLinks();
  ASSERT_TRUE(MingLink());
  EXPECT_EQ(MingLink()->data, "C:\\eudc\\ming.tte");

  shell->Execute(ID_FONT_SETTING);  // set aside again
  EXPECT_FALSE(MingLink());
  shell.reset();
  ASSERT_TRUE(MingLink());
  EXPECT_EQ(MingLink()->data, "C:\\eudc\\ming.tte");
}

}  // namespace
}  // namespace pictor
