#include "qt/tform1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>

#include "core/journal_recovery.h"
#include "core/renamer_error.h"
#include "core/run_journal.h"
#include "core/run_log.h"
#include "core/table_loader.h"
#include "qt/browse_for_folder_dialog.h"

namespace {

QString Q(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

std::u16string U16(const QString& text) { return text.toStdU16String(); }

QFont PixelFont(const QString& family, int pixels) {
  QFont font(family);
  font.setPixelSize(pixels);
  return font;
}

// The program's icon: a sheet with a private-use box turning into a character.
QIcon ProgramIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(QColor(255, 250, 230));
  p.drawRect(3, 2, 22, 27);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(150, 30, 30), 2));
  p.drawRect(7, 7, 9, 9);
  p.setPen(QPen(QColor(30, 90, 160), 2));
  p.drawLine(14, 22, 28, 22);
  p.drawLine(24, 18, 28, 22);
  p.drawLine(24, 26, 28, 22);
  return QIcon(pixmap);
}

}  // namespace

// The window as the walk sees it.
class TForm1::RunHost : public quillon::RunHost {
 public:
  explicit RunHost(TForm1& form) : form_(form) {}

  void ShowFolder(std::u16string_view path) override { form_.lblNow->setText(Q(path)); }

  void AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view folder) override {
    form_.lvLog->addRow(Q(display_name), Q(result), Q(folder));
  }

  quillon::Direction CurrentDirection() override {
    return form_.rgDir->itemIndex() == 1 ? quillon::Direction::kStandardToPrivate
                                         : quillon::Direction::kPrivateToStandard;
  }

  // Keeps the window painting and lets a click on Stop through. Called after every entry; the
  // events are handled when the last handling is at least the form's event interval ago (1 ms
  // by default). Asking the system for events costs more than walking an entry whose folder is
  // in the cache, so asking after each one would make the window run several times slower than
  // the walk itself; a millisecond is far below what a user can notice, and the first entry of
  // a run always handles them.
  void HandlePendingEvents() override {
    if (since_events_.isValid() && since_events_.nsecsElapsed() < form_.event_interval_.count()) return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    since_events_.start();
  }

  // Stop re-enables Start; an enabled Start is the walk's signal to stop.
  bool StopRequested() override { return form_.btnStart->isEnabled(); }

 private:
  TForm1& form_;
  QElapsedTimer since_events_;
};

TForm1::TForm1(const FormServices& services, QWidget* parent) : QWidget(parent), services_(services) {
  setObjectName("Form1");
  CreateControls();
  FormCreate();
}

TForm1::~TForm1() { SetBusyCursor(false); }

void TForm1::CreateControls() {
  setWindowTitle(Q(kProgramTitle));
  setWindowIcon(ProgramIcon());
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(464, 334);
  setFont(PixelFont("Verdana", 12));
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);
  setAutoFillBackground(true);

  // Created in tab order.
  rgDir = new TRadioGroup(u"Unicode 轉換方向"_qs,
                          {u"使用者造字區 → 假名及漢字區"_qs, u"假名及漢字區 → 使用者造字區"_qs}, this);
  rgDir->setObjectName("rgDir");
  rgDir->setBounds(8, 112, 249, 65);
  rgDir->setItemIndex(0);

  rgpFolder = new TRadioGroup(u"欲轉換之檔案所在路徑"_qs, {u"所有硬碟"_qs, u"指定路徑"_qs}, this);
  rgpFolder->setObjectName("rgpFolder");
  rgpFolder->setBounds(8, 8, 449, 97);
  rgpFolder->setItemIndex(0);

  edtHD = new QLineEdit(this);
  edtHD->setObjectName("edtHD");
  edtHD->setGeometry(104, 34, 297, 20);
  edtHD->setReadOnly(true);
  edtHD->setFrame(false);
  QPalette flat = edtHD->palette();
  flat.setColor(QPalette::Base, flat.color(QPalette::Button));
  edtHD->setPalette(flat);

  edtPath = new QLineEdit(this);
  edtPath->setObjectName("edtPath");
  edtPath->setGeometry(104, 72, 297, 22);

  btnBrowser = new QPushButton(u"瀏覽"_qs, this);
  btnBrowser->setObjectName("btnBrowser");
  btnBrowser->setGeometry(408, 72, 41, 25);

  btnStart = new QPushButton(u"開始執行"_qs, this);
  btnStart->setObjectName("btnStart");
  btnStart->setGeometry(268, 116, 75, 25);

  lvLog = new TReportListView(this);
  lvLog->setObjectName("lvLog");
  lvLog->setGeometry(8, 184, 449, 137);
  lvLog->setFont(PixelFont("MS Sans Serif", 11));
  lvLog->setColumns({u"更名前"_qs, u"更名後"_qs, u"所在位置"_qs}, {100, 100, 225});

  btnStop = new QPushButton(u"停止"_qs, this);
  btnStop->setObjectName("btnStop");
  btnStop->setGeometry(358, 116, 75, 25);
  btnStop->setEnabled(false);

  lblNow = new QLabel(this);
  lblNow->setObjectName("lblNow");
  lblNow->setGeometry(270, 150, 187, 25);
  lblNow->setWordWrap(true);
  lblNow->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblNow->setFont(PixelFont("Verdana", 11));
  lblNow->setFocusPolicy(Qt::NoFocus);

  // The scope group lies under the two fields and the browse button.
  rgpFolder->lower();

  QWidget* order[] = {rgDir->button(0),
                      rgDir->button(1),
                      rgpFolder->button(0),
                      rgpFolder->button(1),
                      edtHD,
                      edtPath,
                      btnBrowser,
                      btnStart,
                      lvLog,
                      btnStop};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

  edtHD->installEventFilter(this);
  edtPath->installEventFilter(this);
  connect(btnBrowser, &QPushButton::clicked, this, &TForm1::btnBrowserClick);
  connect(btnStart, &QPushButton::clicked, this, &TForm1::btnStartClick);
  connect(btnStop, &QPushButton::clicked, this, &TForm1::btnStopClick);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  }
}

void TForm1::FormCreate() {
  try {
    quillon::LoadRenameTableFile(*services_.startup, services_.table_path, table_);
  } catch (const quillon::RenamerError& e) {
    // The window opens all the same, with no drives and no log folder.
    ShowError(e.what());
    return;
  }
  drive_list_ = services_.startup->ListFixedDrives();
  edtHD->setText(edtHD->text() + Q(services_.startup->Widen(drive_list_)));
  log_dir_ = quillon::LogDirFromProfile(services_.startup->UserProfile(), services_.style);
  RecoverLeftJournals();
}

void TForm1::RecoverLeftJournals() {
  const std::vector<quillon::RecoveredJournal> recovered =
      quillon::RecoverLeftJournals(*services_.logs, *services_.files, *services_.clock, log_dir_, services_.style);
  if (recovered.empty()) return;
  // One message for all of them.
  QString logs;
  QString failures;
  for (const quillon::RecoveredJournal& r : recovered) {
    if (r.error.empty()) {
      logs += u"\n"_qs + Q(services_.startup->Widen(r.log_path));
    } else {
      failures += u"\n"_qs + Q(services_.startup->Widen(r.journal_path + ": " + r.error));
    }
  }
  QString text;
  if (!logs.isEmpty()) text += u"上次的更名工作沒有完成，已完成的更名已存成記錄檔："_qs + logs;
  if (!failures.isEmpty())
    text += (text.isEmpty() ? u""_qs : u"\n\n"_qs) + u"下列未完成的更名記錄無法救回："_qs + failures;
  QMessageBox box(failures.isEmpty() ? QMessageBox::Information : QMessageBox::Warning, Q(kProgramTitle), text,
                  QMessageBox::Ok, isVisible() ? this : nullptr);
  box.exec();
}

void TForm1::ShowError(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, Q(kProgramTitle),
                  Q(services_.startup->Widen(quillon::WithClosingPeriod(text))), QMessageBox::Ok,
                  isVisible() ? this : nullptr);
  box.exec();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    // Whatever the reason: a click into an inactive window gives the field the focus only as the
    // window becomes active, with the activation as the reason. The field that had the focus
    // before the window went to the back already chose its scope, so choosing it again when the
    // window comes back changes nothing.
    if (watched == edtHD) edtHDEnter();
    if (watched == edtPath) edtPathEnter();
  }
  return QWidget::eventFilter(watched, event);
}

void TForm1::edtHDEnter() { rgpFolder->setItemIndex(0); }

void TForm1::edtPathEnter() { rgpFolder->setItemIndex(1); }

void TForm1::btnBrowserClick() {
  {
    TBrowseForFolderDialog dialog;
    browse_title_ = u"請選擇資料夾："_qs.toLocal8Bit();
    dialog.SetTitle(browse_title_.constData());
    if (dialog.Execute()) edtPath->setText(Q(services_.startup->Widen(dialog.Folder())));
  }
  edtPath->setFocus(Qt::OtherFocusReason);
  rgpFolder->setItemIndex(1);
}

void TForm1::SetBusyCursor(bool busy) {
  if (busy == busy_cursor_) return;
  busy_cursor_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void TForm1::btnStartClick() {
  // Clicks that arrive while a stopped run is still returning are ignored: runs never overlap.
  if (run_active_) return;
  run_active_ = true;

  SetBusyCursor(true);
  lvLog->clear();
  btnStart->setEnabled(false);
  btnStop->setEnabled(true);

  std::vector<std::u16string> roots;
  if (rgpFolder->itemIndex() == 1) {
    roots.push_back(U16(edtPath->text()));
  } else {
    for (const std::string& root : quillon::RootsFromDriveList(drive_list_, services_.style)) {
      roots.push_back(services_.startup->Widen(root));
    }
  }

  RunHost host(*this);
  quillon::ScanEngine engine(table_, *services_.files, *services_.logs, host, services_.style, log_dir_);
  // Without a journal (the log folder cannot be written) the run goes on as before: its log is
  // written at the end, or its failure is told then.
  const std::unique_ptr<quillon::RunJournal> journal =
      quillon::RunJournal::Start(*services_.logs, *services_.clock, log_dir_, services_.style);
  engine.SetJournal(journal.get());
  engine.ScanRoots(roots);
  last_counts_ = engine.counts();

  try {
    last_log_path_ =
        quillon::WriteRunLog(*services_.logs, log_dir_, services_.style, services_.clock->Now(), engine.log().lines());
    if (journal) journal->Discard();
  } catch (const quillon::RenamerError& e) {
    // The journal stays: the next start-up turns it into a log.
    // The closing steps are skipped: Stop stays available and makes Start usable again.
    last_log_path_.clear();
    run_active_ = false;
    ShowError(e.what());
    emit runFinished();
    return;
  }

  btnStart->setEnabled(true);
  btnStop->setEnabled(false);
  SetBusyCursor(false);
  run_active_ = false;
  emit runFinished();
}

void TForm1::btnStopClick() {
  btnStart->setEnabled(true);
  btnStop->setEnabled(false);
}

void TForm1::closeEvent(QCloseEvent* event) {
  // Closing during a run stops it; the run still finishes its log before the program ends.
  if (run_active_ && !btnStart->isEnabled()) btnStopClick();
  event->accept();
}
