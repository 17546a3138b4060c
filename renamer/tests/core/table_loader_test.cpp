#include "core/table_loader.h"

#include <gtest/gtest.h>

#include <string>

#include "core/ports.h"
#include "core/renamer_error.h"

namespace quillon {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The bytes of a file saved as UTF-16 little-endian with a byte-order mark.
std::string Utf16File(std::string_view ascii) {
  std::string bytes = "\xFF\xFE";
  for (const char c : ascii) bytes += {c, '\0'};
  return bytes;
}

// Loads the text and returns the error text, or "" when the load succeeded.
std::string Load(const std::string& text, RenameTable& table) {
  try {
    LoadRenameTable(Bytes(text), table);
    return "";
  } catch (const RenamerError& e) {
    return e.what();
  }
}

TEST(TableLoader, LinesBeforeAnyMarkAreOneWay) {
  RenameTable table;
  ASSERT_EQ(Load("F6B1 2460\r\nF6B2 2461\r\n", table), "");
  EXPECT_EQ(table.Forward(0xF6B1), u'\u2460');
  EXPECT_EQ(table.Forward(0xF6B2), u'\u2461');
  EXPECT_EQ(table.ForwardEntryCount(), 2u);
  EXPECT_EQ(table.ReverseEntryCount(), 0u);
  EXPECT_EQ(table.Reverse(0x2460), std::nullopt);
}

TEST(TableLoader, MarkLineMakesTheRestTwoWayAndLaterMarksChangeNothing) {
  RenameTable table;
  ASSERT_EQ(Load("F6B1 2460\r\n=\r\nF6B2 2461\r\n=anything at all\r\nF6B3 2462\r\n", table), "");
  EXPECT_EQ(table.Reverse(0x2460), std::nullopt);
  EXPECT_EQ(table.Reverse(0x2461), u'\uF6B2');
  EXPECT_EQ(table.Reverse(0x2462), u'\uF6B3');
  EXPECT_EQ(table.ForwardEntryCount(), 3u);
  EXPECT_EQ(table.ReverseEntryCount(), 2u);
}

TEST(TableLoader, FirstLineMarkGivesOnlyTwoWayEntries) {
  RenameTable table;
  ASSERT_EQ(Load("=== two-way\nE024 4E00\nF848 9F98\n", table), "");
  EXPECT_EQ(table.Forward(0xE024), u'\u4E00');
  EXPECT_EQ(table.Reverse(0x4E00), u'\uE024');
  EXPECT_EQ(table.Reverse(0x9F98), u'\uF848');
}

TEST(TableLoader, CaseSeparatorsLineEndsAndTrailingText) {
  for (const std::string text : {"f6b1 2460", "F6B1\t2460", "F6B1=2460", "F6B1,2460", "F6B1x2460", "f6B1;24a0",
                                 "F6B1 2460 \xA1\xB0 ignored", "F6B1 2460\r", "F6B1 2460\n", "F6B1\r2460\r\n"}) {
    RenameTable table;
    ASSERT_EQ(Load(text, table), "") << text;
    EXPECT_TRUE(table.Forward(0xF6B1) == u'\u2460' || table.Forward(0xF6B1) == u'\u24A0') << text;
    EXPECT_EQ(table.ForwardEntryCount(), 1u) << text;
  }
}

TEST(TableLoader, ShortLinesUseTheColumnsThereAre) {
  RenameTable table;
  ASSERT_EQ(Load("F6B1 24\nF6B2 5\n", table), "");
  EXPECT_EQ(table.Forward(0xF6B1), u'\u0024');
  EXPECT_EQ(table.Forward(0xF6B2), u'\u0005');
  EXPECT_EQ(Load("F6B1\n", table), "'$' is not a valid integer value");
  EXPECT_EQ(Load("F6B1 \n", table), "'$' is not a valid integer value");
  EXPECT_EQ(Load("F6\n", table), "'$' is not a valid integer value");
}

TEST(TableLoader, EveryBadFieldIsNamedAsConverted) {
  RenameTable table;
  EXPECT_EQ(Load("G6B1 2460\n", table), "'$G6B1' is not a valid integer value");
  EXPECT_EQ(Load("F6B1 24G0\n", table), "'$24G0' is not a valid integer value");
  EXPECT_EQ(Load("G6B1 24G0\n", table), "'$G6B1' is not a valid integer value");  // old code first
  EXPECT_EQ(Load(" F6B 2460\n", table), "'$ F6B' is not a valid integer value");
  EXPECT_EQ(Load("F6B1  246\n", table), "'$ 246' is not a valid integer value");
  EXPECT_EQ(Load("    \n", table), "'$    ' is not a valid integer value");
}

// The failing field is shown byte for byte: an invisible byte-order mark and the zero bytes of a
// UTF-16 table as hex escapes, so that the message says what is wrong and is never cut short.
TEST(TableLoader, ByteOrderMarkFailsTheFirstLineAndTheMessageShowsItsBytes) {
  RenameTable table;
  EXPECT_EQ(Load("\xEF\xBB\xBF"
                 "F6B1 2460\r\nF6B2 2461\r\n",
                 table),
            "'$\\xEF\\xBB\\xBFF' is not a valid integer value");
  EXPECT_EQ(table.ForwardEntryCount(), 0u);
  EXPECT_EQ(Load(Utf16File("F6B1 2"), table), "'$\\xFF\\xFEF\\x00' is not a valid integer value");
  EXPECT_EQ(Load("F6B1\t\x7F\\\xA4\xA4\r\n", table), "'$\\x7F\\\\\\xA4\\xA4' is not a valid integer value");
}

TEST(TableLoader, LinesAfterAFailureAreNotReadAndEarlierEntriesStay) {
  RenameTable table;
  EXPECT_EQ(Load("=\nF6B1 2460\nF6B2 XXXX\nF6B3 2462\n", table), "'$XXXX' is not a valid integer value");
  EXPECT_EQ(table.Forward(0xF6B1), u'\u2460');
  EXPECT_EQ(table.Reverse(0x2460), u'\uF6B1');
  EXPECT_EQ(table.Forward(0xF6B2), std::nullopt);
  EXPECT_EQ(table.Forward(0xF6B3), std::nullopt);
}

TEST(TableLoader, LaterLinesOverwriteEarlierOnes) {
  RenameTable table;
  ASSERT_EQ(Load("=\nF6B1 2460\nF6B1 2461\nF6B2 3000\nF6B3 3000\n", table), "");
  EXPECT_EQ(table.Forward(0xF6B1), u'\u2461');  // the second entry for the same old code wins
  EXPECT_EQ(table.Reverse(0x2460), u'\uF6B1');  // and the reverse entry of the first stays
  EXPECT_EQ(table.Reverse(0x2461), u'\uF6B1');
  EXPECT_EQ(table.Reverse(0x3000), u'\uF6B3');  // the second two-way entry for a new code wins
  EXPECT_EQ(table.Forward(0xF6B2), u'\u3000');
}

TEST(TableLoader, ZeroNewCodeIsNoEntry) {
  RenameTable table;
  ASSERT_EQ(Load("F6B1 2460\nF6B1 0000\n", table), "");
  EXPECT_EQ(table.Forward(0xF6B1), std::nullopt);
}

TEST(TableLoader, OldCodesWithoutAForwardSlotArePassedOver) {
  RenameTable table;
  ASSERT_EQ(Load("=\nE000 4E00\nE023 4E01\nE024 4E02\nF848 4E03\nF849 4E04\nF8FF 4E05\n4E00 E024\n", table), "");
  EXPECT_EQ(table.Forward(0xE024), u'\u4E02');
  EXPECT_EQ(table.Forward(0xF848), u'\u4E03');
  for (char16_t code : {u'\uE000', u'\uE023', u'\uF849', u'\uF8FF', u'\u4E00'}) {
    EXPECT_EQ(table.Forward(code), std::nullopt) << std::hex << static_cast<int>(code);
  }
  EXPECT_EQ(table.ForwardEntryCount(), 2u);
  // Skipped lines add no reverse entries either: the reverse direction never makes a name the
  // forward direction could not map back.
  EXPECT_EQ(table.Reverse(0x4E00), std::nullopt);
  EXPECT_EQ(table.Reverse(0x4E05), std::nullopt);
  EXPECT_EQ(table.ReverseEntryCount(), 2u);
}

TEST(TableLoader, TwoWayEntryToFFFFKeepsItsForwardHalf) {
  RenameTable table;
  ASSERT_EQ(Load("=\nF6B1 FFFF\n", table), "");
  EXPECT_EQ(table.Forward(0xF6B1), u'\uFFFF');
  EXPECT_EQ(table.Reverse(0xFFFF), std::nullopt);
  EXPECT_EQ(table.ReverseEntryCount(), 0u);
}

TEST(TableLoader, EmptyLinesArePassedOver) {
  RenameTable table;
  ASSERT_EQ(Load("\r\nF6B1 2460\r\n\r\n\nF6B2 2461\r\n\r\n", table), "");
  EXPECT_EQ(table.ForwardEntryCount(), 2u);
  ASSERT_EQ(Load("", table), "");
  EXPECT_EQ(table.ForwardEntryCount(), 0u);
}

TEST(TableLoader, LoadStartsFromEmptyMaps) {
  RenameTable table;
  ASSERT_EQ(Load("=\nF6B1 2460\n", table), "");
  ASSERT_EQ(Load("F6B2 2461\n", table), "");
  EXPECT_EQ(table.Forward(0xF6B1), std::nullopt);
  EXPECT_EQ(table.Reverse(0x2460), std::nullopt);
  EXPECT_EQ(table.Forward(0xF6B2), u'\u2461');
}

TEST(TableLoader, InputOutputErrorTexts) {
  EXPECT_EQ(IoErrorText(2), "File not found");
  EXPECT_EQ(IoErrorText(3), "Invalid filename");
  EXPECT_EQ(IoErrorText(4), "Too many open files");
  EXPECT_EQ(IoErrorText(5), "File access denied");
  EXPECT_EQ(IoErrorText(100), "Read beyond end of file");
  EXPECT_EQ(IoErrorText(101), "Disk full");
  EXPECT_EQ(IoErrorText(106), "Invalid numeric input");
  EXPECT_EQ(IoErrorText(32), "I/O error 32");
  EXPECT_EQ(IoErrorText(1005), "I/O error 1005");
}

class FakeStartup : public StartupPort {
 public:
  int ReadTableFile(const std::string& path, std::vector<std::uint8_t>& contents) override {
    asked = path;
    contents.assign(text.begin(), text.end());
    return error;
  }
  std::string ListFixedDrives() override { return ""; }
  std::string UserProfile() override { return ""; }
  std::u16string Widen(std::string_view) override { return u""; }

  std::string asked;
  std::string text;
  int error = 0;
};

TEST(TableLoader, FileReadFailuresBecomeTheirTextsAfterClearingTheMaps) {
  RenameTable table;
  table.SetForward(0xF6B1, 0x2460);
  FakeStartup port;
  port.error = 2;
  try {
    LoadRenameTableFile(port, "/opt/quillon/uc-o2n.tbl", table);
    FAIL() << "no error";
  } catch (const RenamerError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
  EXPECT_EQ(port.asked, "/opt/quillon/uc-o2n.tbl");
  EXPECT_EQ(table.ForwardEntryCount(), 0u);

  port.error = 0;
  port.text = "F6B1 2460\r\n";
  LoadRenameTableFile(port, "t", table);
  EXPECT_EQ(table.Forward(0xF6B1), u'\u2460');
}

}  // namespace
}  // namespace quillon
