#pragma once

#include <chrono>
#include <string>

#include "event_pacer.h"
#include "form_layout.h"
#include "form_view.h"
#include "rename_session.h"

namespace quillon {

// What the window looks like around a run.
//   idle:     Start enabled,  Stop disabled, normal cursor
//   running:  Start disabled, Stop enabled,  hourglass
//   stopping: Start enabled,  Stop disabled, hourglass (the walks are returning after Stop)
enum class FormState { kIdle, kRunning, kStopping };

// The renamer's window without its controls: start-up, the focus rules of the two fields and of
// browsing, Start, Stop and closing, the pacing of events during a run, and the messages. The
// handlers carry the names of the window's own handlers; a front end calls each one from the event
// named beside the control in the window's layout table.
class FormModel {
 public:
  FormModel(RenameSession& session, FormView& view);

  // Start-up as the window is created: the table, the drive field, the log folder and the
  // recovery of left journals, each told in a message. A table error is shown and the rest
  // skipped; the window opens all the same.
  void FormCreate(const std::string& table_path);

  // Whenever the field gets the focus: a click (also the first one, which activates the window),
  // Tab, or the program. Each selects the scope the field belongs to.
  void edtHDEnter();
  void edtPathEnter();

  // The folder chooser; a chosen folder goes into edtPath. Chosen or cancelled, edtPath then gets
  // the focus and "指定路徑" is selected.
  void btnBrowserClick();

  // A whole run, inside the click: false when the click is ignored because a run (a stopped one
  // still returning) is under way. The run's outcome is then in last_run().
  bool btnStartClick();
  void btnStopClick();
  // The handler of the control's event as the window's layout table names it; nothing for a pair
  // that has none.
  void OnControlEvent(int control_id, ControlEvent event);
  // The window is being closed: a run under way stops, and still writes its log before the
  // program ends.
  void FormClose();

  FormState State() const { return state_; }
  bool RunActive() const { return run_active_; }
  bool Busy() const { return busy_; }
  const RunOutcome& LastRun() const { return last_run_; }
  void SetEventInterval(std::chrono::microseconds interval) { pacer_.SetInterval(interval); }

 private:
  class WalkHost;

  void StartClick() { btnStartClick(); }
  void Show(FormState state);
  void ShowError(const std::string& text);

  RenameSession& session_;
  FormView& view_;
  FormState state_ = FormState::kIdle;
  bool busy_ = false;
  bool run_active_ = false;
  RunOutcome last_run_;
  EventPacer pacer_;
};

}  // namespace quillon
