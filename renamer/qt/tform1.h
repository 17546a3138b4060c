#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <chrono>
#include <memory>
#include <string>

#include "core/path_style.h"
#include "core/ports.h"
#include "core/rename_table.h"
#include "core/scan_engine.h"
#include "qt/radio_group.h"
#include "qt/report_list_view.h"

// The caption of the window and of every error box.
inline const char16_t* const kProgramTitle = u"重新命名程式";

// What the window needs from the machine.
struct FormServices {
  quillon::StartupPort* startup = nullptr;
  quillon::FileSystemPort* files = nullptr;
  quillon::LogFolderPort* logs = nullptr;
  quillon::ClockPort* clock = nullptr;
  quillon::PathStyle style = quillon::PathStyle::kPosix;
  std::string table_path;  // the rename table beside the program
};

// The renamer's only window: direction, scope, Start and Stop, and the list of renames.
class TForm1 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(const FormServices& services, QWidget* parent = nullptr);
  ~TForm1() override;

  // The controls, by the names the program uses for them.
  TRadioGroup* rgDir;
  TRadioGroup* rgpFolder;
  QLineEdit* edtHD;
  QLineEdit* edtPath;
  QPushButton* btnBrowser;
  QPushButton* btnStart;
  TReportListView* lvLog;
  QPushButton* btnStop;
  QLabel* lblNow;

  // What the last run did, for hosts that time or inspect runs.
  const std::string& lastLogPath() const { return last_log_path_; }
  const quillon::ScanCounts& lastCounts() const { return last_counts_; }
  bool runActive() const { return run_active_; }

  // How often a run handles pending events at most; zero handles them after every entry.
  void setEventInterval(std::chrono::nanoseconds interval) { event_interval_ = interval; }

 public slots:
  void btnBrowserClick();
  void btnStartClick();
  void btnStopClick();

 signals:
  void runFinished();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  class RunHost;

  void CreateControls();
  void FormCreate();
  void RecoverLeftJournals();
  void edtHDEnter();
  void edtPathEnter();
  void ShowError(const std::string& text);
  void SetBusyCursor(bool busy);

  FormServices services_;
  quillon::RenameTable table_;
  std::string drive_list_;  // the drive field's text as start-up found it
  std::string log_dir_;
  std::string last_log_path_;
  quillon::ScanCounts last_counts_;
  bool run_active_ = false;
  bool busy_cursor_ = false;
  std::chrono::nanoseconds event_interval_ = std::chrono::milliseconds(1);
  QByteArray browse_title_;
};
