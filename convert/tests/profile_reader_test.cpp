#include "profile_reader.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

std::string Read(const std::string& text, std::string_view section = "Setup", std::string_view key = "TablePath",
                 std::size_t capacity = 260) {
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  return ReadProfileString(bytes, section, key, ".", capacity);
}

TEST(ProfileReader, FindsTheKeyInItsSection) {
  EXPECT_EQ(Read("[Setup]\r\nTablePath=D:\\cvt\r\n"), "D:\\cvt");
  EXPECT_EQ(Read("[Other]\nTablePath=no\n[Setup]\nX=1\nTablePath=yes\n"), "yes");
}

TEST(ProfileReader, SectionAndKeyIgnoreCaseAndBlanks) {
  EXPECT_EQ(Read("  [ setup ]  \n  tablepath   =   C:\\Program Files\\cvt  \n"), "C:\\Program Files\\cvt");
  EXPECT_EQ(Read("[SETUP]\nTABLEPATH=x\n"), "x");
}

TEST(ProfileReader, MatchingQuotesAroundTheValueAreDropped) {
  EXPECT_EQ(Read("[Setup]\nTablePath=\"C:\\a b\"\n"), "C:\\a b");
  EXPECT_EQ(Read("[Setup]\nTablePath='C:\\a'\n"), "C:\\a");
  EXPECT_EQ(Read("[Setup]\nTablePath=\"C:\\a'\n"), "\"C:\\a'");
}

TEST(ProfileReader, DefaultWhenFileSectionOrKeyIsMissing) {
  EXPECT_EQ(Read(""), ".");
  EXPECT_EQ(Read("[Other]\nTablePath=x\n"), ".");
  EXPECT_EQ(Read("[Setup]\nTablePathX=x\nTablePath\n;TablePath=y\n"), ".");
  // Only the first section of a name is searched.
  EXPECT_EQ(Read("[Setup]\nA=1\n[Setup]\nTablePath=x\n"), ".");
}

TEST(ProfileReader, EmptyValueIsEmptyNotTheDefault) { EXPECT_EQ(Read("[Setup]\nTablePath=\n"), ""); }

TEST(ProfileReader, FirstKeyWinsAndCommentsAreSkipped) {
  EXPECT_EQ(Read("; comment\n[Setup]\n;TablePath=c\nTablePath=a\nTablePath=b\n"), "a");
}

TEST(ProfileReader, ValueIsCutToCapacityMinusOne) {
  EXPECT_EQ(Read("[Setup]\nTablePath=abcdef\n", "Setup", "TablePath", 4), "abc");
  EXPECT_EQ(Read(std::string("[Setup]\nTablePath=") + std::string(300, 'p') + "\n").size(), 259u);
}

TEST(ProfileReader, Utf8ByteOrderMarkIsSkipped) { EXPECT_EQ(Read("\xEF\xBB\xBF[Setup]\nTablePath=z\n"), "z"); }

TEST(ProfileReader, TrailingBlanksOfTheDefaultAreDropped) {
  EXPECT_EQ(ReadProfileString({}, "Setup", "TablePath", "dir  ", 260), "dir");
}

}  // namespace
}  // namespace tessel
