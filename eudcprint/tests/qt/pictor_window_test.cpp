// The program's window under the offscreen platform: the start-up chain through the two dialogs,
// the commands greyed and their keys dead before a choice, the Kai title, the notes box, the
// preview's toolbar, its two pages side by side and its print button, Qt's print dialog in
// Chinese offering the print-to-file name, printing to PDF, and the link put back on closing and
// when the system asks the program to end.
// The machine is a temporary folder: a registry file, generated fonts seen through a private
// fontconfig configuration, and the demonstration dictionaries.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
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
#include "qt/qt_translations.h"
#include "qt/termination_watch.h"
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
      WriteFile(folder_ / dictionary.file_name, dictionary.bytes);
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
  bool range_shown = false;
  OnNextModal([&](QWidget* modal) {
    auto* font = qobject_cast<FontSettingDialog*>(modal);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->AssociationList()->currentRow(), 0);  // 標準造字 first, selected
    OnNextModal([&](QWidget* next) {
      auto* range = qobject_cast<PrintRangeDialog*>(next);
      ASSERT_NE(range, nullptr);
      range_shown = true;
      QTest::mouseClick(range->OkButton(), Qt::LeftButton);
    });
    QTest::mouseClick(font->OkButton(), Qt::LeftButton);
  });
  frame_->Start();
  EXPECT_TRUE(range_shown);
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

TEST_F(PictorWindow, AfterAChoiceCtrlPOpensQtsPrintDialogInChineseOfferingThePrintToFileName) {
  ChooseRow(0);
  frame_->Start();
  frame_->QtPrinter().setOutputFileName(QString());  // no file chosen yet
  frame_->QtPrinter().setOutputFormat(QPrinter::PdfFormat);
  bool print_dialog_shown = false;
  QString title;
  OnNextModal([&](QWidget* modal) {
    print_dialog_shown = qobject_cast<QPrintDialog*>(modal) != nullptr;
    title = modal->windowTitle();
    qobject_cast<QDialog*>(modal)->reject();
  });
  PressCtrlP();
  EXPECT_TRUE(print_dialog_shown);
  EXPECT_EQ(title, QString::fromUtf8("列印"));  // Qt's own "Print", from its translations
  // Printing to a file offers Output.prn in the folder the program was started in.
  EXPECT_EQ(frame_->QtPrinter().outputFileName(), QDir::current().filePath("Output.prn"));
  EXPECT_EQ(frame_->QtPrinter().fromPage(), 1);
  EXPECT_EQ(frame_->QtPrinter().toPage(), 32);
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

TEST_F(PictorWindow, ThePreviewHasItsOwnToolbarShowsTwoPagesSideBySideAndItsPrintButtonPrints) {
  ChooseRow(0);
  frame_->Start();

  std::vector<QString> texts;
  QStringList descriptions;
  std::vector<int> pages_shown;
  QString num_page_label;
  bool print_dialog_shown = false;
  OnNextModal([&](QWidget* modal) {
    auto* preview = qobject_cast<PreviewWindow*>(modal);
    ASSERT_NE(preview, nullptr);
    for (const QPushButton* button : preview->findChildren<QPushButton*>()) texts.push_back(button->text());
    const auto shown = [&] {
      descriptions << preview->PageDescription()->text();
      pages_shown.push_back(preview->Pages()->pageCount());
    };
    shown();
    EXPECT_FALSE(preview->Button(ID_PREVIEW_PREV)->isEnabled());
    EXPECT_FALSE(preview->Button(ID_PREVIEW_ZOOMOUT)->isEnabled());
    QTest::mouseClick(preview->Button(ID_PREVIEW_NUMPAGE), Qt::LeftButton);
    shown();
    EXPECT_EQ(preview->Pages()->viewMode(), QPrintPreviewWidget::AllPagesView);  // side by side
    num_page_label = preview->Button(ID_PREVIEW_NUMPAGE)->text();
    QTest::mouseClick(preview->Button(ID_PREVIEW_NEXT), Qt::LeftButton);
    shown();
    QTest::mouseClick(preview->Button(ID_PREVIEW_ZOOMIN), Qt::LeftButton);
    EXPECT_TRUE(preview->Button(ID_PREVIEW_ZOOMOUT)->isEnabled());
    OnNextModal([&](QWidget* next) {
      print_dialog_shown = qobject_cast<QPrintDialog*>(next) != nullptr;
      qobject_cast<QDialog*>(next)->reject();
    });
    QTest::mouseClick(preview->Button(ID_PREVIEW_PRINT), Qt::LeftButton);
  });
  frame_->SendCommand(ID_FILE_PRINT_PREVIEW);
  std::vector<QString> expected;
  for (const ControlTemplate& button : PreviewToolbarTemplate().controls) expected.push_back(Text(button.text));
  EXPECT_EQ(texts, expected);
  // 第 1 頁 alone, then pages 1 and 2 (第 1 到 2 頁), then 3 and 4; the button then offers 一頁(&P).
  EXPECT_EQ(descriptions, (QStringList{Text("\xb2\xc4 1 \xad\xb6"), Text("\xb2\xc4 1 \xa8\xec 2 \xad\xb6"),
                                       Text("\xb2\xc4 3 \xa8\xec 4 \xad\xb6")}));
  EXPECT_EQ(pages_shown, (std::vector<int>{1, 2, 2}));
  EXPECT_EQ(num_page_label, Text(LoadStringResource(kPreviewOnePageId)));
  EXPECT_TRUE(print_dialog_shown);
}

TEST_F(PictorWindow, PrintsTheWholeCatalogueToPdf) {
  ChooseRow(0);
  frame_->Start();
  frame_->QtPrinter().setOutputFormat(QPrinter::PdfFormat);
  frame_->QtPrinter().setOutputFileName(QString::fromStdString(folder_ / "catalogue.pdf"));
  frame_->QtPrinter().setPageSize(QPageSize(QPageSize::A4));
  frame_->QtPrinter().setPageMargins(QMarginsF(3.5, 5, 3.5, 5), QPageLayout::Millimeter);
  EXPECT_TRUE(frame_->SendCommand(ID_FILE_PRINT_DIRECT));
  const std::vector<std::uint8_t> pdf = pictor::testing::ReadFile(folder_ / "catalogue.pdf");
  const std::string bytes(pdf.begin(), pdf.end());
  EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
  EXPECT_NE(bytes.find("/Count 32"), std::string::npos);  // 6217 codes, 196 a page
}

// SIGTERM at logout or shutdown ends the program as 結束 does: the link set aside is back.
TEST_F(PictorWindow, TheSystemAskingTheProgramToEndPutsTheLinkBack) {
  const TerminationWatch watch(*frame_);
  ChooseRow(0);  // 標準造字: 細明體's link set aside
  frame_->Start();
  ASSERT_FALSE(MingLink());
  std::raise(SIGTERM);
  QTest::qWaitFor([&] { return frame_->Ending(); }, 2000);
  EXPECT_TRUE(frame_->Ending());
  ASSERT_TRUE(MingLink());
  EXPECT_EQ(MingLink()->data, folder_ / "eudc.tte");
  // The ending stopped every event loop; the tests after this one need them again.
  QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
}

TEST(PrintingBox, ShowsTheJobFromItsTemplateAndStopsOnCancel) {
  PrintingBox box(DescribePrintingBox("doc", {"PDF", "/tmp/out.pdf", true}));
  EXPECT_EQ(box.windowTitle(), Text(LoadStringResource(kApplicationTitleId)));
  EXPECT_EQ(box.Line(kIdPrintingDocument)->text(), "doc");
  EXPECT_EQ(box.Line(kIdPrintingPrinter)->text(), "PDF");
  EXPECT_EQ(box.Line(kIdPrintingPort)->text(), "to /tmp/out.pdf");
  EXPECT_TRUE(box.ShowPageLine(PrintingPageLine(3)));
  EXPECT_EQ(box.Line(kIdPrintingPage)->text(), Text("\xb2\xc4 3 \xad\xb6"));  // 第 3 頁
  EXPECT_EQ(box.CancelButton()->text(), Text(kCancelText));
  QTest::mouseClick(box.CancelButton(), Qt::LeftButton);
  EXPECT_FALSE(box.ShowPageLine(PrintingPageLine(4)));
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
  pictor::app::InstallQtTranslations(application);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
