#include <gtest/gtest.h>

#include <string>

#include "character_list_form.h"
#include "character_list_log.h"
#include "code_selector.h"
#include "memory_files.h"
#include "string_conversion.h"
#include "table_builder.h"

#if !defined(_WIN32)
#include <iconv.h>
#endif

namespace tessel {
namespace {

using testing::MemoryFiles;

// Lines of the form, split at CR LF.
std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back(text.substr(at));
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

TEST(CharacterListForm, HeadIsSixLinesWithTheTitleGlyphsAndAnEmptyLine) {
  const std::string head = form::Head();
  const auto lines = LinesOf(head);
  ASSERT_EQ(lines.size(), 7u);  // the empty line after the glyphs counts
  EXPECT_EQ(lines[0], std::string(26, ' ') + "\xA6\xDB\xB3\x79\xA6\x72\xA5\xD3\xBD\xD0\xAE\xD1");
  EXPECT_EQ(lines[1], std::string(26, ' ') + "\xFD\xE7\xFD\xE7\xFD\xE7\xFD\xE7\xFD\xE7\xFD\xE7");
  EXPECT_EQ(lines[2], "");
  // Box lines: ten horizontal rules (A2 77) between the corner and junction characters.
  std::string rule;
  for (int i = 0; i < 10; ++i) rule += "\xA2\x77";
  EXPECT_EQ(lines[4], "\xA2\x7A" + rule + "\xA2\x73" + rule + "\xA2\x73" + rule + "\xA2\x7B");
  EXPECT_EQ(lines[6], "\xA2\x75" + rule + "\xA2\x71" + rule + "\xA2\x71" + rule + "\xA2\x74");
  EXPECT_EQ(head.substr(head.size() - 2), "\r\n");
}

TEST(CharacterListForm, EntryShowsPlaneAndCodeInHexadecimalThenAnEmptyRow) {
  const std::string bar = "\xA2\x78";
  const std::string blank(20, ' ');
  EXPECT_EQ(form::Entry(0x014421), bar + "  1-4421            " + bar + blank + bar + blank + bar + "\r\n" + bar +
                                       blank + bar + blank + bar + blank + bar + "\r\n");
  // A two-digit plane makes the longest line of the form: 71 bytes.
  EXPECT_EQ(LinesOf(form::Entry(0x102121))[0].size() + 2, 71u);
  EXPECT_EQ(LinesOf(form::Entry(0x020101))[0].substr(4, 5), "2-101");
}

TEST(CharacterListForm, FootIsTheBottomBorderAndFiveLinesOfNotes) {
  const auto lines = LinesOf(form::Foot());
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0].substr(0, 4), "\xA2\x7C\xA2\x77");
  EXPECT_EQ(lines[0].substr(lines[0].size() - 2), "\xA2\x7D");
  EXPECT_EQ(lines[2].substr(0, 17), "      Cnslist.log");
}

#if !defined(_WIN32)
// The form's texts as written in Unicode, encoded independently by the C library's code page 950.
std::string Cp950(const std::string& utf8) {
  iconv_t cd = iconv_open("CP950", "UTF-8");
  std::string in = utf8;
  std::string out(in.size() * 2, '\0');
  char* in_ptr = in.data();
  char* out_ptr = out.data();
  std::size_t in_left = in.size();
  std::size_t out_left = out.size();
  const std::size_t converted = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(cd);
  EXPECT_NE(converted, static_cast<std::size_t>(-1)) << utf8;
  out.resize(out.size() - out_left);
  return out;
}

TEST(CharacterListForm, EveryTextLineMatchesItsUnicodeText) {
  // The glyph line holds a user-defined character, which has no Unicode text of its own.
  const std::string glyphs = std::string(26, ' ') + "\xFD\xE7\xFD\xE7\xFD\xE7\xFD\xE7\xFD\xE7\xFD\xE7\r\n\r\n";
  EXPECT_EQ(form::Head(), Cp950("                          自造字申請書\r\n") + glyphs +
                              Cp950("申請人:          部門:            電話&分機:          日期:\r\n"
                                    "┌──────────┬──────────┬──────────┐\r\n"
                                    "│     CNS    碼      │    字型或字型檔    │      備    註      │\r\n"
                                    "├──────────┼──────────┼──────────┤\r\n"));
  EXPECT_EQ(form::Entry(0x014421), Cp950("│  1-4421            │                    │                    │\r\n"
                                         "│                    │                    │                    │\r\n"));
  EXPECT_EQ(form::Foot(), Cp950("└──────────┴──────────┴──────────┘\r\n"
                                "註１：有 CNS碼的字，不用附上字型說明及字型檔，填寫表格資料後直接將\r\n"
                                "      Cnslist.log檔案寄給貴單位的「自造字管理者」。\r\n"
                                "註２：無 CNS碼的字，在填寫「自造字申請書」時，須附上該字的字型檔或將\r\n"
                                "      申請書列印下來，再以手寫方式填寫字樣，以傳真方式向貴單位的「自\r\n"
                                "      造字管理者」提出申請。\r\n"));
}
#endif

class ListLog : public ::testing::Test {
 protected:
  MemoryFiles files_;
  CharacterListLog log_{files_, "D:\\cvt", '\\'};
  const std::string path_ = "D:\\cvt\\CNSLIST.LOG";
};

TEST_F(ListLog, NothingIsWrittenBeforeStart) {
  const std::uint8_t cns[] = {2, 0x21, 0x21};
  log_.append(cns);
  EXPECT_FALSE(log_.end());
  EXPECT_TRUE(files_.files.empty());
}

TEST_F(ListLog, StartWritesTheHeadInTheConfiguredPath) {
  ASSERT_TRUE(log_.Start());
  EXPECT_EQ(log_.Path(), path_);
  const std::string head = form::Head();
  EXPECT_EQ(files_.files[path_], std::vector<std::uint8_t>(head.begin(), head.end()));
}

TEST_F(ListLog, RowsInTheOrderMetThenTheFoot) {
  ASSERT_TRUE(log_.Start());
  const std::uint8_t a[] = {2, 0x21, 0x21};
  const std::uint8_t b[] = {1, 0x44, 0x21};
  log_.append(a);
  log_.append(b);
  log_.append(a);
  ASSERT_TRUE(log_.end());
  const std::string expected =
      form::Head() + form::Entry(0x022121) + form::Entry(0x014421) + form::Entry(0x022121) + form::Foot();
  EXPECT_EQ(files_.files[path_], std::vector<std::uint8_t>(expected.begin(), expected.end()));
  // After the foot, rows go on being appended until the next start.
  log_.append(b);
  EXPECT_EQ(files_.files[path_].size(), expected.size() + form::Entry(0x014421).size());
}

TEST_F(ListLog, StartTwiceLeavesOneHead) {
  ASSERT_TRUE(log_.Start());
  const std::uint8_t a[] = {2, 0x21, 0x21};
  log_.append(a);
  ASSERT_TRUE(log_.Start());
  const std::string head = form::Head();
  EXPECT_EQ(files_.files[path_], std::vector<std::uint8_t>(head.begin(), head.end()));
}

TEST_F(ListLog, FailedCreationKeepsThePathAndLaterWritesFail) {
  files_.fail_create_target = true;
  EXPECT_FALSE(log_.Start());
  EXPECT_EQ(log_.Path(), path_);
  EXPECT_FALSE(log_.end());
}

TEST_F(ListLog, ConversionFromCnsListsWhatTheTargetLacks) {
  const CodeTables tables = testing::SmallTables();
  CnsCoder coder;
  ASSERT_TRUE(log_.Start());
  // Plane 2, 0x21 0x21 has no Big5 code; met twice.
  const std::uint8_t text[] = {0x1B, 0x4E, 0x21, 0x21, 0x0E, 0x44, 0x21, 0x1B, 0x4E, 0x21, 0x21, 0, 0};
  std::vector<std::uint8_t> out(200);
  ASSERT_EQ(ConvertString(tables, coder, &log_, kSelectorCns, kSelectorBig5, text, out.data()), 0);
  // From Big5 nothing is listed.
  const std::uint8_t big5[] = {0xB0, 0xA1, 0, 0};
  ASSERT_EQ(ConvertString(tables, coder, &log_, kSelectorBig5, kSelectorCns, big5, out.data()), 0);
  const std::string expected = form::Head() + form::Entry(0x022121) + form::Entry(0x022121);
  EXPECT_EQ(files_.files[path_], std::vector<std::uint8_t>(expected.begin(), expected.end()));
}

}  // namespace
}  // namespace tessel
