#include "form_model.h"

#include "form_layout.h"
#include "form_texts.h"

namespace quillon {

// The window as the walk sees it.
class FormModel::WalkHost : public RunHost {
 public:
  explicit WalkHost(FormModel& form) : form_(form) {}

  void ShowFolder(std::u16string_view path) override { form_.view_.ShowFolder(path); }
  void AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view folder) override {
    form_.view_.AddRow(display_name, result, folder);
  }
  Direction CurrentDirection() override {
    return form_.view_.DirectionItem() == kDirectionReverseItem ? Direction::kStandardToPrivate
                                                                : Direction::kPrivateToStandard;
  }
  void HandlePendingEvents() override {
    if (form_.pacer_.Due(form_.session_.Clock().Microseconds())) form_.view_.HandlePendingEvents();
  }
  // Stop makes Start available again, and that is the walk's signal to stop.
  bool StopRequested() override { return form_.state_ != FormState::kRunning; }

 private:
  FormModel& form_;
};

FormModel::FormModel(RenameSession& session, FormView& view) : session_(session), view_(view) {}

void FormModel::FormCreate(const std::string& table_path) {
  RecoveryReport recovery;
  if (const std::string error = session_.StartUp(table_path, recovery); !error.empty()) {
    ShowError(error);
    return;
  }
  view_.SetDriveText(session_.Widen(session_.DriveList()));
  if (!recovery.empty()) {
    view_.ShowMessage(RecoveryMessage(recovery, [this](std::string_view text) { return session_.Widen(text); }));
  }
}

void FormModel::edtHDEnter() { view_.SelectScopeItem(kScopeAllDisksItem); }

void FormModel::edtPathEnter() { view_.SelectScopeItem(kScopeOneFolderItem); }

void FormModel::btnBrowserClick() {
  if (const std::optional<std::string> folder = view_.BrowseForFolder(TextOf(TextId::kBrowseTitle))) {
    view_.SetFolderText(session_.Widen(*folder));
  }
  view_.FocusFolderField();
  view_.SelectScopeItem(kScopeOneFolderItem);
}

bool FormModel::btnStartClick() {
  // Runs never overlap: a click while a stopped run is still returning is ignored.
  if (run_active_) return false;
  run_active_ = true;
  Show(FormState::kRunning);
  view_.ClearRows();

  // The scope and the folder are read once, as the run starts.
  const std::vector<std::u16string> roots = view_.ScopeItem() == kScopeOneFolderItem
                                                ? std::vector<std::u16string>{view_.FolderText()}
                                                : session_.AllDiskRoots();
  WalkHost host(*this);
  pacer_.Restart();
  last_run_ = session_.Run(roots, host);
  run_active_ = false;
  if (!last_run_.error.empty()) {
    // The closing steps are skipped: the window stays as it looks now, and Stop makes Start
    // usable again. The journal stays for the next start-up.
    ShowError(last_run_.error);
    return true;
  }
  Show(FormState::kIdle);
  return true;
}

void FormModel::btnStopClick() {
  if (state_ != FormState::kRunning) return;  // Stop is disabled then
  // Only the buttons change: the hourglass stays until the run's closing steps.
  state_ = FormState::kStopping;
  view_.SetStartEnabled(true);
  view_.SetStopEnabled(false);
}

void FormModel::OnControlEvent(int control_id, ControlEvent event) {
  struct Handler {
    int control_id;
    ControlEvent event;
    void (FormModel::*handle)();
  };
  static constexpr Handler kHandlers[] = {
      {kIdEdtHD, ControlEvent::kEnter, &FormModel::edtHDEnter},
      {kIdEdtPath, ControlEvent::kEnter, &FormModel::edtPathEnter},
      {kIdBtnBrowser, ControlEvent::kClick, &FormModel::btnBrowserClick},
      {kIdBtnStart, ControlEvent::kClick, &FormModel::StartClick},
      {kIdBtnStop, ControlEvent::kClick, &FormModel::btnStopClick},
  };
  for (const Handler& handler : kHandlers) {
    if (handler.control_id == control_id && handler.event == event) (this->*handler.handle)();
  }
}

void FormModel::FormClose() {
  if (run_active_ && state_ == FormState::kRunning) btnStopClick();
}

void FormModel::Show(FormState state) {
  state_ = state;
  const bool busy = state != FormState::kIdle;
  if (busy != busy_) {
    busy_ = busy;
    view_.SetBusyCursor(busy);
  }
  view_.SetStartEnabled(state != FormState::kRunning);
  view_.SetStopEnabled(state == FormState::kRunning);
}

void FormModel::ShowError(const std::string& text) {
  view_.ShowMessage(ErrorMessage(text, [this](std::string_view bytes) { return session_.Widen(bytes); }));
}

}  // namespace quillon
