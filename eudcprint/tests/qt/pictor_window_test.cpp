// The program's window under the offscreen platform: the start-up chain through the two dialogs,
// the commands greyed and their keys dead before a choice, the Kai title, the notes box, the
// preview's toolbar and its print button, printing to PDF, and the link put back on closing.
// The machine is a temporary folder: a registry file, generated fonts seen through a private
// fontconfig configuration, and the demonstration dictionaries.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <memory>

#include "core/shell_resources.h"
#include "core/string_table.h"
#include "qt/big5_qt.h"
#include "qt/font_setting_dialog.h"
#include "qt/main_frame.h"
#include "qt/preview_window.h"
#include "qt/print_range_dialog.h"
#include "qt/printing_box.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_texts.h"
#include "tools/fixtures/demo_data.h"
#include "tools/fixtures/eudc_font_builder.h"

namespace pictor::app {
namespace {

using pictor::testing::kKai;
using pictor::testing::kMing;
using pictor::testing::kSystemDefault;

using pictor::testing::TempFolder;
using pictor::testing::WriteFile;

// The fonts the machine has: generated Big5 faces 細明體 and 標楷體, registered with fontconfig
// before the application starts.
TempFolder& FontFolder() {
  static TempFolder folder;
  return folder;
}

QString Text(std::string_view cp950) { return FromCp950(cp950); }

// Watches that a test armed and that must not outlive it.
int& ModalWatchGeneration() {
  static int generation = 0;
  return generation;
}

// Runs `handle` on the next modal window to open (polling, as a modal loop blocks the caller).
void OnNextModal(std::function<void(QWidget*)> handle) {
  auto* timer = new QTimer(qApp);
  const int generation = ModalWatchGeneration();
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, handle, tries, generation] {
    QWidget* modal = QApplication::activeModalWidget();
    if (generation != ModalWatchGeneration() || ++*tries > 250 || modal != nullptr) {
      timer->stop();
      timer->deleteLater();
    }
    if (generation == ModalWatchGeneration() && modal != nullptr) handle(modal);
  });
  timer->start(20);
}

// Confirms the font dialog with row `row` selected, then the range dialog with its defaults.
void ChooseRow(int row) {
  OnNextModal([row](QWidget* modal) {
    auto* font = qobject_cast<FontSettingDialog*>(modal);
    ASSERT_NE(font, nullptr);
    font->AssociationList()->setCurrentRow(row);
    OnNextModal(
        [](QWidget* next) { QTest::mouseClick(qobject_cast<PrintRangeDialog*>(next)->OkButton(), Qt::LeftButton); });
    QTest::mouseClick(font->OkButton(), Qt::LeftButton);
  });
}

class PictorWindow : public ::testing::Test {
 protected:
  PictorWindow() {
    for (const auto& dictionary : testsupport::DemoDictionaries(PlatformFamily::kWindowsNT)) {
      WriteFile(folder_ / dictionary.fileName, dictionary.bytes);
    }
    WriteFile(folder_ / "eudc.tte", testsupport::BuildTrueTypeFont({"EUDC", testsupport::EudcCodePoints(), false}));
    platform_ = std::make_unique<posix::PosixPlatform>(folder_ / "registry.reg");
    RegistryPort& registry = platform_->Registry();
    testsupport::InstallDemoInputMethods(registry, folder_.Path().string(), '/');
    auto links = registry.Create(RegistryRoot::kCurrentUser, "EUDC\\950");
    links->Set({"SystemDefaultEUDCFont", kRegSz, folder_ / "eudc.tte"});
    links->Set({std::string(kMing), kRegSz, folder_ / "eudc.tte"});
    links->Set({std::string(kKai), kRegSz, folder_ / "eudc.tte"});
    frame_ = std::make_unique<MainFrame>(*platform_);
    frame_->show();
    frame_->activateWindow();
  }

  ~PictorWindow() override { ++ModalWatchGeneration(); }

  std::optional<RegistryValue> MingLink() {
    return platform_->Registry().Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kRead)->Query(kMing);
  }
  bool Enabled(std::uint16_t command) { return frame_->MenuAction(command)->isEnabled(); }
  // The accelerator, to the frame as the active window.
  void PressCtrlP() {
    frame_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    QTest::keyClick(frame_.get(), Qt::Key_P, Qt::ControlModifier);
  }

  TempFolder folder_;
  std::unique_ptr<posix::PosixPlatform> platform_;
  std::unique_ptr<MainFrame> frame_;
};

TEST_F(PictorWindow, StartUpChainsTheFontChoiceIntoTheRangeChoice) {
  EXPECT_EQ(frame_->windowTitle(), Text("\xa6\xdb\xb3y\xa6r - \xa6"
                                        "C\xa6L\xb5{\xa6\xa1"));  // 自造字 - 列印程式
  bool rangeShown = false;
  OnNextModal([&](QWidget* modal) {
    auto* font = qobject_cast<FontSettingDialog*>(modal);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->AssociationList()->currentRow(), 0);  // 標準造字 first, selected
    OnNextModal([&](QWidget* next) {
      auto* range = qobject_cast<PrintRangeDialog*>(next);
      ASSERT_NE(range, nullptr);
      rangeShown = true;
      QTest::mouseClick(range->OkButton(), Qt::LeftButton);
    });
    QTest::mouseClick(font->OkButton(), Qt::LeftButton);
  });
  frame_->Start();
  EXPECT_TRUE(rangeShown);
  EXPECT_EQ(frame_->windowTitle(), Text(std::string(kSystemDefault) + " - \xa6"
                                                                      "C\xa6L\xb5{\xa6\xa1"));
  for (std::uint16_t command : {ID_PRINT_RANGE, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW}) EXPECT_TRUE(Enabled(command));
  EXPECT_FALSE(Enabled(ID_APP_ABOUT));
  EXPECT_FALSE(MingLink());  // set aside while the system default is chosen
  frame_->close();
  ASSERT_TRUE(MingLink());
}

TEST_F(PictorWindow, BeforeAChoiceThePrintCommandsAreGreyAndTheirKeysDoNothing) {
  OnNextModal([](QWidget* modal) {
    QTest::mouseClick(qobject_cast<FontSettingDialog*>(modal)->CancelButton(), Qt::LeftButton);
  });
  frame_->Start();
  for (std::uint16_t command : {ID_PRINT_RANGE, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_APP_ABOUT}) {
    EXPECT_FALSE(Enabled(command)) << command;
  }
  EXPECT_TRUE(Enabled(ID_FONT_SETTING));
  EXPECT_TRUE(Enabled(ID_NOTES));
  QWidget* opened = nullptr;
  OnNextModal([&](QWidget* modal) {
    opened = modal;
    modal->close();
  });
  PressCtrlP();
  frame_->MenuAction(ID_FILE_PRINT_PREVIEW)->trigger();
  EXPECT_FALSE(frame_->SendCommand(ID_FILE_PRINT_DIRECT));
  QTest::qWait(300);
  EXPECT_EQ(opened, nullptr);
  EXPECT_EQ(frame_->Preview(), nullptr);
}

TEST_F(PictorWindow, TheKaiTypefaceIsTitledWithItsNote) {
  ChooseRow(2);  // 標準造字, then 細明體 (B2 D3) before 標楷體 (BC D0)
  frame_->Start();
  EXPECT_EQ(frame_->DocumentTitle(), Text(std::string(kKai) + std::string(kKaiTitleSuffix)));
  ChooseRow(1);
  frame_->SendCommand(ID_FONT_SETTING);
  EXPECT_EQ(frame_->DocumentTitle(), Text(kMing));
}

TEST_F(PictorWindow, AfterAChoiceCtrlPOpensThePrintDialog) {
  ChooseRow(0);
  frame_->Start();
  bool printDialogShown = false;
  OnNextModal([&](QWidget* modal) {
    printDialogShown = qobject_cast<QPrintDialog*>(modal) != nullptr;
    qobject_cast<QDialog*>(modal)->reject();
  });
  PressCtrlP();
  EXPECT_TRUE(printDialogShown);
}

TEST_F(PictorWindow, NotesShowTheirBox) {
  QString caption, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  OnNextModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    text = box->text();
    icon = box->icon();
    box->accept();
  });
  frame_->MenuAction(ID_NOTES)->trigger();
  EXPECT_EQ(caption, Text(kNotesCaption));
  EXPECT_EQ(text, Text(kNotesText));
  EXPECT_EQ(icon, QMessageBox::Information);
}

TEST_F(PictorWindow, ThePreviewHasItsOwnToolbarAndItsPrintButtonPrints) {
  ChooseRow(0);
  frame_->Start();

  std::vector<QString> texts;
  QStringList descriptions;
  bool printDialogShown = false;
  OnNextModal([&](QWidget* modal) {
    auto* preview = qobject_cast<PreviewWindow*>(modal);
    ASSERT_NE(preview, nullptr);
    for (const QPushButton* button : preview->findChildren<QPushButton*>()) texts.push_back(button->text());
    descriptions << preview->PageDescription()->text();
    EXPECT_FALSE(preview->Button(ID_PREVIEW_PREV)->isEnabled());
    EXPECT_FALSE(preview->Button(ID_PREVIEW_ZOOMOUT)->isEnabled());
    QTest::mouseClick(preview->Button(ID_PREVIEW_NEXT), Qt::LeftButton);
    descriptions << preview->PageDescription()->text();
    QTest::mouseClick(preview->Button(ID_PREVIEW_NUMPAGE), Qt::LeftButton);
    descriptions << preview->PageDescription()->text() << preview->Button(ID_PREVIEW_NUMPAGE)->text();
    QTest::mouseClick(preview->Button(ID_PREVIEW_ZOOMIN), Qt::LeftButton);
    EXPECT_TRUE(preview->Button(ID_PREVIEW_ZOOMOUT)->isEnabled());
    OnNextModal([&](QWidget* next) {
      printDialogShown = qobject_cast<QPrintDialog*>(next) != nullptr;
      qobject_cast<QDialog*>(next)->reject();
    });
    QTest::mouseClick(preview->Button(ID_PREVIEW_PRINT), Qt::LeftButton);
  });
  frame_->SendCommand(ID_FILE_PRINT_PREVIEW);
  std::vector<QString> expected;
  for (const ToolbarButton& button : kPreviewToolbar) expected.push_back(Text(button.text));
  EXPECT_EQ(texts, expected);
  // 第 1 頁, 第 2 頁, then two facing pages 第 2 到 3 頁 and the button's other label 一頁(&P).
  EXPECT_EQ(descriptions,
            (QStringList{Text("\xb2\xc4 1 \xad\xb6"), Text("\xb2\xc4 2 \xad\xb6"),
                         Text("\xb2\xc4 2 \xa8\xec 3 \xad\xb6"), Text(LoadStringResource(kPreviewOnePageId))}));
  EXPECT_TRUE(printDialogShown);
}

TEST_F(PictorWindow, PrintsTheWholeCatalogueToPdf) {
  ChooseRow(0);
  frame_->Start();
  frame_->Printer().setOutputFormat(QPrinter::PdfFormat);
  frame_->Printer().setOutputFileName(QString::fromStdString(folder_ / "catalogue.pdf"));
  frame_->Printer().setPageSize(QPageSize(QPageSize::A4));
  frame_->Printer().setPageMargins(QMarginsF(3.5, 5, 3.5, 5), QPageLayout::Millimeter);
  EXPECT_TRUE(frame_->SendCommand(ID_FILE_PRINT_DIRECT));
  const std::vector<std::uint8_t> pdf = pictor::testing::ReadFile(folder_ / "catalogue.pdf");
  const std::string bytes(pdf.begin(), pdf.end());
  EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
  EXPECT_NE(bytes.find("/Count 32"), std::string::npos);  // 6217 codes, 196 a page
}

TEST(PrintingBox, ShowsTheJobAndStopsOnCancel) {
  PrintingBox box("doc", "PDF", "/tmp/out.pdf", true);
  EXPECT_EQ(box.PortLabel()->text(), "to /tmp/out.pdf");
  EXPECT_TRUE(box.ShowPage(3));
  EXPECT_EQ(box.PageLabel()->text(), Text("\xb2\xc4 3 \xad\xb6"));  // 第 3 頁
  EXPECT_EQ(box.CancelButton()->text(), Text(kPrintingCancel));
  QTest::mouseClick(box.CancelButton(), Qt::LeftButton);
  EXPECT_FALSE(box.ShowPage(4));
  PrintingBox printer("doc", "Office", "Office", false);
  EXPECT_EQ(printer.PortLabel()->text(), Text("\xa9\xf3 Office"));  // 於 Office
}

TEST(PreviewSpread, OnePageOrFacingPagesAsInABook) {
  struct Case {
    int current, count;
    bool two;
    int first, last;
  };
  for (const Case& c : std::vector<Case>{{1, 32, false, 1, 1},
                                         {5, 32, false, 5, 5},
                                         {1, 32, true, 1, 1},
                                         {2, 32, true, 2, 3},
                                         {3, 32, true, 2, 3},
                                         {32, 32, true, 32, 32},
                                         {31, 31, true, 30, 31},
                                         {0, 0, true, 1, 1},
                                         {9, 4, false, 4, 4}}) {
    const PageSpread spread = SpreadAt(c.current, c.count, c.two);
    EXPECT_EQ(spread.first, c.first) << c.current << "/" << c.count;
    EXPECT_EQ(spread.last, c.last) << c.current << "/" << c.count;
  }
}

}  // namespace
}  // namespace pictor::app

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  pictor::testing::TempFolder& fonts = pictor::app::FontFolder();
  std::filesystem::create_directory(fonts.Path() / "fonts");
  using pictor::testsupport::BuildTrueTypeFont;
  pictor::testing::WriteFile(fonts / "fonts/ming.ttf", BuildTrueTypeFont({"\u7d30\u660e\u9ad4", {}, true}));
  pictor::testing::WriteFile(fonts / "fonts/kai.ttf", BuildTrueTypeFont({"\u6a19\u6977\u9ad4", {}, true}));
  std::ofstream(fonts / "fonts.conf") << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                                      << "<fontconfig><dir>" << (fonts.Path() / "fonts").string() << "</dir><cachedir>"
                                      << (fonts.Path() / "cache").string() << "</cachedir></fontconfig>\n";
  setenv("FONTCONFIG_FILE", (fonts / "fonts.conf").c_str(), 1);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
