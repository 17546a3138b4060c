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
      window_.pageLines.emplace_back(cp950);
      return window_.pageLines.size() != window_.cancelBefore;
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
    return printChoice;
  }
  void AskPageSetup() override { log_.push_back("page setup"); }
  std::optional<ChosenFile> AskOpenPath() override {
    log_.push_back("open dialog");
    return file;
  }
  std::optional<ChosenFile> AskSavePath(const FileDialogTexts& texts) override {
    log_.push_back("save dialog " + texts.defaultName);
    saveTexts = texts;
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
    if (previewButton) model.Press(*previewButton);
  }
  void Close() override { log_.push_back("close"); }

  std::string caption;
  std::optional<PrintChoice> printChoice;
  std::optional<PrintDialogOffer> offered;
  std::optional<ChosenFile> file;
  FileDialogTexts saveTexts;
  testing::FakePrintTarget printer;
  PrintingBoxTexts box;
  std::vector<std::string> pageLines;
  std::size_t cancelBefore = 0;
  std::optional<std::uint16_t> previewButton;

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
    f.fonts.faces = {{std::string(kKai), kChineseBig5Charset, kTrueTypeFontType},
                     {std::string(kMing), kChineseBig5Charset, kTrueTypeFontType}};
    auto links = f.registry.memory.Create(RegistryRoot::kCurrentUser, "EUDC\\950");
    links->Set({"SystemDefaultEUDCFont", kRegSz, "C:\\WINDOWS\\Fonts\\EUDC.TTE"});
    links->Set({std::string(kMing), kRegSz, "C:\\eudc\\ming.tte"});
    links->Set({std::string(kKai), kRegSz, "C:\\eudc\\kai.tte"});
    fontDialog.whileOpen = [this] { f.log.push_back("font dialog"); };
    shell = std::make_unique<PictorShell>(state, ports, ShellPorts{fontDialog, rangeDialog, documents, window});
    f.log.clear();
  }

  std::optional<RegistryValue> MingLink() {
    return f.registry.memory.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kRead)->Query(kMing);
  }

  ChoiceFixture f;
  PictorPorts ports = f.Ports();
  ProgramState state;
  RecordedWindow window{f.log};
  RecordedDocuments documents;
  ScriptedFontDialog fontDialog;
  CancelledRangeDialog rangeDialog{f.log};
  std::unique_ptr<PictorShell> shell;
};

const std::vector<std::uint16_t> kNeedAssociation = {ID_PRINT_RANGE, ID_FILE_PRINT, ID_FILE_PRINT_DIRECT,
                                                     ID_FILE_PRINT_PREVIEW};

TEST_F(Shell, StartsUntitledThenChainsTheFontChoiceIntoTheRangeChoice) {
  EXPECT_EQ(window.caption, Caption(kUntitled));
  fontDialog.choose = std::string(kMing);
  shell->Start();
  EXPECT_EQ(f.log,
            (std::vector<std::string>{"font dialog", "caption " + Caption(kMing), "invalidate", "range dialog"}));
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
  EXPECT_EQ(window.caption, Caption(kUntitled));

  // These work in every state; about never does, and the edit keys have no effect.
  for (std::uint16_t command : {ID_FILE_PRINT_SETUP, ID_FILE_OPEN, ID_FILE_SAVE, ID_APP_EXIT}) {
    EXPECT_TRUE(shell->Execute(command)) << command;
  }
  EXPECT_EQ(f.log,
            (std::vector<std::string>{"page setup", "open dialog", "save dialog " + std::string(kUntitled), "close"}));
  for (std::uint16_t command :
       {ID_APP_ABOUT, ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_NEXT_PANE, ID_PREV_PANE}) {
    EXPECT_FALSE(shell->Execute(command)) << command;
  }
  EXPECT_FALSE(shell->IsEnabled(ID_APP_ABOUT));
}

TEST_F(Shell, TheKaiTypefaceAloneGetsTheNoteInItsTitle) {
  fontDialog.choose = std::string(kKai);
  shell->Execute(ID_FONT_SETTING);
  EXPECT_EQ(shell->Document().Title(), std::string(kKai) + std::string(kKaiTitleSuffix));
  EXPECT_EQ(window.caption, Caption(shell->Document().Title()));

  fontDialog.choose = std::string(kMing);
  shell->Execute(ID_FONT_SETTING);
  EXPECT_EQ(window.caption, Caption(kMing));

  // A new document takes the untitled name again and keeps the association.
  shell->Execute(ID_FILE_NEW);
  EXPECT_EQ(window.caption, Caption(kUntitled));
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

// After a choice of 細明體, with the printer of the test's window.
class Printing : public Shell {
 protected:
  Printing() {
    fontDialog.choose = std::string(kMing);
    shell->Start();
    f.log.clear();
  }
};

TEST_F(Printing, TheDialogOffersEveryPageAndTheJobPrintsTheChosenOnesWithTheBoxShowingEach) {
  window.printChoice = PrintChoice{PageSpan{3, 4}, 1};
  EXPECT_TRUE(shell->Execute(ID_FILE_PRINT));
  ASSERT_TRUE(window.offered);
  EXPECT_EQ(window.offered->minPage, 1);
  EXPECT_EQ(window.offered->maxPage, 32);
  EXPECT_EQ(window.offered->pages, (PageSpan{1, 32}));
  EXPECT_EQ(window.offered->copies, 1);
  EXPECT_EQ(f.log, (std::vector<std::string>{"print dialog", "box", "box closed"}));
  EXPECT_EQ(window.printer.log.front(), "begin " + std::string(kMing));
  EXPECT_EQ(window.printer.Footers(), (std::vector<std::string>{"\xb2\xc4 3 \xad\xb6", "\xb2\xc4 4 \xad\xb6"}));
  EXPECT_EQ(window.box.documentName, kMing);
  EXPECT_EQ(window.box.printerName, "Office");
  EXPECT_EQ(window.box.portLine, "\xa9\xf3 LPT1:");  // 於 LPT1:
  EXPECT_EQ(window.pageLines, (std::vector<std::string>{"\xb2\xc4 3 \xad\xb6", "\xb2\xc4 4 \xad\xb6"}));
  EXPECT_TRUE(f.messages.messages.empty());
}

TEST_F(Printing, ACancelledDialogPrintsNothingAndPrintingWithoutItPrintsEveryPage) {
  shell->Execute(ID_FILE_PRINT);  // no choice: cancelled
  EXPECT_EQ(f.log, (std::vector<std::string>{"print dialog"}));
  EXPECT_TRUE(window.printer.log.empty());

  f.log.clear();
  EXPECT_TRUE(shell->Execute(ID_FILE_PRINT_DIRECT));
  EXPECT_EQ(f.log, (std::vector<std::string>{"box", "box closed"}));
  EXPECT_EQ(window.printer.pages.size(), 32u);
}

TEST_F(Printing, AFileNotChosenYetIsAskedForWithThePrintToFileTexts) {
  window.printer.destination = {"PDF", "", true};
  window.file = ChosenFile{"/out/Output.prn", "Output.prn"};
  shell->Execute(ID_FILE_PRINT_DIRECT);
  EXPECT_EQ(f.log, (std::vector<std::string>{"save dialog Output.prn", "box", "box closed"}));
  EXPECT_EQ(window.saveTexts.caption, "\xa6\x43\xa6\x4c\xa6\xdc\xc0\xc9\xae\xd7");  // 列印至檔案
  EXPECT_EQ(window.saveTexts.defaultExtension, "prn");
  EXPECT_EQ(window.saveTexts.filters,
            (std::vector<FileFilter>{{"Printer Files (*.prn)", "*.prn"}, {"All Files (*.*)", "*.*"}}));
  EXPECT_EQ(window.printer.log.front(), "output /out/Output.prn");
  EXPECT_EQ(window.box.portLine, "to /out/Output.prn");

  // Cancelling the file dialog prints nothing.
  window.printer.destination.port.clear();
  window.printer.log.clear();
  window.file.reset();
  f.log.clear();
  shell->Execute(ID_FILE_PRINT_DIRECT);
  EXPECT_EQ(f.log, (std::vector<std::string>{"save dialog Output.prn"}));
  EXPECT_TRUE(window.printer.log.empty());
}

TEST_F(Printing, AFailedJobIsToldAndAStoppedOneIsNot) {
  window.cancelBefore = 2;
  shell->Execute(ID_FILE_PRINT_DIRECT);
  EXPECT_EQ(window.printer.log.back(), "abort");
  EXPECT_TRUE(f.messages.messages.empty());

  window.printer.failBegin = true;
  shell->Execute(ID_FILE_PRINT_DIRECT);
  ASSERT_EQ(f.messages.messages.size(), 1u);
  EXPECT_EQ(f.messages.messages[0].text, kPrintFailed);
  EXPECT_EQ(f.messages.messages[0].icon, MessageIcon::kStop);
}

TEST_F(Printing, ThePreviewShowsTheJobsPagesAndItsPrintButtonPrintsAsTheMenuDoes) {
  EXPECT_TRUE(shell->Execute(ID_FILE_PRINT_PREVIEW));
  EXPECT_EQ(f.log, (std::vector<std::string>{"preview of 32"}));

  f.log.clear();
  window.previewButton = ID_PREVIEW_PRINT;
  shell->Execute(ID_FILE_PRINT_PREVIEW);
  EXPECT_EQ(f.log, (std::vector<std::string>{"preview of 32", "print dialog"}));
}

TEST_F(Shell, OpeningAndSavingNameTheDocumentAfterTheFile) {
  documents.readable = "/docs/a.pic";
  window.file = ChosenFile{"/docs/a.pic", "a.pic"};
  shell->Execute(ID_FILE_OPEN);
  EXPECT_EQ(shell->Document().Title(), "a.pic");
  EXPECT_EQ(window.caption, Caption("a.pic"));

  // A file that cannot be read is told and changes nothing.
  window.file = ChosenFile{"/docs/b.pic", "b.pic"};
  shell->Execute(ID_FILE_OPEN);
  ASSERT_EQ(f.messages.messages.size(), 1u);
  EXPECT_EQ(f.messages.messages[0].text, kDocumentFileFailed);
  EXPECT_EQ(shell->Document().Title(), "a.pic");

  // Saving asks, offering the title, and leaves the file empty.
  f.log.clear();
  shell->Execute(ID_FILE_SAVE);
  EXPECT_EQ(f.log, (std::vector<std::string>{"save dialog a.pic", "caption " + Caption("b.pic")}));
  EXPECT_EQ(documents.written, (std::vector<std::string>{"/docs/b.pic"}));
  documents.writable = false;
  shell->Execute(ID_FILE_SAVE);
  EXPECT_EQ(f.messages.messages.size(), 2u);
  EXPECT_EQ(shell->Document().Title(), "b.pic");

  EXPECT_FALSE(shell->OpenDocument({"/docs/c.pic", "c.pic"}));  // from the command line: no message
  EXPECT_EQ(f.messages.messages.size(), 2u);
}

}  // namespace
}  // namespace pictor
