#include "core/integer_text.h"

#include <gtest/gtest.h>

#include "core/renamer_error.h"

namespace quillon {
namespace {

TEST(IntegerText, HexadecimalAfterDollarInEitherCase) {
  EXPECT_EQ(ParseIntegerText("$0"), 0);
  EXPECT_EQ(ParseIntegerText("$F6B1"), 0xF6B1);
  EXPECT_EQ(ParseIntegerText("$f6b1"), 0xF6B1);
  EXPECT_EQ(ParseIntegerText("$aBcD"), 0xABCD);
  EXPECT_EQ(ParseIntegerText("$24"), 0x24);
  EXPECT_EQ(ParseIntegerText("$000000001"), 1);  // leading zeros do not overflow
}

TEST(IntegerText, HexadecimalUsesAll32BitsAndOverflowsBeyond) {
  EXPECT_EQ(ParseIntegerText("$7FFFFFFF"), 0x7FFFFFFF);
  EXPECT_EQ(ParseIntegerText("$80000000"), INT32_MIN);
  EXPECT_EQ(ParseIntegerText("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseIntegerText("$100000000"), std::nullopt);
}

TEST(IntegerText, OtherPrefixesBlanksAndSigns) {
  EXPECT_EQ(ParseIntegerText("0x1F"), 31);
  EXPECT_EQ(ParseIntegerText("0X1f"), 31);
  EXPECT_EQ(ParseIntegerText("x1F"), 31);
  EXPECT_EQ(ParseIntegerText("X1F"), 31);
  EXPECT_EQ(ParseIntegerText("   $10"), 16);
  EXPECT_EQ(ParseIntegerText("-$10"), -16);
  EXPECT_EQ(ParseIntegerText("+$10"), 16);
  EXPECT_EQ(ParseIntegerText("123"), 123);
  EXPECT_EQ(ParseIntegerText("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseIntegerText("2147483647"), INT32_MAX);
  EXPECT_EQ(ParseIntegerText("0"), 0);
}

TEST(IntegerText, RejectsWhatIsNotAllDigits) {
  for (const char* text : {"", "$", " ", "$ 12", "$12 ", "$1 2", "$G", "$-1", "$$1", "$\t1", "2147483648",
                           "-2147483649", "12a", "-", "+", "0x", "$x1",
                           "\xEF\xBB\xBF"
                           "1"}) {
    EXPECT_EQ(ParseIntegerText(text), std::nullopt) << "'" << text << "'";
  }
}

TEST(IntegerText, ErrorTextQuotesTheTextAsConverted) {
  EXPECT_EQ(TextToInteger("$F6B1"), 0xF6B1);
  try {
    TextToInteger("$G6B1");
    FAIL() << "no error";
  } catch (const RenamerError& e) {
    EXPECT_STREQ(e.what(), "'$G6B1' is not a valid integer value");
  }
  try {
    TextToInteger("$");
    FAIL() << "no error";
  } catch (const RenamerError& e) {
    EXPECT_STREQ(e.what(), "'$' is not a valid integer value");
  }
}

TEST(ClosingPeriod, AddedWhenTheLastCharacterSortsAfterThePeriod) {
  EXPECT_EQ(WithClosingPeriod("File not found"), "File not found.");
  EXPECT_EQ(WithClosingPeriod("'$' is not a valid integer value"), "'$' is not a valid integer value.");
  EXPECT_EQ(WithClosingPeriod("I/O error 7"), "I/O error 7.");
  EXPECT_EQ(WithClosingPeriod("ends."), "ends.");
  EXPECT_EQ(WithClosingPeriod("ends!"), "ends!");  // "!" sorts before "."
  EXPECT_EQ(WithClosingPeriod("ends-"), "ends-");  // so does "-"
  EXPECT_EQ(WithClosingPeriod("ends/"), "ends/.");
  EXPECT_EQ(WithClosingPeriod("\xE6\xAA\x94"), "\xE6\xAA\x94.");  // 8-bit characters sort after "."
  EXPECT_EQ(WithClosingPeriod(""), "");
}

}  // namespace
}  // namespace quillon
