// The print-range dialog's rules, driven without a window.
#include "core/print_range_model.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/string_table.h"
#include "tests/support/fake_ports.h"

namespace pictor {
namespace {

// Runs the user's actions on the model when the dialog "opens"; OK when they end with Ok().
class ScriptedRangeDialog : public PrintRangeDialogPort {
 public:
  bool Run(PrintRangeModel& model) override { return script ? script(model) : false; }
  std::function<bool(PrintRangeModel&)> script;
};

// Types a text into a field a character at a time, as the front end reports each change.
void Type(PrintRangeModel& model, CodeField field, std::string_view keys) {
  model.FocusField(field);
  for (char key : keys) model.EditField(field, model.Text(field) + key);
}

class PrintRangeDialog : public ::testing::Test {
 protected:
  PrintRangeModel Open() {
    return PrintRangeModel(state_.print_range, state_.input_methods.input_methods, state_.input_methods.annotate_flags,
                           messages_);
  }
  bool Run(std::function<bool(PrintRangeModel&)> script) {
    dialog_.script = std::move(script);
    return RunPrintRangeDialog(state_, messages_, dialog_);
  }
  // OK with the codes typed into both fields.
  bool RunCodes(std::string_view start, std::string_view end) {
    return Run([&](PrintRangeModel& model) {
      model.ClickCodes();
      Type(model, CodeField::kStart, start);
      Type(model, CodeField::kEnd, end);
      return model.Ok();
    });
  }
  std::vector<std::uint16_t> Told() const {
    std::vector<std::uint16_t> ids;
    for (const auto& message : messages_.messages) {
      for (const StringResource& entry : kStringTable) {
        if (entry.text == message.text) ids.push_back(entry.id);
      }
      EXPECT_EQ(message.caption, LoadStringResource(kApplicationTitleId));
      EXPECT_EQ(message.icon, MessageIcon::kStop);
    }
    return ids;
  }

  ProgramState state_;
  testing::RecordedMessages messages_;
  ScriptedRangeDialog dialog_;
};

TEST_F(PrintRangeDialog, OpensOnAllCodesWithTheRangesListed) {
  PrintRangeModel first = Open();
  EXPECT_TRUE(first.AllChecked());
  EXPECT_FALSE(first.CodeControlsEnabled());
  EXPECT_EQ(first.Text(CodeField::kStart), "");
  EXPECT_EQ(first.Text(CodeField::kEnd), "");
  EXPECT_EQ(first.RangeRows(), (std::vector<std::string>{"FA40-FEFE", "8E40-A0FE", "8140-8DFE", "C6A1-C8FE"}));
  EXPECT_EQ(first.RangeRow(), 0u);

  ResetPrintRange(state_.print_range);  // as a font choice leaves it
  PrintRangeModel after_choice = Open();
  EXPECT_EQ(after_choice.Text(CodeField::kStart), "FA40");
  EXPECT_EQ(after_choice.Text(CodeField::kEnd), "FEFE");
  after_choice.ClickCodes();
  EXPECT_TRUE(after_choice.CodeControlsEnabled());
  after_choice.ChooseRange(2);
  EXPECT_EQ(after_choice.Text(CodeField::kStart), "8140");
  EXPECT_EQ(after_choice.Text(CodeField::kEnd), "8DFE");
  EXPECT_FALSE(after_choice.TakeFocusMove());  // codes the program puts in move nothing
}

TEST_F(PrintRangeDialog, FieldsTakeHexadecimalDigitsAndCheckAFullCode) {
  PrintRangeModel model = Open();
  model.ClickCodes();
  Type(model, CodeField::kStart, "g");
  EXPECT_EQ(model.Text(CodeField::kStart), "");
  model.EditField(CodeField::kStart, "fa4-");
  EXPECT_EQ(model.Text(CodeField::kStart), "");  // the whole change is undone
  Type(model, CodeField::kStart, "fa4");
  EXPECT_EQ(model.Text(CodeField::kStart), "FA4");
  EXPECT_FALSE(model.TakeFocusMove());
  model.EditField(CodeField::kStart, "FA4g");
  EXPECT_EQ(model.Text(CodeField::kStart), "FA4");
  model.EditField(CodeField::kStart, "FA40");
  EXPECT_EQ(model.Text(CodeField::kStart), "FA40");
  EXPECT_EQ(model.TakeFocusMove(), FocusMove::kEndField);
  EXPECT_FALSE(model.TakeFocusMove());  // told once
  model.EditField(CodeField::kStart, "FA401");
  EXPECT_EQ(model.Text(CodeField::kStart), "FA40");  // four characters at most
  Type(model, CodeField::kEnd, "fefe");
  EXPECT_EQ(model.TakeFocusMove(), FocusMove::kOkButton);
  EXPECT_TRUE(Told().empty());

  // A standard character, and a code just before the user-defined area.
  Type(model, CodeField::kStart, "A140");
  EXPECT_EQ(model.Text(CodeField::kStart), "");
  Type(model, CodeField::kEnd, "C6A0");
  EXPECT_EQ(model.Text(CodeField::kEnd), "");
  EXPECT_EQ(Told(), (std::vector<std::uint16_t>{kNotEudcCodeId, kNotEudcCodeId}));
  EXPECT_FALSE(model.TakeFocusMove());

  // Receiving the focus empties a field.
  Type(model, CodeField::kEnd, "FEFE");
  model.FocusField(CodeField::kEnd);
  EXPECT_EQ(model.Text(CodeField::kEnd), "");
}

// After a refused edit the caret goes back to where the refused characters began; an edit that
// keeps the text's length (letters shown upper-case) leaves it where it was.
TEST_F(PrintRangeDialog, TheCaretStaysBeforeWhatTheFieldRefused) {
  PrintRangeModel model = Open();
  model.ClickCodes();
  model.EditField(CodeField::kStart, "fa", 2);
  EXPECT_EQ(model.Caret(CodeField::kStart), 2u);
  model.EditField(CodeField::kStart, "fxya", 3);  // "xy" typed (pasted) between F and A
  EXPECT_EQ(model.Text(CodeField::kStart), "FA");
  EXPECT_EQ(model.Caret(CodeField::kStart), 1u);
  model.EditField(CodeField::kStart, "FA4001", 6);  // two characters too many
  EXPECT_EQ(model.Text(CodeField::kStart), "FA");
  EXPECT_EQ(model.Caret(CodeField::kStart), 2u);
  model.EditField(CodeField::kStart, "gFA", 1);  // refused at the very start
  EXPECT_EQ(model.Caret(CodeField::kStart), 0u);
  model.EditField(CodeField::kStart, "A1FA", 2);  // four digits, no user-defined code: emptied
  EXPECT_EQ(model.Text(CodeField::kStart), "");
  EXPECT_EQ(model.Caret(CodeField::kStart), 0u);
}

TEST_F(PrintRangeDialog, ARangeCountsOnlyUserDefinedCodes) {
  ASSERT_TRUE(RunCodes("8140", "8DFE"));
  EXPECT_EQ(state_.print_range.printAll, 0);
  EXPECT_EQ(state_.print_range.firstIndex, 0);
  EXPECT_EQ(state_.print_range.count, 2041);
  ASSERT_TRUE(RunCodes("A0FE", "C6A1"));  // the codes between the two ranges are not counted
  EXPECT_EQ(state_.print_range.firstIndex, 5023);
  EXPECT_EQ(state_.print_range.count, 2);
  ASSERT_TRUE(RunCodes("fa40", "FA40"));
  EXPECT_EQ(state_.print_range.firstIndex, 5432);
  EXPECT_EQ(state_.print_range.count, 1);
  EXPECT_EQ(state_.print_range.start_code, 0xFA40);
  EXPECT_TRUE(Told().empty());
}

TEST_F(PrintRangeDialog, OkRefusesIncompleteOrReversedCodesAndStaysOpen) {
  ResetPrintRange(state_.print_range);
  const PrintRange before = state_.print_range;
  int oks = 0;
  EXPECT_FALSE(Run([&](PrintRangeModel& model) {
    model.ClickCodes();
    Type(model, CodeField::kStart, "FA4");
    oks += model.Ok();
    Type(model, CodeField::kStart, "FA40");
    Type(model, CodeField::kEnd, "FEF");
    oks += model.Ok();
    Type(model, CodeField::kStart, "FEFE");
    Type(model, CodeField::kEnd, "FA40");
    oks += model.Ok();
    EXPECT_EQ(model.Text(CodeField::kStart), "FEFE");  // the fields stay as they were
    EXPECT_EQ(model.Text(CodeField::kEnd), "FA40");
    return false;  // then cancelled
  }));
  EXPECT_EQ(oks, 0);
  EXPECT_EQ(Told(), (std::vector<std::uint16_t>{kStartCodeIncompleteId, kEndCodeIncompleteId, kStartAfterEndId}));
  EXPECT_EQ(state_.print_range.start_code, before.start_code);
  EXPECT_EQ(state_.print_range.count, before.count);
  EXPECT_EQ(state_.print_range.printAll, 1);
}

TEST_F(PrintRangeDialog, AllCodesKeepTheTypedCodesForTheNextOpening) {
  ASSERT_TRUE(RunCodes("8140", "8DFE"));
  ASSERT_TRUE(Run([](PrintRangeModel& model) {
    EXPECT_FALSE(model.AllChecked());
    model.ClickAll();
    return model.Ok();
  }));
  EXPECT_EQ(state_.print_range.printAll, 1);
  EXPECT_EQ(state_.print_range.firstIndex, 0);
  EXPECT_EQ(state_.print_range.count, 6217);
  PrintRangeModel next = Open();
  EXPECT_TRUE(next.AllChecked());
  EXPECT_EQ(next.Text(CodeField::kStart), "8140");
  EXPECT_EQ(next.Text(CodeField::kEnd), "8DFE");
}

TEST_F(PrintRangeDialog, TheAnnotationFlagsFollowTheListOnOkOnly) {
  InputMethodList& list = state_.input_methods.input_methods;
  list.count = 2;
  list.records[0].layoutText.Assign("\xaa\x60\xad\xb5");  // 注音
  list.records[1].layoutText.Assign("\xad\xdc\xbe\x65");  // 倉頡
  state_.input_methods.annotate_flags[1] = 1;
  EXPECT_FALSE(Run([](PrintRangeModel& model) {
    EXPECT_EQ(model.InputMethodNames(), (std::vector<std::string>{"\xaa\x60\xad\xb5", "\xad\xdc\xbe\x65"}));
    EXPECT_FALSE(model.InputMethodSelected(0));
    EXPECT_TRUE(model.InputMethodSelected(1));
    model.SetInputMethodSelected(0, true);
    return false;  // Cancel
  }));
  EXPECT_EQ(state_.input_methods.annotate_flags[0], 0);
  ASSERT_TRUE(Run([](PrintRangeModel& model) {
    model.SetInputMethodSelected(0, true);
    model.SetInputMethodSelected(1, false);
    return model.Ok();
  }));
  EXPECT_EQ(state_.input_methods.annotate_flags[0], 1);
  EXPECT_EQ(state_.input_methods.annotate_flags[1], 0);
}

TEST_F(PrintRangeDialog, WithoutInputMethodsTheFlagsAreLeftAlone) {
  state_.input_methods.annotate_flags[0] = 1;
  ASSERT_TRUE(Run([](PrintRangeModel& model) {
    EXPECT_TRUE(model.InputMethodNames().empty());
    return model.Ok();
  }));
  EXPECT_EQ(state_.input_methods.annotate_flags[0], 1);
  EXPECT_EQ(state_.print_range.count, 6217);
}

}  // namespace
}  // namespace pictor
