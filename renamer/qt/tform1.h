#pragma once

#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <chrono>
#include <string>

#include "core/form_layout.h"
#include "core/form_model.h"
#include "core/form_view.h"
#include "core/path_style.h"
#include "core/ports.h"
#include "core/rename_session.h"
#include "qt/radio_group.h"
#include "qt/report_list_view.h"

// What the window needs from the machine.
struct FormServices {
  quillon::StartupPort* startup = nullptr;
  quillon::FileSystemPort* files = nullptr;
  quillon::LogFolderPort* logs = nullptr;
  quillon::ClockPort* clock = nullptr;
  quillon::PathStyle style = quillon::PathStyle::kPosix;
  std::string table_path;  // the rename table beside the program
};

// The renamer's only window, built from the core's layout table; every rule is the form model's.
class TForm1 : public QWidget, private quillon::FormView {
  Q_OBJECT

 public:
  explicit TForm1(const FormServices& services, QWidget* parent = nullptr);
  ~TForm1() override;

  // The controls, by the names the program uses for them.
  TRadioGroup* rgDir = nullptr;
  TRadioGroup* rgpFolder = nullptr;
  QLineEdit* edtHD = nullptr;
  QLineEdit* edtPath = nullptr;
  QPushButton* btnBrowser = nullptr;
  QPushButton* btnStart = nullptr;
  TReportListView* lvLog = nullptr;
  QPushButton* btnStop = nullptr;
  QLabel* lblNow = nullptr;

  // What the last run did, for hosts that time or inspect runs.
  const std::string& LastLogPath() const { return model_.LastRun().log_path; }
  const quillon::ScanCounts& LastCounts() const { return model_.LastRun().counts; }
  bool RunActive() const { return model_.RunActive(); }
  void SetEventInterval(std::chrono::microseconds interval) { model_.SetEventInterval(interval); }

 public slots:
  void btnBrowserClick() { model_.btnBrowserClick(); }
  void btnStartClick() { model_.btnStartClick(); }
  void btnStopClick() { model_.btnStopClick(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  QWidget* CreateControl(const quillon::ControlSpec& spec);

  // quillon::FormView
  int DirectionItem() override;
  int ScopeItem() override;
  std::u16string FolderText() override;
  void SelectScopeItem(int item) override;
  void SetDriveText(std::u16string_view text) override;
  void SetFolderText(std::u16string_view text) override;
  void FocusFolderField() override;
  void SetStartEnabled(bool enabled) override;
  void SetStopEnabled(bool enabled) override;
  void SetBusyCursor(bool busy) override;
  void ClearRows() override;
  void AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view folder) override;
  void ShowFolder(std::u16string_view path) override;
  void ShowMessage(const quillon::FormMessage& message) override;
  std::optional<std::string> BrowseForFolder(std::u16string_view title) override;
  void HandlePendingEvents() override;

  quillon::RenameSession session_;
  quillon::FormModel model_;
  QByteArray browse_title_;  // outlives the folder chooser, which keeps a pointer to it
};
