// The print-range dialog (設定列印範圍, dialog 131) without its window: its controls' state, the
// rules of the code fields, and what OK stores. A front end forwards the user's actions and shows
// the state afterwards.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input_methods.h"
#include "platform_ports.h"
#include "print_range.h"
#include "program_state.h"

namespace pictor {

enum class CodeField {
  kStart,  // 1401, 從
  kEnd,    // 1402, 到
};

// Where the model moves the keyboard focus after an accepted code.
enum class FocusMove {
  kEndField,  // 1402
  kOkButton,  // 1
};

inline constexpr std::size_t kCodeFieldLimit = 4;  // characters a code field holds

// The drop-down list's text of a range, "%4X-%4X": FA40-FEFE.
std::string RangeRowText(const CodeRange& range);

class PrintRangeModel {
 public:
  // Opens over the program's range, input methods and annotation flags; they change only
  // through Apply. Messages are told with the stop icon and the application's title.
  PrintRangeModel(const PrintRange& range, const InputMethodList& input_methods, const AnnotateFlags& flags,
                  MessagePort& messages);

  // The controls.
  bool AllChecked() const { return all_checked_; }            // 1601 (else 1602)
  bool CodeControlsEnabled() const { return !all_checked_; }  // 1401, 1402, 1201
  const std::string& Text(CodeField field) const { return texts_[Index(field)]; }
  const std::vector<std::string>& RangeRows() const { return range_rows_; }  // 1201
  std::size_t RangeRow() const { return range_row_; }
  const std::vector<std::string>& InputMethodNames() const { return input_method_names_; }  // 1101
  bool InputMethodSelected(std::size_t item) const { return selected_.at(item); }

  // What the user does.
  void ClickAll();
  void ClickCodes();
  void ChooseRange(std::size_t row);
  void SetInputMethodSelected(std::size_t item, bool selected);
  // A field receives the focus: its text is cleared.
  void FocusField(CodeField field);
  // The user changed a field's text to `text`, the caret (insertion point) then at `caret`. A
  // character that is not a hexadecimal digit undoes the change; letters show upper-case; four
  // digits that are no user-defined code are told (不是正確的外字字碼！) and empty the field; an
  // accepted code moves the focus on.
  void EditField(CodeField field, std::string_view text, std::size_t caret = 0);
  // Where the caret stands after the last edit of the field: where it was when the text kept its
  // length, else moved back by the characters the field did not take, to where they began.
  std::size_t Caret(CodeField field) const { return carets_[Index(field)]; }
  // The focus move the last edit asked for, once.
  std::optional<FocusMove> TakeFocusMove();
  // OK: checks the fields, telling the first fault; true when the dialog may end.
  bool Ok();

  bool Accepted() const { return accepted_; }
  // After OK: the range's printAll, startCode and endCode, and the flags of the listed input
  // methods; firstIndex and count are the caller's (RunPrintRangeDialog). Nothing before OK.
  void Apply(PrintRange& range, AnnotateFlags& flags) const;

 private:
  static std::size_t Index(CodeField field) { return field == CodeField::kStart ? 0 : 1; }
  void Tell(std::uint16_t string_id);

  MessagePort& messages_;
  bool all_checked_ = true;
  std::array<std::string, 2> texts_;
  std::array<std::size_t, 2> carets_{};
  std::vector<std::string> range_rows_;
  std::size_t range_row_ = 0;
  std::vector<std::string> input_method_names_;
  std::vector<bool> selected_;
  std::optional<FocusMove> focus_move_;
  // What OK accepted.
  bool accepted_ = false;
  int print_all_ = 1;
  std::uint16_t start_code_ = 0;
  std::uint16_t end_code_ = 0;
};

// Runs the dialog over an opened model; true for OK (after the model's Ok answered true).
class PrintRangeDialogPort {
 public:
  virtual ~PrintRangeDialogPort() = default;
  virtual bool Run(PrintRangeModel& model) = 0;
};

// The print-range command: on OK stores the dialog's choice and sets the walk: all characters
// from ordinal 0, or the codes from startCode to endCode in code order. Cancel changes nothing.
bool RunPrintRangeDialog(ProgramState& state, MessagePort& messages, PrintRangeDialogPort& dialog);

}  // namespace pictor
