#include "core/run_log.h"

#include <gtest/gtest.h>

#include "core/log_reader.h"
#include "core/renamer_error.h"
#include "tests/core/memory_machine.h"

namespace quillon {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(RunLog, ThreeLinesPerRecordWithTheFolderAndSeparator) {
  RunLog log(PathStyle::kWindows);
  log.AddRecord(u"C:\\docs", u"\uF6B1.txt", u"\u2460.txt");
  log.AddRecord(u"C:", u"<\uF6B2>", u"*無法改名*");
  const std::vector<std::u16string> expected = {u"來源：C:\\docs\\\uF6B1.txt", u"改成：C:\\docs\\\u2460.txt", u"",
                                                u"來源：C:\\<\uF6B2>",         u"改成：C:\\*無法改名*",       u""};
  EXPECT_EQ(log.Lines(), expected);

  RunLog posix(PathStyle::kPosix);
  posix.AddRecord(u"/home/a", u"<\uF6B2>", u"\u2461");
  EXPECT_EQ(posix.Lines()[0], u"來源：/home/a/<\uF6B2>");
  EXPECT_EQ(posix.Lines()[1], u"改成：/home/a/\u2461");
}

// A POSIX name may hold a line break; shown as it is it would split the record and the log could
// not be read back. Rows and log lines show it as U+FFFD, as they show a lone surrogate.
TEST(RunLog, LineBreaksAndLoneSurrogatesInNamesAreShownAsReplacementCharacters) {
  RunLog log(PathStyle::kPosix);
  log.AddRecord(u"/t\r", u"a\n\uF6B1", u"a\n\u2460");
  log.AddRecord(u"/t", u"\xD800\uF6B1", u"\xD800\u2460");
  EXPECT_EQ(log.Lines()[0], u"來源：/t\uFFFD/a\uFFFD\uF6B1");
  EXPECT_EQ(log.Lines()[1], u"改成：/t\uFFFD/a\uFFFD\u2460");
  EXPECT_EQ(log.Lines()[3], u"來源：/t/\uFFFD\uF6B1");
  EXPECT_EQ(ReadRunLog(EncodeLogFile(log.Lines()), PathStyle::kPosix).size(), 2u);
}

TEST(RunLog, FileIsUtf16LittleEndianWithMarkAndCrLf) {
  const std::vector<std::u16string> lines = {u"來源：C:\\a", u"改成：C:\\\u2460", u""};
  const Bytes expected = {
      0xFF, 0xFE,                                                                          // byte-order mark
      0x86, 0x4F, 0x90, 0x6E, 0x1A, 0xFF, 0x43, 0x00, 0x3A, 0x00, 0x5C, 0x00, 0x61, 0x00,  // 來源：C:\a
      0x0D, 0x00, 0x0A, 0x00, 0x39, 0x65, 0x10, 0x62, 0x1A, 0xFF, 0x43, 0x00, 0x3A, 0x00,
      0x5C, 0x00, 0x60, 0x24,                           // 改成：C:\①
      0x0D, 0x00, 0x0A, 0x00, 0x0D, 0x00, 0x0A, 0x00};  // the empty line
  EXPECT_EQ(EncodeLogFile(lines), expected);
  EXPECT_EQ(EncodeLogFile({}), (Bytes{0xFF, 0xFE}));
  // Code units go out as they are, surrogates included.
  EXPECT_EQ(EncodeLogFile(std::vector<std::u16string>{u"\xD840"}),
            (Bytes{0xFF, 0xFE, 0x40, 0xD8, 0x0D, 0x00, 0x0A, 0x00}));
}

TEST(RunLog, StampIsYearThenTwoDigitFields) {
  EXPECT_EQ(LogStamp({2024, 3, 15, 9, 30, 5}), "20240315-093005");
  EXPECT_EQ(LogStamp({1999, 12, 31, 23, 59, 59}), "19991231-235959");
  EXPECT_EQ(LogStamp({2001, 1, 2, 0, 0, 0}), "20010102-000000");
  EXPECT_EQ(LogStamp({987, 1, 1, 1, 1, 1}), "9870101-010101");  // all the year's digits, no padding
  EXPECT_EQ(LogStamp({12345, 1, 1, 1, 1, 1}), "123450101-010101");
}

TEST(RunLog, PossibleTimesAreThoseAClockGives) {
  EXPECT_TRUE(IsPossibleTime({2024, 2, 29, 23, 59, 59}));
  EXPECT_TRUE(IsPossibleTime({2000, 2, 29, 0, 0, 0}));
  EXPECT_FALSE(IsPossibleTime({1900, 2, 29, 0, 0, 0}));
  EXPECT_FALSE(IsPossibleTime({2024, 4, 31, 0, 0, 0}));
  EXPECT_FALSE(IsPossibleTime({2024, 13, 1, 0, 0, 0}));
  EXPECT_FALSE(IsPossibleTime({2024, 1, 0, 0, 0, 0}));
  EXPECT_FALSE(IsPossibleTime({2024, 1, 1, 24, 0, 0}));
  EXPECT_FALSE(IsPossibleTime({2024, 1, 1, 0, 60, 0}));
  EXPECT_FALSE(IsPossibleTime({2024, 1, 1, 0, 0, 60}));
  EXPECT_FALSE(IsPossibleTime({1600, 12, 31, 0, 0, 0}));
}

TEST(RunLog, WritesStampNamedFileInTheLogFolder) {
  testing::MemoryLogFolder logs;
  const std::vector<std::u16string> lines = {u"來源：C:\\a", u"改成：C:\\b", u""};
  const std::string path =
      WriteRunLog(logs, "C:\\Users\\amy\\RenameLogs", PathStyle::kWindows, {2024, 3, 15, 9, 30, 5}, lines);
  EXPECT_EQ(path, "C:\\Users\\amy\\RenameLogs\\20240315-093005.log");
  ASSERT_EQ(logs.files.count(path), 1u);
  EXPECT_EQ(logs.files[path], EncodeLogFile(lines));

  const std::string posix = WriteRunLog(logs, "/home/amy/RenameLogs", PathStyle::kPosix, {2024, 3, 15, 9, 30, 5}, {});
  EXPECT_EQ(posix, "/home/amy/RenameLogs/20240315-093005.log");
  EXPECT_EQ(logs.files[posix], (Bytes{0xFF, 0xFE}));
}

TEST(RunLog, ASecondRunInTheSameSecondKeepsTheFirstLog) {
  testing::MemoryLogFolder logs;
  const LocalTime t{2024, 3, 15, 9, 30, 5};
  const std::vector<std::u16string> first = {u"first"};
  const std::vector<std::u16string> second = {u"second"};
  const std::vector<std::u16string> third = {u"third"};
  EXPECT_EQ(WriteRunLog(logs, "L", PathStyle::kWindows, t, first), "L\\20240315-093005.log");
  EXPECT_EQ(WriteRunLog(logs, "L", PathStyle::kWindows, t, second), "L\\20240315-093005-2.log");
  EXPECT_EQ(WriteRunLog(logs, "L", PathStyle::kWindows, t, third), "L\\20240315-093005-3.log");
  EXPECT_EQ(logs.files["L\\20240315-093005.log"], EncodeLogFile(first));
  EXPECT_EQ(logs.files["L\\20240315-093005-2.log"], EncodeLogFile(second));
}

TEST(RunLog, UncreatableFileRaisesCannotCreateWithThePath) {
  testing::MemoryLogFolder logs;
  logs.can_write = false;
  try {
    WriteRunLog(logs, "", PathStyle::kWindows, {2024, 3, 15, 9, 30, 5}, {});
    FAIL() << "no error";
  } catch (const RenamerError& e) {
    // With no log folder (a start-up cut short) the path begins with the separator.
    EXPECT_STREQ(e.what(), "Cannot create file \\20240315-093005.log");
    EXPECT_EQ(WithClosingPeriod(e.what()), "Cannot create file \\20240315-093005.log.");
  }
}

}  // namespace
}  // namespace quillon
