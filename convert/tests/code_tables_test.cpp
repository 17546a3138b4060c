#include "code_tables.h"

#include <gtest/gtest.h>

#include <random>

#include "messages.h"
#include "string_conversion.h"
#include "table_builder.h"

namespace tessel {
namespace {

using testing::FakePlatform;
using testing::MakeTableFile;
using testing::MakeTables;

// A platform with the five tables in `dir`, each holding one record.
FakePlatform WithAllTables(const std::string& dir) {
  FakePlatform p;
  p.AddFile(dir + "\\CNS_B5.TBL", MakeTableFile({{0x014421, 0xA440}}));
  p.AddFile(dir + "\\CNS_B5E.TBL", MakeTableFile({{0x0C2121, 0xFA40}}));
  p.AddFile(dir + "\\CNS_B5U.TBL", MakeTableFile({{0x012121, 0xC6A1}}));
  p.AddFile(dir + "\\CNS_UCS.TBL", MakeTableFile({{0x014421, 0x4E00}}));
  p.AddFile(dir + "\\CNS_GBK.TBL", MakeTableFile({{0x014421, 0xD2BB}}));
  return p;
}

TEST(TableLoading, WithoutConfigurationTablesComeFromShareOnTheNtFamily) {
  FakePlatform p = WithAllTables(".\\share");
  const CodeTables t = CodeTables::Load(p);
  EXPECT_EQ(t.Status(), 0);
  EXPECT_EQ(t.ConfiguredPath(), ".");
  EXPECT_EQ(t.TableDirectory(), ".\\share");
  EXPECT_EQ(p.opened,
            (std::vector<std::string>{".\\share\\CNS_B5.TBL", ".\\share\\CNS_B5E.TBL", ".\\share\\CNS_B5U.TBL",
                                      ".\\share\\CNS_UCS.TBL", ".\\share\\CNS_GBK.TBL"}));
  EXPECT_EQ(t.CnsToBig5(0x014421), 0xA440);
}

TEST(TableLoading, OtherFamilyReadsTheConfiguredPathItself) {
  FakePlatform p = WithAllTables(".");
  p.nt_family = false;
  const CodeTables t = CodeTables::Load(p);
  EXPECT_EQ(t.Status(), 0);
  EXPECT_EQ(t.TableDirectory(), ".");
}

TEST(TableLoading, TablePathFromTheConfigurationFile) {
  FakePlatform p = WithAllTables("D:\\cvt\\share");
  p.AddText(".\\CNSCVT.INI", "[Setup]\r\nTablePath=D:\\cvt\r\n");
  const CodeTables t = CodeTables::Load(p);
  EXPECT_EQ(t.Status(), 0);
  EXPECT_EQ(t.ConfiguredPath(), "D:\\cvt");
  EXPECT_EQ(t.TableDirectory(), "D:\\cvt\\share");
}

TEST(TableLoading, MarkerFileInTheWindowsDirectorySetsUserEudc) {
  FakePlatform p = WithAllTables(".\\share");
  p.AddText("C:\\WINDOWS\\EUDC.USR", "");
  EXPECT_EQ(CodeTables::Load(p).Status(), TS_USER_EUDC);
}

TEST(TableLoading, MissingTablesSetTheirFlagsExceptTheLastResortTable) {
  FakePlatform p = WithAllTables(".\\share");
  p.files.erase(".\\share\\CNS_B5U.TBL");
  EXPECT_EQ(CodeTables::Load(p).Status(), 0);
  p.files.erase(".\\share\\CNS_GBK.TBL");
  p.files.erase(".\\share\\CNS_B5E.TBL");
  EXPECT_EQ(CodeTables::Load(p).Status(), TS_GBK_MISSING | TS_B5E_MISSING);
  FakePlatform none;
  EXPECT_EQ(CodeTables::Load(none).Status(), TS_B5_MISSING | TS_B5E_MISSING | TS_UCS_MISSING | TS_GBK_MISSING);
}

TEST(TableLoading, BadHeaderStopsLoadingBeforeTheLaterTablesAreOpened) {
  FakePlatform p = WithAllTables(".\\share");
  p.AddFile(".\\share\\CNS_B5.TBL", MakeTableFile({{0x014421, 0xA440}}, 3, 2, 64));
  p.files.erase(".\\share\\CNS_GBK.TBL");  // never opened, so never flagged
  const CodeTables t = CodeTables::Load(p);
  EXPECT_EQ(t.Status(), TS_HEADER_BAD);
  EXPECT_EQ(p.opened, std::vector<std::string>{".\\share\\CNS_B5.TBL"});
  for (auto id : {TableId::kBig5, TableId::kBig5Eudc, TableId::kBig5Last, TableId::kUcs, TableId::kGbk})
    EXPECT_TRUE(t.Table(id).empty());
}

TEST(TableLoading, BadHeaderAfterAMissingTableKeepsBothFlags) {
  FakePlatform p = WithAllTables(".\\share");
  p.files.erase(".\\share\\CNS_B5.TBL");
  p.AddFile(".\\share\\CNS_UCS.TBL", MakeTableFile({}, 3, 2, 0));
  const CodeTables t = CodeTables::Load(p);
  EXPECT_EQ(t.Status(), TS_B5_MISSING | TS_HEADER_BAD);
  EXPECT_FALSE(t.Table(TableId::kBig5Eudc).empty());
  EXPECT_TRUE(t.Table(TableId::kGbk).empty());
}

TEST(TableLoading, UnreadableTableCountsAsMissing) {
  FakePlatform p = WithAllTables(".\\share");
  p.AddFile(".\\share\\CNS_UCS.TBL", MakeTableFile({}, 3, 2, 128, -5));
  p.AddFile(".\\share\\CNS_B5U.TBL", MakeTableFile({}, -1, 2, 128, 1));
  EXPECT_EQ(CodeTables::Load(p).Status(), TS_UCS_MISSING);
}

TEST(TableLoading, EmptyTableIsPresent) {
  FakePlatform p = WithAllTables(".\\share");
  p.AddFile(".\\share\\CNS_GBK.TBL", MakeTableFile({}));
  const CodeTables t = CodeTables::Load(p);
  EXPECT_EQ(t.Status(), 0);
  EXPECT_TRUE(t.Table(TableId::kGbk).empty());
}

TEST(TableLoading, OutOfMemoryTextsAreTheSystemsOwn) {
  EXPECT_EQ(messages::kOutOfMemoryCaption,
            "Zentavo\xE8\xBD\x89\xE7\xA2\xBC\xE7\xA8\x8B\xE5\xBC\x8F - "
            "\xE5\x8B\x95\xE6\x85\x8B\xE9\x80\xA3\xE7\xB5\x90\xE6\xAA\x94");
  EXPECT_EQ(messages::kOutOfMemoryText,
            "\xE8\xA8\x98\xE6\x86\xB6\xE9\xAB\x94\xE4\xB8\x8D\xE8\xB6\xB3\xEF\xBC\x8C\xE7\x84\xA1\xE6\xB3\x95\xE8\xBC"
            "\x89\xE5\x85\xA5\xE5\xAE\x8C\xE6\x95\xB4\xE7\x9A\x84\xE8\xBD\x89\xE7\xA2\xBC Table \xEF\xBC\x81");
}

// Look-ups follow the search order of each direction.
class LookupOrder : public ::testing::Test {
 protected:
  static CodeTables Tables(std::uint16_t status) {
    return MakeTables(
        /*big5*/ {{0x014421, 0xA440}, {0x014421, 0xA441}, {0x015000, 0xFA40}},
        /*big5Eudc*/ {{0x0C2121, 0xFA40}, {0x014421, 0xFA41}, {0x0C2122, 0xFA42}},
        /*big5Last*/ {{0x0D2121, 0xFA40}, {0x012121, 0xA440}, {0x0C2122, 0xFA43}, {0x017777, 0xC6A1}},
        /*ucs*/ {{0x014421, 0x4E00}, {0x010041, 0x0041}},
        /*gbk*/ {{0x014421, 0xD2BB}}, status);
  }
};

TEST_F(LookupOrder, CnsToBig5TakesTheFirstRecordAndTheUserTableOnlyWithTheMarker) {
  const CodeTables plain = Tables(0);
  const CodeTables user = Tables(TS_USER_EUDC);
  EXPECT_EQ(plain.CnsToBig5(0x014421), 0xA440);  // earlier of two records, before the user table
  EXPECT_EQ(user.CnsToBig5(0x014421), 0xA440);
  EXPECT_EQ(plain.CnsToBig5(0x0C2121), std::nullopt);
  EXPECT_EQ(user.CnsToBig5(0x0C2121), 0xFA40);
  EXPECT_EQ(plain.CnsToBig5(0x0C2122), 0xFA43);  // last resort
  EXPECT_EQ(user.CnsToBig5(0x0C2122), 0xFA42);
  EXPECT_EQ(plain.CnsToBig5(0x017777), 0xC6A1);
}

TEST_F(LookupOrder, UserDefinedBig5NeverSearchesTheMainTable) {
  const CodeTables plain = Tables(0);
  const CodeTables user = Tables(TS_USER_EUDC);
  EXPECT_EQ(user.Big5ToCns(0xFA40), 0x0C2121u);
  EXPECT_EQ(plain.Big5ToCns(0xFA40), 0x0D2121u);  // CNS_B5.TBL's record for FA40 is never found
  EXPECT_EQ(user.Big5ToCns(0xFA43), 0x0C2122u);
  EXPECT_EQ(plain.Big5ToCns(0xFA41), std::nullopt);
}

TEST_F(LookupOrder, StandardBig5NeverSearchesTheUserTable) {
  const CodeTables user = Tables(TS_USER_EUDC);
  EXPECT_EQ(user.Big5ToCns(0xA440), 0x014421u);
  EXPECT_EQ(user.Big5ToCns(0xA441), 0x014421u);
  EXPECT_EQ(user.Big5ToCns(0xC6A1), 0x017777u);
}

TEST(Big5UserDefinedRanges, BoundsAreInclusive) {
  for (std::uint32_t v : {0x8140u, 0x8DFEu, 0x8E40u, 0xA0FEu, 0xFA40u, 0xFEFEu})
    EXPECT_TRUE(IsBig5UserDefined(static_cast<std::uint16_t>(v))) << v;
  for (std::uint32_t v : {0x813Fu, 0x8DFFu, 0x8E3Fu, 0xA140u, 0xF9FEu, 0xFA3Fu, 0xFF40u})
    EXPECT_FALSE(IsBig5UserDefined(static_cast<std::uint16_t>(v))) << v;
}

}  // namespace
}  // namespace tessel

namespace tessel {
namespace {

// Every look-up path that the indexes speed up (the merged Big5 tables, the dense arrays from CNS,
// the composed Big5 to UCS-2 steps) answers what scanning the tables in search order answers,
// checked by converting text that holds every two-byte code, on random tables full of duplicates,
// odd values and zero bytes.
TEST(IndexedLookups, ConvertLikeTheScanInSearchOrder) {
  std::mt19937 engine(11);

  // Text of every two-byte code from 0x8140 up, and of every CNS code of planes 1 to 3 in the
  // rows used, for the directions from CNS.
  std::vector<std::uint8_t> two_byte;
  for (std::uint32_t code = 0x8140; code <= 0xFEFE; ++code) {
    if ((code & 0xFF) < 0x40) continue;
    two_byte.push_back(static_cast<std::uint8_t>(code >> 8));
    two_byte.push_back(static_cast<std::uint8_t>(code));
  }
  two_byte.insert(two_byte.end(), {0, 0, 0});
  std::vector<std::uint8_t> ucs;
  for (std::uint32_t unit = 0x0100; unit <= 0xFFFF; ++unit) {
    ucs.push_back(static_cast<std::uint8_t>(unit));
    ucs.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  ucs.insert(ucs.end(), {0, 0, 0});
  std::vector<std::uint8_t> euc;
  for (std::uint32_t plane = 1; plane <= 3; ++plane)
    for (std::uint32_t b1 = 0x21; b1 <= 0x29; ++b1)
      for (std::uint32_t b2 = 0x21; b2 <= 0x7E; ++b2)
        euc.insert(euc.end(), {0x8E, static_cast<std::uint8_t>(0xA0 + plane), static_cast<std::uint8_t>(b1 | 0x80),
                               static_cast<std::uint8_t>(b2 | 0x80)});
  euc.insert(euc.end(), {0, 0, 0});

  for (std::uint16_t status : {std::uint16_t{0}, std::uint16_t{TS_USER_EUDC}}) {
    const CodeTables indexed = testing::RandomTables(engine, status);
    const CodeTables scanned = testing::ScanningCopy(indexed);
    struct Pair {
      std::uint8_t source, target;
      const std::vector<std::uint8_t>* text;
    };
    for (const Pair& p : {Pair{2, 0, &two_byte}, Pair{18, 0, &two_byte}, Pair{2, 4, &two_byte}, Pair{4, 2, &ucs},
                          Pair{4, 0, &ucs}, Pair{1, 2, &euc}, Pair{1, 4, &euc}, Pair{1, 18, &euc}}) {
      std::vector<std::uint8_t> a(MaxStringOutput(p.text->size()) + kStringTerminatorLength);
      std::vector<std::uint8_t> b(a.size());
      CnsCoder ca, cb;
      ASSERT_EQ(ConvertString(indexed, ca, nullptr, p.source, p.target, p.text->data(), a.data()), 0);
      ASSERT_EQ(ConvertString(scanned, cb, nullptr, p.source, p.target, p.text->data(), b.data()), 0);
      ASSERT_TRUE(a == b) << "pair " << int(p.source) << "->" << int(p.target) << " status " << status;
    }
  }
}

}  // namespace
}  // namespace tessel
