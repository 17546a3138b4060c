// The frame's commands without a window: the start-up chain, what is refused before a choice,
// the document title, the notes box, the link put back when the frame goes, and what printing,
// the preview and the file commands ask of the window.
#include "core/pictor_shell.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/association_choice.h"
#include "core/shell_resources.h"
#include "core/string_table.h"
#include "tests/support/choice_fakes.h"
#include "tests/support/fake_print_target.h"
#include "tests/support/test_texts.h"

namespace pictor {
namespace {

using pictor::testing::kKai;
using pictor::testing::kMing;
using pictor::testing::kSystemDefault;

using testing::ChoiceFixture;
using testing::ScriptedFontDialog;

constexpr std::string_view kUntitled = "\xa6\xdb\xb3\x79\xa6\x72";                 // 自造字
constexpr std::string_view kProgramTitle = " - \xa6\x43\xa6\x4c\xb5\x7b\xa6\xa1";  // " - 列印程式"

std::string Caption(std::string_view title) { return std::string(title) + std::string(kProgramTitle); }

// Everything the frame asks of its window and its dialogs, in one log; the answers are set by
// each test.
class RecordedWindow : public ShellWindowPort {
 public:
  // The printing box: its page lines logged; 取消 pressed before the page `cancelBefore`.
  class Box : public PrintingBoxPort {
   public:
    Box(RecordedWindow& window) : window_(window) {}
    ~Box() override { window_.log_.push_back("box closed"); }
    bool ShowPageLine(std::string_view cp950) override {
      window_.page_lines.emplace_back(cp950);
      return window_.page_lines.size() != window_.cancel_before;
    }

   private:
    RecordedWindow& window_;
  };

  explicit RecordedWindow(std::vector<std::string>& log) : log_(log) {}
  void SetCaption(std::string_view cp950) override {
    caption = cp950;
    log_.push_back("caption " + caption);
  }
  void InvalidateView() override { log_.push_back("invalidate"); }
  std::optional<PrintChoice> AskPrint(const PrintDialogOffer& offer) override {
    log_.push_back("print dialog");
    offered = offer;
    return print_choice;
  }
  void AskPageSetup() override { log_.push_back("page setup"); }
  std::optional<ChosenFile> AskOpenPath() override {
    log_.push_back("open dialog");
    return file;
  }
  std::optional<ChosenFile> AskSavePath(const FileDialogTexts& texts) override {
    log_.push_back("save dialog " + texts.default_name);
    save_texts = texts;
    return file;
  }
  PrintTarget& Printer() override { return printer; }
  std::unique_ptr<PrintingBoxPort> ShowPrintingBox(const PrintingBoxTexts& texts) override {
    log_.push_back("box");
    box = texts;
    return std::make_unique<Box>(*this);
  }
  void ShowPreview(PreviewModel& model, const PreviewPages&) override {
    log_.push_back("preview of " + std::to_string(model.PageCount()));
    if (preview_button) model.Press(*preview_button);
  }
  void Close() override { log_.push_back("close"); }

  std::string caption;
  std::optional<PrintChoice> print_choice;
  std::optional<PrintDialogOffer> offered;
  std::optional<ChosenFile> file;
  FileDialogTexts save_texts;
  testing::FakePrintTarget printer;
  PrintingBoxTexts box;
  std::vector<std::string> page_lines;
  std::size_t cancel_before = 0;
  std::optional<std::uint16_t> preview_button;

 private:
  std::vector<std::string>& log_;
};

// Reads and writes the document files it is told it may.
class RecordedDocuments : public DocumentFilePort {
 public:
  bool CanRead(std::string_view path) override { return path == readable; }
  bool WriteEmpty(std::string_view path) override {
    written.emplace_back(path);
    return writable;
  }
  std::string readable;
  bool writable = true;
  std::vector<std::string> written;
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
    f_.fonts.faces = {{std::string(kKai), kChineseBig5Charset, kTrueTypeFontType},
                      {std::string(kMing), kChineseBig5Charset, kTrueTypeFontType}};
    auto links = f_.registry.memory.Create(RegistryRoot::kCurrentUser, "EUDC\\950");
    links->Set({"SystemDefaultEUDCFont", kRegSz, "C:\\WINDOWS\\Fonts\\EUDC.TTE"});
    links->Set({std::string(kMing), kRegSz, "C:\\eudc\\ming.tte"});
    links->Set({std::string(kKai), kRegSz, "C:\\eudc\\kai.tte"});
    font_dialog_.while_open = [this] { f_.log.push_back("font dialog"); };
    shell_ =
        std::make_unique<PictorShell>(state_, ports_, ShellPorts{font_dialog_, range_dialog_, documents_, window_});
    f_.log.clear();
  }

  std::optional<RegistryValue> MingLink() {
    return f_.registry.memory.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kRead)->Query(kMing);
  }

  ChoiceFixture f_;
  PictorPorts ports_ = f_.Ports();
  ProgramState state_;
  RecordedWindow window_{f_.log};
  RecordedDocuments documents_;
  ScriptedFontDialog font_dialog_;
  CancelledRangeDialog range_dialog_{f_.log};
  std::unique_ptr<PictorShell> shell_;
};

const std::vector<std::uint16_t> kNeedAssociation = {ID_PRINT_RANGE, ID_FILE_PRINT, ID_FILE_PRINT_DIRECT,
                                                     ID_FILE_PRINT_PREVIEW};

TEST_F(Shell, StartsUntitledThenChainsTheFontChoiceIntoTheRangeChoice) {
  EXPECT_EQ(window_.caption, Caption(kUntitled));
  font_dialog_.choose = std::string(kMing);
  shell_->Start();
  EXPECT_EQ(f_.log,
            (std::vector<std::string>{"font dialog", "caption " + Caption(kMing), "invalidate", "range dialog"}));
  EXPECT_EQ(state_.current_association.displayName.View(), kMing);
  // The range dialog was cancelled: all codes, as the font choice left them.
  EXPECT_EQ(state_.print_range.count, EUDC_CHARACTER_COUNT);
  for (std::uint16_t command : kNeedAssociation) EXPECT_TRUE(shell_->IsEnabled(command)) << command;
}

TEST_F(Shell, BeforeAChoiceThePrintCommandsAreRefusedWhateverSendsThem) {
  shell_->Start();  // cancelled
  EXPECT_EQ(f_.log, (std::vector<std::string>{"font dialog"}));
  f_.log.clear();
  for (std::uint16_t command : kNeedAssociation) {
    EXPECT_FALSE(shell_->IsEnabled(command)) << command;
    EXPECT_FALSE(shell_->Execute(command)) << command;
  }
  EXPECT_TRUE(f_.log.empty());  // no dialog, no printing, no preview
  EXPECT_EQ(window_.caption, Caption(kUntitled));

  // These work in every state; about never does, and the edit keys have no effect.
  for (std::uint16_t command : {ID_FILE_PRINT_SETUP, ID_FILE_OPEN, ID_FILE_SAVE, ID_APP_EXIT}) {
    EXPECT_TRUE(shell_->Execute(command)) << command;
  }
  EXPECT_EQ(f_.log,
            (std::vector<std::string>{"page setup", "open dialog", "save dialog " + std::string(kUntitled), "close"}));
  for (std::uint16_t command :
       {ID_APP_ABOUT, ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_NEXT_PANE, ID_PREV_PANE}) {
    EXPECT_FALSE(shell_->Execute(command)) << command;
  }
  EXPECT_FALSE(shell_->IsEnabled(ID_APP_ABOUT));
}

TEST_F(Shell, TheKaiTypefaceAloneGetsTheNoteInItsTitle) {
  font_dialog_.choose = std::string(kKai);
  shell_->Execute(ID_FONT_SETTING);
  EXPECT_EQ(shell_->Document().Title(), std::string(kKai) + std::string(kKaiTitleSuffix));
  EXPECT_EQ(window_.caption, Caption(shell_->Document().Title()));

  font_dialog_.choose = std::string(kMing);
  shell_->Execute(ID_FONT_SETTING);
  EXPECT_EQ(window_.caption, Caption(kMing));

  // A new document takes the untitled name again and keeps the association.
  shell_->Execute(ID_FILE_NEW);
  EXPECT_EQ(window_.caption, Caption(kUntitled));
  EXPECT_EQ(state_.current_association.displayName.View(), kMing);
}

TEST_F(Shell, ACancelledLaterChoiceKeepsTheAssociationAndItsTitle) {
  font_dialog_.choose = std::string(kKai);
  shell_->Start();
  font_dialog_.choose.reset();
  f_.log.clear();
  EXPECT_TRUE(shell_->Execute(ID_FONT_SETTING));
  EXPECT_EQ(f_.log, (std::vector<std::string>{"font dialog"}));
  EXPECT_EQ(state_.current_association.displayName.View(), kKai);
  EXPECT_TRUE(shell_->IsEnabled(ID_FILE_PRINT));
}

TEST_F(Shell, NotesShowTheirBoxInEveryState) {
  for (int round = 0; round < 2; ++round) {
    f_.messages.messages.clear();
    EXPECT_TRUE(shell_->Execute(ID_NOTES));
    ASSERT_EQ(f_.messages.messages.size(), 1u);
    EXPECT_EQ(f_.messages.messages[0].caption, kNotesCaption);
    EXPECT_EQ(f_.messages.messages[0].text, kNotesText);
    EXPECT_EQ(f_.messages.messages[0].icon, MessageIcon::kInformation);
    font_dialog_.choose = std::string(kMing);
    shell_->Start();
  }
}

TEST_F(Shell, TheFrameGoingPutsBackTheLinkTheSystemDefaultSetAside) {
  font_dialog_.choose = std::string(kSystemDefault);
  shell_->Start();
  EXPECT_FALSE(MingLink());
  shell_->RestoreLinks();
  ASSERT_TRUE(MingLink());
  EXPECT_EQ(MingLink()->data, "C:\\eudc\\ming.tte");

  shell_->Execute(ID_FONT_SETTING);  // set aside again
  EXPECT_FALSE(MingLink());
  shell_.reset();
  ASSERT_TRUE(MingLink());
  EXPECT_EQ(MingLink()->data, "C:\\eudc\\ming.tte");
}

// After a choice of 細明體, with the printer of the test's window.
class Printing : public Shell {
 protected:
  Printing() {
    font_dialog_.choose = std::string(kMing);
    shell_->Start();
    f_.log.clear();
  }
};

TEST_F(Printing, TheDialogOffersEveryPageAndTheJobPrintsTheChosenOnesWithTheBoxShowingEach) {
  window_.print_choice = PrintChoice{PageSpan{3, 4}, 1};
  EXPECT_TRUE(shell_->Execute(ID_FILE_PRINT));
  ASSERT_TRUE(window_.offered);
  EXPECT_EQ(window_.offered->min_page, 1);
  EXPECT_EQ(window_.offered->max_page, 32);
  EXPECT_EQ(window_.offered->pages, (PageSpan{1, 32}));
  EXPECT_EQ(window_.offered->copies, 1);
  EXPECT_EQ(f_.log, (std::vector<std::string>{"print dialog", "box", "box closed"}));
  EXPECT_EQ(window_.printer.log.front(), "begin " + std::string(kMing));
  EXPECT_EQ(window_.printer.Footers(), (std::vector<std::string>{"\xb2\xc4 3 \xad\xb6", "\xb2\xc4 4 \xad\xb6"}));
  EXPECT_EQ(window_.box.document_name, kMing);
  EXPECT_EQ(window_.box.printer_name, "Office");
  EXPECT_EQ(window_.box.port_line, "\xa9\xf3 LPT1:");  // 於 LPT1:
  EXPECT_EQ(window_.page_lines, (std::vector<std::string>{"\xb2\xc4 3 \xad\xb6", "\xb2\xc4 4 \xad\xb6"}));
  EXPECT_TRUE(f_.messages.messages.empty());
}

TEST_F(Printing, ACancelledDialogPrintsNothingAndPrintingWithoutItPrintsEveryPage) {
  shell_->Execute(ID_FILE_PRINT);  // no choice: cancelled
  EXPECT_EQ(f_.log, (std::vector<std::string>{"print dialog"}));
  EXPECT_TRUE(window_.printer.log.empty());

  f_.log.clear();
  EXPECT_TRUE(shell_->Execute(ID_FILE_PRINT_DIRECT));
  EXPECT_EQ(f_.log, (std::vector<std::string>{"box", "box closed"}));
  EXPECT_EQ(window_.printer.pages.size(), 32u);
}

TEST_F(Printing, AFileNotChosenYetIsAskedForWithThePrintToFileTexts) {
  window_.printer.destination = {"PDF", "", true};
  window_.file = ChosenFile{"/out/Output.prn", "Output.prn"};
  shell_->Execute(ID_FILE_PRINT_DIRECT);
  EXPECT_EQ(f_.log, (std::vector<std::string>{"save dialog Output.prn", "box", "box closed"}));
  EXPECT_EQ(window_.save_texts.caption, "\xa6\x43\xa6\x4c\xa6\xdc\xc0\xc9\xae\xd7");  // 列印至檔案
  EXPECT_EQ(window_.save_texts.default_extension, "prn");
  EXPECT_EQ(window_.save_texts.filters,
            (std::vector<FileFilter>{{"Printer Files (*.prn)", "*.prn"}, {"All Files (*.*)", "*.*"}}));
  EXPECT_EQ(window_.printer.log.front(), "output /out/Output.prn");
  EXPECT_EQ(window_.box.port_line, "to /out/Output.prn");

  // Cancelling the file dialog prints nothing.
  window_.printer.destination.port.clear();
  window_.printer.log.clear();
  window_.file.reset();
  f_.log.clear();
  shell_->Execute(ID_FILE_PRINT_DIRECT);
  EXPECT_EQ(f_.log, (std::vector<std::string>{"save dialog Output.prn"}));
  EXPECT_TRUE(window_.printer.log.empty());
}

TEST_F(Printing, AFailedJobIsToldAndAStoppedOneIsNot) {
  window_.cancel_before = 2;
  shell_->Execute(ID_FILE_PRINT_DIRECT);
  EXPECT_EQ(window_.printer.log.back(), "abort");
  EXPECT_TRUE(f_.messages.messages.empty());

  window_.printer.fail_begin = true;
  shell_->Execute(ID_FILE_PRINT_DIRECT);
  ASSERT_EQ(f_.messages.messages.size(), 1u);
  EXPECT_EQ(f_.messages.messages[0].text, kPrintFailed);
  EXPECT_EQ(f_.messages.messages[0].icon, MessageIcon::kStop);
}

TEST_F(Printing, ThePreviewShowsTheJobsPagesAndItsPrintButtonPrintsAsTheMenuDoes) {
  EXPECT_TRUE(shell_->Execute(ID_FILE_PRINT_PREVIEW));
  EXPECT_EQ(f_.log, (std::vector<std::string>{"preview of 32"}));

  f_.log.clear();
  window_.preview_button = ID_PREVIEW_PRINT;
  shell_->Execute(ID_FILE_PRINT_PREVIEW);
  EXPECT_EQ(f_.log, (std::vector<std::string>{"preview of 32", "print dialog"}));
}

TEST_F(Shell, OpeningAndSavingNameTheDocumentAfterTheFile) {
  documents_.readable = "/docs/a.pic";
  window_.file = ChosenFile{"/docs/a.pic", "a.pic"};
  shell_->Execute(ID_FILE_OPEN);
  EXPECT_EQ(shell_->Document().Title(), "a.pic");
  EXPECT_EQ(window_.caption, Caption("a.pic"));

  // A file that cannot be read is told and changes nothing.
  window_.file = ChosenFile{"/docs/b.pic", "b.pic"};
  shell_->Execute(ID_FILE_OPEN);
  ASSERT_EQ(f_.messages.messages.size(), 1u);
  EXPECT_EQ(f_.messages.messages[0].text, kDocumentFileFailed);
  EXPECT_EQ(shell_->Document().Title(), "a.pic");

  // Saving asks, offering the title, and leaves the file empty.
  f_.log.clear();
  shell_->Execute(ID_FILE_SAVE);
  EXPECT_EQ(f_.log, (std::vector<std::string>{"save dialog a.pic", "caption " + Caption("b.pic")}));
  EXPECT_EQ(documents_.written, (std::vector<std::string>{"/docs/b.pic"}));
  documents_.writable = false;
  shell_->Execute(ID_FILE_SAVE);
  EXPECT_EQ(f_.messages.messages.size(), 2u);
  EXPECT_EQ(shell_->Document().Title(), "b.pic");

  EXPECT_FALSE(shell_->OpenDocument({"/docs/c.pic", "c.pic"}));  // from the command line: no message
  EXPECT_EQ(f_.messages.messages.size(), 2u);
}

}  // namespace
}  // namespace pictor
