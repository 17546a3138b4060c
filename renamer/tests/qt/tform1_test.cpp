// The window under the offscreen platform: the controls as the layout table has them, the events
// that reach the form model (focus for any reason, clicks, closing), message boxes, the folder
// chooser, and runs over temporary trees with the real POSIX adapters. The rules themselves are
// tested in the core (form_model_test).

#include "qt/tform1.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/run_journal.h"
#include "core/run_log.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_startup.h"
#include "qt/qt_translations.h"
#include "tests/posix/temp_folder.h"

namespace {

using quillon::testing::Exists;
using quillon::testing::ReadText;
using quillon::testing::TempFolder;
using quillon::testing::WriteText;

const std::string kPua1 = "\xEF\x9A\xB1";  // U+F6B1
const std::string kPua2 = "\xEF\x9A\xB2";  // U+F6B2
const std::string kCircled1 = "\xE2\x91\xA0";
const std::string kCircled2 = "\xE2\x91\xA1";

// The real POSIX start-up, except that the drive list and the profile folder are the test's, so
// that no test ever walks a real disk or writes into the real home folder.
class TestStartup : public quillon::posix::PosixStartup {
 public:
  std::string ListFixedDrives() override { return drives; }
  std::string UserProfile() override { return profile; }
  std::string drives = "/nowhere-a,/nowhere-b,";
  std::string profile;
};

// The machine's clock, stopped at one moment for the names of logs and journals.
class FixedClock : public quillon::posix::PosixClock {
 public:
  quillon::LocalTime Now() override { return {2024, 3, 15, 9, 30, 5}; }
};

// Runs `action` on the next modal dialog that opens, as soon as it is up.
void OnNextModal(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      action(modal);
    }
  });
  timer->start();
}

QStringList RowTexts(const TReportListView* list) {
  QStringList rows;
  for (int i = 0; i < list->RowCount(); ++i)
    rows << list->Text(i, 0) + " | " + list->Text(i, 1) + " | " + list->Text(i, 2);
  return rows;
}

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

class FormTest : public ::testing::Test {
 protected:
  FormTest() {
    startup_.profile = home_.Path();
    WriteText(program_ / "uc-o2n.tbl", "F6B1 2460\r\nF6B2 2461\r\n");
    services_.startup = &startup_;
    services_.files = &files_;
    services_.logs = &logs_;
    services_.clock = &clock_;
    services_.style = quillon::PathStyle::kPosix;
    services_.table_path = program_ / "uc-o2n.tbl";
  }

  std::vector<std::string> LogFiles() const {
    std::vector<std::string> names;
    if (!Exists(home_ / "RenameLogs")) return names;
    for (const auto& entry : std::filesystem::directory_iterator(home_ / "RenameLogs")) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder program_;
  TempFolder home_;
  TempFolder tree_;
  TestStartup startup_;
  quillon::posix::PosixFileSystem files_;
  quillon::posix::PosixLogFolder logs_;
  FixedClock clock_;
  FormServices services_;
};

TEST_F(FormTest, ControlsHaveTheirPlacesTextsAndStartStates) {
  TForm1 form(services_);
  EXPECT_EQ(form.objectName(), "Form1");
  EXPECT_EQ(form.windowTitle(), u"重新命名程式"_qs);
  EXPECT_EQ(form.size(), QSize(464, 334));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form.windowIcon().isNull());

  EXPECT_EQ(form.rgDir->geometry(), QRect(8, 112, 249, 65));
  EXPECT_EQ(form.rgpFolder->geometry(), QRect(8, 8, 449, 97));
  EXPECT_EQ(form.edtHD->geometry(), QRect(104, 34, 297, 20));
  EXPECT_EQ(form.edtPath->geometry(), QRect(104, 72, 297, 22));
  EXPECT_EQ(form.btnBrowser->geometry(), QRect(408, 72, 41, 25));
  EXPECT_EQ(form.btnStart->geometry(), QRect(268, 116, 75, 25));
  EXPECT_EQ(form.lvLog->geometry(), QRect(8, 184, 449, 137));
  EXPECT_EQ(form.btnStop->geometry(), QRect(358, 116, 75, 25));
  EXPECT_EQ(form.lblNow->geometry(), QRect(270, 150, 187, 25));

  EXPECT_EQ(form.rgDir->title(), u"Unicode 轉換方向"_qs);
  EXPECT_EQ(form.rgDir->Button(0)->text(), u"使用者造字區 → 假名及漢字區"_qs);
  EXPECT_EQ(form.rgDir->Button(1)->text(), u"假名及漢字區 → 使用者造字區"_qs);
  EXPECT_EQ(form.rgpFolder->title(), u"欲轉換之檔案所在路徑"_qs);
  EXPECT_EQ(form.rgpFolder->Button(0)->text(), u"所有硬碟"_qs);
  EXPECT_EQ(form.rgpFolder->Button(1)->text(), u"指定路徑"_qs);
  EXPECT_EQ(form.btnBrowser->text(), u"瀏覽"_qs);
  EXPECT_EQ(form.btnStart->text(), u"開始執行"_qs);
  EXPECT_EQ(form.btnStop->text(), u"停止"_qs);
  EXPECT_EQ(form.rgDir->ItemIndex(), 0);
  EXPECT_EQ(form.rgpFolder->ItemIndex(), 0);
  EXPECT_TRUE(form.btnStart->isEnabled());
  EXPECT_FALSE(form.btnStop->isEnabled());
  EXPECT_TRUE(form.edtHD->isReadOnly());
  EXPECT_FALSE(form.edtHD->hasFrame());
  EXPECT_TRUE(form.edtPath->text().isEmpty());
  EXPECT_TRUE(form.lblNow->text().isEmpty());
  EXPECT_TRUE(form.lblNow->wordWrap());
  EXPECT_EQ(form.lblNow->focusPolicy(), Qt::NoFocus);

  EXPECT_EQ(form.font().pixelSize(), 12);
  EXPECT_EQ(form.lblNow->font().pixelSize(), 11);
  EXPECT_EQ(form.lvLog->font().pixelSize(), 11);
  ASSERT_EQ(form.lvLog->ColumnCount(), 3);
  EXPECT_EQ(form.lvLog->HeaderText(0), u"更名前"_qs);
  EXPECT_EQ(form.lvLog->HeaderText(1), u"更名後"_qs);
  EXPECT_EQ(form.lvLog->HeaderText(2), u"所在位置"_qs);
  EXPECT_EQ(form.lvLog->ColumnWidth(0), 100);
  EXPECT_EQ(form.lvLog->ColumnWidth(1), 100);
  EXPECT_EQ(form.lvLog->ColumnWidth(2), 225);
  EXPECT_FALSE(form.lvLog->Header()->sectionsClickable());

  // The radio items sit level with the fields beside them.
  const QRect all_disks = form.rgpFolder->Button(0)->geometry().translated(form.rgpFolder->pos());
  const QRect one_folder = form.rgpFolder->Button(1)->geometry().translated(form.rgpFolder->pos());
  EXPECT_TRUE(all_disks.contains(QPoint(20, form.edtHD->geometry().center().y())));
  EXPECT_TRUE(one_folder.contains(QPoint(20, form.edtPath->geometry().center().y())));
  EXPECT_LE(all_disks.right(), form.rgpFolder->geometry().right());
}

TEST_F(FormTest, StartUpFillsTheDriveFieldAndLogsGoToTheProfile) {
  startup_.drives = "/,/home,";
  TForm1 form(services_);
  EXPECT_EQ(form.edtHD->text(), "/,/home,");
  form.rgpFolder->SetItemIndex(1);
  form.edtPath->setText(Q(tree_.Path()));
  form.btnStartClick();
  EXPECT_EQ(form.LastLogPath(), home_ / "RenameLogs/20240315-093005.log");
  EXPECT_EQ(ReadText(form.LastLogPath()), "\xFF\xFE");  // a run that renames nothing
}

// The message box: the error icon, the program's caption, the model's text, and Qt's own OK button
// in the window's language.
TEST_F(FormTest, MissingTableShowsTheErrorBoxAndTheWindowStillOpens) {
  services_.table_path = program_ / "absent/uc-o2n.tbl";
  QString caption, text, ok;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  OnNextModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    text = box->text();
    icon = box->icon();
    ok = box->button(QMessageBox::Ok)->text();
    box->accept();
  });
  TForm1 form(services_);
  EXPECT_EQ(caption, u"重新命名程式"_qs);
  EXPECT_EQ(text, "File not found.");
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(ok, u"確定"_qs);
  EXPECT_TRUE(form.edtHD->text().isEmpty());  // the rest of start-up was skipped

  // With no log folder the log goes to the root: here it cannot be created, and says so.
  if (access("/", W_OK) != 0) {
    QString error;
    OnNextModal([&](QWidget* modal) {
      error = static_cast<QMessageBox*>(modal)->text();
      static_cast<QMessageBox*>(modal)->accept();
    });
    form.btnStartClick();  // all disks, with no drives: walks nothing
    EXPECT_EQ(error, "Cannot create file /20240315-093005.log.");
  }
}

class FormShown : public FormTest {
 protected:
  void Show(TForm1& form) {
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }
};

TEST_F(FormShown, EnteringEitherFieldSelectsItsScope) {
  TForm1 form(services_);
  Show(form);
  QTest::mouseClick(form.edtPath, Qt::LeftButton);
  EXPECT_EQ(form.rgpFolder->ItemIndex(), 1);
  QTest::mouseClick(form.edtHD, Qt::LeftButton);
  EXPECT_EQ(form.rgpFolder->ItemIndex(), 0);
  QTest::keyClick(form.edtHD, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), form.edtPath);
  EXPECT_EQ(form.rgpFolder->ItemIndex(), 1);
  QTest::keyClick(form.edtPath, Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), form.edtHD);
  EXPECT_EQ(form.rgpFolder->ItemIndex(), 0);
  // The drive field cannot be edited.
  QTest::keyClicks(form.edtHD, "X:\\");
  EXPECT_EQ(form.edtHD->text(), "/nowhere-a,/nowhere-b,");
}

// A click into an inactive window gives the field the focus before the window is active; the
// field then receives it with the window's activation, and that too enters the field.
TEST_F(FormShown, FieldEnteredWhileTheWindowWasInactiveSelectsItsScope) {
  TForm1 form(services_);
  Show(form);
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  ASSERT_FALSE(form.isActiveWindow());

  form.edtPath->setFocus(Qt::MouseFocusReason);
  QApplication::setActiveWindow(&form);
  EXPECT_EQ(QApplication::focusWidget(), form.edtPath);
  EXPECT_EQ(form.rgpFolder->ItemIndex(), 1);

  QApplication::setActiveWindow(&other);
  form.edtHD->setFocus(Qt::MouseFocusReason);
  QApplication::setActiveWindow(&form);
  EXPECT_EQ(form.rgpFolder->ItemIndex(), 0);
}

TEST_F(FormShown, TabGoesThroughTheControlsInOrder) {
  TForm1 form(services_);
  Show(form);
  form.rgDir->Button(0)->setFocus(Qt::TabFocusReason);
  std::vector<QString> visited;
  for (int i = 0; i < 7; ++i) {
    visited.push_back(QApplication::focusWidget()->objectName().isEmpty()
                          ? QApplication::focusWidget()->parentWidget()->objectName()
                          : QApplication::focusWidget()->objectName());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  // Stop is disabled at start, so Tab goes round to the direction group.
  EXPECT_THAT(visited,
              ::testing::ElementsAre("rgDir", "rgpFolder", "edtHD", "edtPath", "btnBrowser", "btnStart", "lvLog"));
  EXPECT_EQ(QApplication::focusWidget(), form.rgDir->Button(0));
}

TEST_F(FormShown, CancelledBrowserStillMovesToTheFolderField) {
  TForm1 form(services_);
  Show(form);
  form.edtPath->setText("kept");
  form.rgpFolder->SetItemIndex(0);
  QString title;
  OnNextModal([&](QWidget* modal) {
    title = modal->windowTitle();
    static_cast<QDialog*>(modal)->reject();
  });
  QTest::mouseClick(form.btnBrowser, Qt::LeftButton);
  EXPECT_EQ(title, u"請選擇資料夾："_qs);
  EXPECT_EQ(form.edtPath->text(), "kept");
  EXPECT_EQ(form.rgpFolder->ItemIndex(), 1);
  EXPECT_EQ(form.focusWidget(), form.edtPath);
  QApplication::setActiveWindow(&form);  // the offscreen platform does not hand activation back itself
  EXPECT_EQ(QApplication::focusWidget(), form.edtPath);
}

TEST_F(FormShown, ChosenFolderReachesTheFolderField) {
  const std::string chosen = tree_ / "\xE6\xAA\x94\xE6\xA1\x88";  // 檔案
  mkdir(chosen.c_str(), 0755);
  TForm1 form(services_);
  Show(form);
  OnNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
    dialog->setDirectory(Q(tree_.Path()));
    dialog->selectFile(Q(chosen));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  QTest::mouseClick(form.btnBrowser, Qt::LeftButton);
  EXPECT_EQ(form.edtPath->text(), Q(chosen));
  EXPECT_EQ(form.rgpFolder->ItemIndex(), 1);
}

TEST_F(FormTest, RunRenamesShowsRowsAndWritesTheLog) {
  mkdir((tree_ / ("d" + kPua2)).c_str(), 0755);
  WriteText(tree_ / ("d" + kPua2 + "/" + kPua1 + ".txt"), "x");
  WriteText(tree_ / "plain", "y");
  TForm1 form(services_);
  form.edtPath->setText(Q(tree_.Path()));
  form.rgpFolder->SetItemIndex(1);

  QTest::mouseClick(form.btnStart, Qt::LeftButton);

  ASSERT_FALSE(form.LastLogPath().empty());
  const QString root = Q(tree_.Path());
  EXPECT_THAT(RowTexts(form.lvLog), ::testing::ElementsAre(u"\uF6B1.txt | \u2460.txt | "_qs + root + u"/d\uF6B2"_qs,
                                                           u"<d\uF6B2> | d\u2461 | "_qs + root));
  EXPECT_TRUE(Exists(tree_ / ("d" + kCircled2 + "/" + kCircled1 + ".txt")));
  EXPECT_EQ(form.lblNow->text(), root + u"/d\uF6B2"_qs);  // the last folder shown stays
  EXPECT_TRUE(form.btnStart->isEnabled());
  EXPECT_FALSE(form.btnStop->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  const std::vector<std::u16string> lines = {u"來源：" + root.toStdU16String() + u"/d\uF6B2/\uF6B1.txt",
                                             u"改成：" + root.toStdU16String() + u"/d\uF6B2/\u2460.txt",
                                             u"",
                                             u"來源：" + root.toStdU16String() + u"/<d\uF6B2>",
                                             u"改成：" + root.toStdU16String() + u"/d\u2461",
                                             u""};
  const std::vector<std::uint8_t> expected = quillon::EncodeLogFile(lines);
  EXPECT_EQ(ReadText(form.LastLogPath()), std::string(expected.begin(), expected.end()));

  // The next run clears the rows; the reverse direction has nothing to undo with one-way entries.
  form.rgDir->SetItemIndex(1);
  form.btnStartClick();
  EXPECT_EQ(form.lvLog->RowCount(), 0);
  EXPECT_THAT(LogFiles(), ::testing::ElementsAre("20240315-093005-2.log", "20240315-093005.log"));
}

// A run killed in the middle leaves its journal; the next start-up turns it into a log and says so
// once.
TEST_F(FormTest, StartUpRecoversTheJournalOfARunThatDidNotFinish) {
  const std::string log_dir = home_ / "RenameLogs";
  {
    auto journal = quillon::RunJournal::Start(logs_, clock_, log_dir, quillon::PathStyle::kPosix);
    ASSERT_NE(journal, nullptr);
    journal->RenameAhead(u"/t", u"\uF6B1", u"\u2460", false);
    journal->RenameDone(true);
  }  // the run ends without its log
  ASSERT_THAT(LogFiles(), ::testing::ElementsAre("20240315-093005.journal"));

  QStringList texts;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  OnNextModal([&](QWidget* modal) {
    texts << static_cast<QMessageBox*>(modal)->text();
    icon = static_cast<QMessageBox*>(modal)->icon();
    static_cast<QMessageBox*>(modal)->accept();
  });
  TForm1 form(services_);
  ASSERT_EQ(texts.size(), 1);
  EXPECT_TRUE(texts[0].contains(Q(log_dir + "/20240315-093005-recovered.log"))) << texts[0].toStdString();
  EXPECT_EQ(icon, QMessageBox::Information);
  EXPECT_THAT(LogFiles(), ::testing::ElementsAre("20240315-093005-recovered.log"));
  const std::vector<std::uint8_t> expected =
      quillon::EncodeLogFile(std::vector<std::u16string>{u"來源：/t/\uF6B1", u"改成：/t/\u2460", u""});
  EXPECT_EQ(ReadText(log_dir + "/20240315-093005-recovered.log"), std::string(expected.begin(), expected.end()));

  // Nothing left to tell: the next start-up shows no box.
  int boxes = 0;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      ++boxes;
      static_cast<QDialog*>(modal)->reject();
    }
  });
  closer.start(5);
  TForm1 second(services_);
  closer.stop();
  EXPECT_EQ(boxes, 0);
  EXPECT_THAT(LogFiles(), ::testing::ElementsAre("20240315-093005-recovered.log"));
}

TEST_F(FormTest, WindowStatesWhileRunningAndStopping) {
  for (int i = 0; i < 20; ++i) WriteText(tree_ / ("f" + std::to_string(i) + kPua1), "x");
  TForm1 form(services_);
  form.edtPath->setText(Q(tree_.Path()));
  form.rgpFolder->SetItemIndex(1);

  bool start_enabled = true, stop_enabled = false, busy = false, rows_cleared = false;
  int rows_at_stop = -1;
  QTimer::singleShot(0, [&] {
    // Inside the run, after its first entry.
    start_enabled = form.btnStart->isEnabled();
    stop_enabled = form.btnStop->isEnabled();
    busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    rows_at_stop = form.lvLog->RowCount();
    QTest::mouseClick(form.btnStop, Qt::LeftButton);
    EXPECT_TRUE(form.btnStart->isEnabled());  // stopping: Start available, Stop not
    EXPECT_FALSE(form.btnStop->isEnabled());
    // A click on Start now must not begin a second run inside the first.
    QTest::mouseClick(form.btnStart, Qt::LeftButton);
    rows_cleared = form.lvLog->RowCount() == 0;
  });
  form.lvLog->AddRow("old row", "", "");
  form.btnStartClick();

  EXPECT_FALSE(start_enabled);
  EXPECT_TRUE(stop_enabled);
  EXPECT_TRUE(busy);
  EXPECT_EQ(rows_at_stop, 1);
  EXPECT_FALSE(rows_cleared);
  EXPECT_EQ(form.lvLog->RowCount(), 1);  // stopped after the first entry
  EXPECT_THAT(LogFiles(), ::testing::ElementsAre("20240315-093005.log"));
  EXPECT_TRUE(form.btnStart->isEnabled());
  EXPECT_FALSE(form.btnStop->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(form.RunActive());
}

TEST_F(FormTest, TypedFolderKeepsEveryUtf16Character) {
  const std::string folder = tree_ / ("x" + kPua1 + "\xF0\xA0\x80\x80");  // private use and beyond the BMP
  mkdir(folder.c_str(), 0755);
  WriteText(folder + "/" + kPua2, "x");
  TForm1 form(services_);
  form.edtPath->setText(Q(folder));
  form.rgpFolder->SetItemIndex(1);
  form.btnStartClick();
  EXPECT_THAT(RowTexts(form.lvLog), ::testing::ElementsAre(u"\uF6B2 | \u2461 | "_qs + Q(folder)));
  EXPECT_EQ(form.lblNow->text(), Q(folder));
}

TEST_F(FormTest, ClosingTheWindowStopsTheRun) {
  for (int i = 0; i < 10; ++i) WriteText(tree_ / ("f" + std::to_string(i) + kPua1), "x");
  TForm1 form(services_);
  form.show();
  form.edtPath->setText(Q(tree_.Path()));
  form.rgpFolder->SetItemIndex(1);
  QTimer::singleShot(0, [&] { form.close(); });
  form.btnStartClick();
  EXPECT_EQ(form.lvLog->RowCount(), 1);
  EXPECT_THAT(LogFiles(), ::testing::SizeIs(1));
}

TEST_F(FormShown, ListSelectsWholeRowsScrollsAndIsClearedByTheNextRun) {
  TForm1 form(services_);
  Show(form);
  for (int i = 0; i < 40; ++i) form.lvLog->AddRow(QString("old%1").arg(i), QString("new%1").arg(i), "/f");
  EXPECT_EQ(form.lvLog->RowCount(), 40);
  EXPECT_EQ(form.lvLog->Text(39, 1), "new39");
  EXPECT_GT(form.lvLog->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(form.lvLog->verticalScrollBar()->value(), 0);  // adding rows does not scroll

  const QRect second_row(0, form.lvLog->RowHeight(), 200, form.lvLog->RowHeight());
  QTest::mouseClick(form.lvLog->viewport(), Qt::LeftButton, {}, QPoint(300, second_row.center().y()));
  EXPECT_EQ(form.lvLog->CurrentRow(), 1);  // a click anywhere on the row selects it
  EXPECT_EQ(QApplication::focusWidget(), form.lvLog);
  QTest::keyClick(form.lvLog, Qt::Key_End);
  EXPECT_EQ(form.lvLog->CurrentRow(), 39);
  EXPECT_GT(form.lvLog->verticalScrollBar()->value(), 0);  // the selected row is brought into view
  QTest::keyClick(form.lvLog, Qt::Key_Home);
  EXPECT_EQ(form.lvLog->CurrentRow(), 0);

  form.rgpFolder->SetItemIndex(1);
  form.edtPath->setText(Q(tree_.Path()));
  form.btnStartClick();
  EXPECT_EQ(form.lvLog->RowCount(), 0);
  EXPECT_EQ(form.lvLog->CurrentRow(), -1);
}

}  // namespace

// Qt and fontconfig keep caches for the life of the process; leak checks are off for this program
// only, also when CTest lists its tests.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  LoadQtTranslations(app);  // as the program does
  ::testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
