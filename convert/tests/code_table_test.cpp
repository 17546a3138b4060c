#include "code_table.h"

#include <gtest/gtest.h>

#include <random>

#include "table_builder.h"
#include "table_file.h"

namespace tessel {
namespace {

using testing::MakeTableFile;

TEST(TableFile, ReadsRecordsOfThreeAndTwoBytes) {
  // Plane 1, 0x44 0x21 paired with Big5 0xA440 is stored as 21 44 01 40 A4.
  const auto file = MakeTableFile({{0x014421, 0xA440}, {0x024421, 0xC940}});
  EXPECT_EQ(file[128], 0x21);
  EXPECT_EQ(file[129], 0x44);
  EXPECT_EQ(file[130], 0x01);
  EXPECT_EQ(file[131], 0x40);
  EXPECT_EQ(file[132], 0xA4);
  const ParsedTable parsed = ParseTableFile(file);
  ASSERT_EQ(parsed.outcome, ParsedTable::Outcome::kOk);
  EXPECT_EQ(parsed.records, (std::vector<TableRecord>{{0x014421, 0xA440}, {0x024421, 0xC940}}));
}

TEST(TableFile, HeaderMustBe128BytesLong) {
  EXPECT_EQ(ParseTableFile(MakeTableFile({{1, 2}}, 3, 2, 127)).outcome, ParsedTable::Outcome::kHeaderBad);
  auto short_header = MakeTableFile({});
  short_header.resize(127);
  EXPECT_EQ(ParseTableFile(short_header).outcome, ParsedTable::Outcome::kHeaderBad);
  EXPECT_EQ(ParseTableFile({}).outcome, ParsedTable::Outcome::kHeaderBad);
}

TEST(TableFile, CountLargerThanTheFileKeepsTheWholeRecordsPresent) {
  auto file = MakeTableFile({{1, 10}, {2, 20}, {3, 30}}, 3, 2, 128, 1000);
  file.pop_back();  // the last record is cut short
  const ParsedTable parsed = ParseTableFile(file);
  ASSERT_EQ(parsed.outcome, ParsedTable::Outcome::kOk);
  EXPECT_EQ(parsed.records, (std::vector<TableRecord>{{1, 10}, {2, 20}}));
}

TEST(TableFile, CountSmallerThanTheFileReadsOnlyTheCount) {
  const ParsedTable parsed = ParseTableFile(MakeTableFile({{1, 10}, {2, 20}}, 3, 2, 128, 1));
  EXPECT_EQ(parsed.records, (std::vector<TableRecord>{{1, 10}}));
}

TEST(TableFile, WidthsFromZeroToSixBytes) {
  // Fields wider than 4 bytes keep their low 4 bytes; narrower ones are zero-extended.
  EXPECT_EQ(ParseTableFile(MakeTableFile({{0x12345678, 0xABCD}}, 6, 5)).records,
            (std::vector<TableRecord>{{0x12345678, 0xABCD}}));
  EXPECT_EQ(ParseTableFile(MakeTableFile({{0x12345678, 0xABCD}}, 1, 1)).records,
            (std::vector<TableRecord>{{0x78, 0xCD}}));
  EXPECT_EQ(ParseTableFile(MakeTableFile({{0x014421, 0xA440}}, 0, 2)).records, (std::vector<TableRecord>{{0, 0xA440}}));
}

TEST(TableFile, NonsenseCountsAndWidthsAreUnreadable) {
  EXPECT_EQ(ParseTableFile(MakeTableFile({}, 3, 2, 128, -2)).outcome, ParsedTable::Outcome::kUnreadable);
  EXPECT_EQ(ParseTableFile(MakeTableFile({}, -3, 2, 128, 0)).outcome, ParsedTable::Outcome::kUnreadable);
  EXPECT_EQ(ParseTableFile(MakeTableFile({}, 3, -2, 128, 0)).outcome, ParsedTable::Outcome::kUnreadable);
  // A claimed count of records of no width at all.
  EXPECT_EQ(ParseTableFile(MakeTableFile({}, 0, 0, 128, 100000000)).outcome, ParsedTable::Outcome::kUnreadable);
}

TEST(TableFile, EmptyTableIsPresent) {
  const ParsedTable parsed = ParseTableFile(MakeTableFile({}));
  EXPECT_EQ(parsed.outcome, ParsedTable::Outcome::kOk);
  EXPECT_TRUE(parsed.records.empty());
}

// The plain scan in file order that the index must agree with.
std::optional<std::uint32_t> ScanCns(const std::vector<TableRecord>& records, std::uint32_t key) {
  for (const auto& r : records)
    if (r.cns == key) return r.other;
  return std::nullopt;
}

std::optional<std::uint32_t> ScanOther(const std::vector<TableRecord>& records, std::uint16_t key) {
  for (const auto& r : records)
    if ((r.other & 0xFFFF) == key) return r.cns;
  return std::nullopt;
}

TEST(CodeTableIndex, AgreesWithTheScanInFileOrderOnTablesFullOfDuplicates) {
  std::mt19937 random(12345);
  for (std::uint32_t round = 0; round < 20; ++round) {
    // Few distinct keys among many records, so that most keys occur several times; some `cns`
    // values above 24 bits and `other` values above 16 bits that only their low half matches.
    const std::uint32_t cns_keys = 50 + round * 40;
    std::vector<TableRecord> records;
    for (int i = 0; i < 2000; ++i) {
      std::uint32_t cns = 0x010000 + static_cast<std::uint32_t>(random() % cns_keys);
      if (random() % 50 == 0) cns |= 0x01000000;
      if (random() % 200 == 0) cns = 0xFFFFFFFF;
      std::uint32_t other = 0xA000 + static_cast<std::uint32_t>(random() % 300);
      if (random() % 10 == 0) other |= static_cast<std::uint32_t>(random() % 4) << 16;
      records.push_back({cns, other});
    }
    const CodeTable indexed(records);
    ASSERT_TRUE(indexed.Indexed());
    const CodeTable scanned = CodeTable::WithoutIndex(records);
    ASSERT_FALSE(scanned.Indexed());
    for (const CodeTable* t : {&indexed, &scanned}) {
      const CodeTable& table = *t;
      for (std::uint32_t key = 0x00FFF0; key < 0x010000 + cns_keys + 16; ++key)
        ASSERT_EQ(table.FindByCns(key), ScanCns(records, key)) << "cns " << key;
      for (const auto& r : records) ASSERT_EQ(table.FindByCns(r.cns), ScanCns(records, r.cns));
      ASSERT_EQ(table.FindByCns(0xFFFFFFFF), ScanCns(records, 0xFFFFFFFF));
      for (std::uint32_t key = 0x9F00; key <= 0xA200; ++key)
        ASSERT_EQ(table.FindByOther(static_cast<std::uint16_t>(key)),
                  ScanOther(records, static_cast<std::uint16_t>(key)));
    }
  }
}

TEST(CodeTableIndex, EmptyTableFindsNothing) {
  const CodeTable table;
  EXPECT_FALSE(table.FindByCns(0x014421));
  EXPECT_FALSE(table.FindByOther(0xA440));
  const CodeTable one({{0, 0}});
  EXPECT_EQ(one.FindByCns(0), 0u);
  EXPECT_EQ(one.FindByOther(0), 0u);
  EXPECT_FALSE(one.FindByCns(1));
}

}  // namespace
}  // namespace tessel
