#include "print_range_model.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "ascii.h"
#include "code_space.h"
#include "string_table.h"

namespace pictor {
namespace {

constexpr std::string_view kHexDigits = "1234567890abcdefABCDEF";

std::string CodeText(std::uint16_t code) {
  char text[8];
  std::snprintf(text, sizeof text, "%4X", static_cast<unsigned>(code));
  return text;
}

// Four hexadecimal digits, as the fields hold them once complete.
std::uint16_t ParseCode(std::string_view digits) {
  return static_cast<std::uint16_t>(ParseAsciiNumber(digits, 16, 4).value_or(0));
}

}  // namespace

std::string RangeRowText(const CodeRange& range) {
  char text[16];
  std::snprintf(text, sizeof text, "%4X-%4X", static_cast<unsigned>(range.first), static_cast<unsigned>(range.last));
  return text;
}

PrintRangeModel::PrintRangeModel(const PrintRange& range, const InputMethodList& input_methods,
                                 const AnnotateFlags& flags, MessagePort& messages)
    : messages_(messages),
      all_checked_(range.printAll == 1),
      print_all_(range.printAll),
      start_code_(range.start_code),
      end_code_(range.end_code) {
  for (const CodeRange& row : EudcCodeRange) range_rows_.push_back(RangeRowText(row));
  for (std::size_t i = 0; i < input_methods.count; ++i) {
    input_method_names_.emplace_back(input_methods.records[i].layoutText.View());
    selected_.push_back(flags[i] != 0);
  }
  if (range.start_code != 0) texts_[0] = CodeText(range.start_code);
  if (range.end_code != 0) texts_[1] = CodeText(range.end_code);
}

void PrintRangeModel::ClickAll() { all_checked_ = true; }

void PrintRangeModel::ClickCodes() { all_checked_ = false; }

void PrintRangeModel::ChooseRange(std::size_t row) {
  if (row >= EudcCodeRange.size()) return;
  range_row_ = row;
  texts_[0] = CodeText(EudcCodeRange[row].first);
  texts_[1] = CodeText(EudcCodeRange[row].last);
}

void PrintRangeModel::SetInputMethodSelected(std::size_t item, bool selected) {
  if (item < selected_.size()) selected_[item] = selected;
}

void PrintRangeModel::FocusField(CodeField field) { texts_[Index(field)].clear(); }

void PrintRangeModel::EditField(CodeField field, std::string_view text, std::size_t caret) {
  std::string& current = texts_[Index(field)];
  const bool refused = text.size() > kCodeFieldLimit || text.find_first_not_of(kHexDigits) != std::string_view::npos;
  if (!refused) {
    current = AsciiUppercase(text);
    if (current.size() == kCodeFieldLimit) {
      if (IsEudcCode(ParseCode(current))) {
        focus_move_ = field == CodeField::kStart ? FocusMove::kEndField : FocusMove::kOkButton;
      } else {
        Tell(kNotEudcCodeId);
        current.clear();
      }
    }
  }
  const auto shown = static_cast<std::ptrdiff_t>(current.size());
  const auto typed = static_cast<std::ptrdiff_t>(text.size());
  const auto at = static_cast<std::ptrdiff_t>(caret);
  carets_[Index(field)] =
      static_cast<std::size_t>(shown == typed ? at : std::clamp<std::ptrdiff_t>(at - (typed - shown), 0, shown));
}

std::optional<FocusMove> PrintRangeModel::TakeFocusMove() {
  const std::optional<FocusMove> move = focus_move_;
  focus_move_.reset();
  return move;
}

bool PrintRangeModel::Ok() {
  if (all_checked_) {
    print_all_ = 1;
  } else {
    // A field of four characters holds an accepted code: edits were checked, and the
    // program itself puts in only table bounds and codes accepted before.
    if (texts_[0].size() != kCodeFieldLimit) {
      Tell(kStartCodeIncompleteId);
      return false;
    }
    if (texts_[1].size() != kCodeFieldLimit) {
      Tell(kEndCodeIncompleteId);
      return false;
    }
    const std::uint16_t start = ParseCode(texts_[0]);
    const std::uint16_t end = ParseCode(texts_[1]);
    if (end < start) {
      Tell(kStartAfterEndId);
      return false;
    }
    print_all_ = 0;
    start_code_ = start;
    end_code_ = end;
  }
  accepted_ = true;
  return true;
}

void PrintRangeModel::Apply(PrintRange& range, AnnotateFlags& flags) const {
  if (!accepted_) return;
  range.printAll = print_all_;
  range.start_code = start_code_;
  range.end_code = end_code_;
  for (std::size_t i = 0; i < selected_.size(); ++i) flags[i] = selected_[i] ? 1 : 0;
}

void PrintRangeModel::Tell(std::uint16_t string_id) {
  messages_.Show(LoadStringResource(string_id), LoadStringResource(kApplicationTitleId), MessageIcon::kStop);
}

bool RunPrintRangeDialog(ProgramState& state, MessagePort& messages, PrintRangeDialogPort& dialog) {
  PrintRangeModel model(state.print_range, state.input_methods.input_methods, state.input_methods.annotate_flags,
                        messages);
  if (!dialog.Run(model) || !model.Accepted()) return false;
  model.Apply(state.print_range, state.input_methods.annotate_flags);
  SetWalk(state.print_range);
  return true;
}

}  // namespace pictor
