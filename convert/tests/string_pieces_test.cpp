// tessel-convert's EUC-TW in pieces through the string export writes exactly what converting
// through files writes: the text widened to the library's EUC form and converted as a file, or
// converted as a file to EUC and narrowed. Random text of every kind across the host's blocks;
// text that needs files (a zero byte, tables converting a used plane to codes holding zero bytes)
// is left to them; refusals come back as the file conversion gives them.

#include "string_pieces.h"

#include <gtest/gtest.h>

#include <random>

#include "code_selector.h"
#include "euc_tw.h"
#include "file_conversion.h"
#include "memory_files.h"
#include "scratch_directory.h"
#include "string_conversion.h"
#include "table_builder.h"

namespace tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::ScratchDirectory;

// The string export over tables a test chooses.
const CodeTables* g_tables = nullptr;

int32_t TESSEL_CALL ConvertWithTestTables(int32_t source, int32_t target, const char* input, char* output) {
  CnsCoder coder;
  return ConvertString(*g_tables, coder, nullptr, source, target, reinterpret_cast<const std::uint8_t*>(input),
                       reinterpret_cast<std::uint8_t*>(output));
}

Bytes AsBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }
std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

Bytes ConvertAsFile(std::uint8_t s, std::uint8_t t, const Bytes& input) {
  testing::MemoryFiles files;
  files.Add("in", input);
  CnsCoder coder;
  EXPECT_EQ(ConvertFile(*g_tables, coder, nullptr, files, s, t, "in", "out"), kResultOk);
  return files.files["out"];
}

// Random tables without codes holding a zero byte, and the same with one such code in plane 1.
CodeTables CleanTables(std::mt19937& engine) {
  auto clean = [&](bool big5) {
    std::vector<TableRecord> records;
    for (const TableRecord& r : testing::RandomRecords(engine, 3000, big5))
      if ((r.other & 0xFF00) != 0 && (r.other & 0xFF) != 0) records.push_back(r);
    return records;
  };
  return testing::MakeTables(clean(true), clean(true), clean(true), clean(false), clean(true), TS_USER_EUDC);
}

// EUC-TW with odd bytes: plane 1 in two bytes and in four, planes 2 to 3 after 8E, ASCII, line
// ends, broken sequences.
Bytes RandomEucTw(std::mt19937& random, std::size_t pieces) {
  Bytes text;
  auto code = [&] { return static_cast<std::uint8_t>(0xA1 + random() % (random() % 4 ? 8 : 94)); };
  for (std::size_t i = 0; i < pieces; ++i) {
    switch (random() % 8) {
      case 0:
        text.insert(text.end(), {0x0D, 0x0A});
        break;
      case 1:
        text.push_back(static_cast<std::uint8_t>(0x41 + random() % 26));
        break;
      case 2:
        text.insert(text.end(), {0x8E, static_cast<std::uint8_t>(0xA1 + random() % 3), code(), code()});
        break;
      case 3:
        text.push_back(random() % 2 ? 0x8E : static_cast<std::uint8_t>(0x80 + random() % 128));  // broken
        break;
      default:
        text.insert(text.end(), {code(), code()});
    }
  }
  return text;
}

// Big5, GBK or UCS-2 text with lead bytes before ASCII and at the very end, 0A in every place.
Bytes RandomSource(std::uint8_t source, std::mt19937& random, std::size_t pieces) {
  Bytes text;
  for (std::size_t i = 0; i < pieces; ++i) {
    if (source == kSelectorUcs) {
      text.insert(text.end(), {static_cast<std::uint8_t>(random() % 5 ? random() % 255 + 1 : 0x0A),
                               static_cast<std::uint8_t>(random() % 3 ? 0x4E : 0x01 + random() % 2)});
    } else if (random() % 6 == 0) {
      text.push_back(static_cast<std::uint8_t>(random() % 2 ? 0x0A : 0x41));
    } else {
      text.insert(text.end(),
                  {static_cast<std::uint8_t>(0xA4 + random() % 3), static_cast<std::uint8_t>(1 + random() % 255)});
    }
  }
  if (random() % 3 == 0) text.push_back(0xA4);  // a lead byte at the end, or a lone UCS-2 byte
  return text;
}

struct PieceRun {
  tools::PieceOutcome outcome;
  int32_t result;
  Bytes output;
};

PieceRun FromEucTw(std::uint8_t to, const Bytes& input) {
  ScratchDirectory dir;
  ScratchDirectory::Write("in", input);
  int32_t result = -99;
  const auto outcome = tools::ConvertFromEucTw(ConvertWithTestTables, to, "in", "out", result);
  return {outcome, result, ScratchDirectory::Read("out")};
}

PieceRun ToEucTw(std::uint8_t from, const Bytes& input) {
  ScratchDirectory dir;
  ScratchDirectory::Write("in", input);
  int32_t result = -99;
  const auto outcome = tools::ConvertToEucTw(ConvertWithTestTables, from, "in", "out", result);
  return {outcome, result, ScratchDirectory::Read("out")};
}

TEST(StringPieces, EucTwConvertsAsWidenedThroughAFile) {
  std::mt19937 random(31);
  const CodeTables tables = CleanTables(random);
  g_tables = &tables;
  for (int round = 0; round < 30; ++round) {
    // Past the host's block size now and then, so that characters straddle its blocks.
    const Bytes input = RandomEucTw(random, round % 5 == 0 ? 40000 : random() % 400);
    const Bytes wide = AsBytes(tools::EucTwWidener().Convert(AsText(input), true));
    for (std::uint8_t to : {kSelectorBig5, kSelectorUcs, kSelectorGbk}) {
      const PieceRun run = FromEucTw(to, input);
      ASSERT_EQ(run.outcome, tools::PieceOutcome::kConverted);
      ASSERT_EQ(run.result, kResultOk);
      ASSERT_EQ(run.output, ConvertAsFile(kSelectorEuc, to, wide)) << "to " << int(to) << " round " << round;
    }
  }
}

TEST(StringPieces, ToEucTwConvertsAsThroughAFileThenNarrowed) {
  std::mt19937 random(32);
  const CodeTables tables = CleanTables(random);
  g_tables = &tables;
  for (int round = 0; round < 30; ++round) {
    for (std::uint8_t from : {kSelectorBig5, kSelectorUcs, kSelectorGbk}) {
      Bytes input = RandomSource(from, random, round % 5 == 0 ? 40000 : random() % 400);
      if (from == kSelectorUcs) input.insert(input.begin(), {0xFF, 0xFE});
      const PieceRun run = ToEucTw(from, input);
      ASSERT_EQ(run.outcome, tools::PieceOutcome::kConverted);
      ASSERT_EQ(run.result, kResultOk);
      const Bytes euc = ConvertAsFile(from, kSelectorEuc, input);
      ASSERT_EQ(run.output, AsBytes(tools::EucTwNarrower().Convert(AsText(euc), true)))
          << "from " << int(from) << " round " << round;
    }
  }
}

TEST(StringPieces, ZeroBytesGoThroughFiles) {
  std::mt19937 random(33);
  const CodeTables tables = CleanTables(random);
  g_tables = &tables;
  EXPECT_EQ(FromEucTw(kSelectorBig5, {0xC4, 0xE3, 0x00, 0x41}).outcome, tools::PieceOutcome::kThroughFiles);
  EXPECT_EQ(ToEucTw(kSelectorBig5, {0x41, 0x00, 0xA4, 0x40}).outcome, tools::PieceOutcome::kThroughFiles);
  EXPECT_EQ(ToEucTw(kSelectorUcs, {0xFF, 0xFE, 0x41, 0x00, 0x00, 0x00, 0x00, 0x4E}).outcome,
            tools::PieceOutcome::kThroughFiles);
  // A zero byte inside a UCS-2 code unit is no zero code unit.
  EXPECT_EQ(ToEucTw(kSelectorUcs, {0xFF, 0xFE, 0x41, 0x00, 0x00, 0x4E}).outcome, tools::PieceOutcome::kConverted);
  // The same deep in a longer text, at every offset within the units read four at a time.
  for (std::size_t unit = 400; unit < 408; ++unit) {
    Bytes text{0xFF, 0xFE};
    for (std::size_t i = 0; i < 1000; ++i) text.insert(text.end(), {0x00, 0x4E});
    Bytes zero_unit = text;
    zero_unit[2 + 2 * unit + 1] = 0x00;
    EXPECT_EQ(ToEucTw(kSelectorUcs, zero_unit).outcome, tools::PieceOutcome::kThroughFiles) << unit;
    EXPECT_EQ(ToEucTw(kSelectorUcs, text).outcome, tools::PieceOutcome::kConverted) << unit;
  }
}

TEST(StringPieces, PlanesConvertingToCodesWithZeroBytesGoThroughFiles) {
  // CNS plane 2 converts to the Big5 code 0x0041 and the UCS-2 code unit 0: a converted piece could
  // hold three zero bytes that do not end it. Text that uses plane 2 needs files; text of plane 1
  // does not.
  const CodeTables tables = testing::MakeTables({{0x014421, 0xA440}, {0x024421, 0x0041}}, {}, {},
                                                {{0x014421, 0x4E00}, {0x024421, 0x0000}}, {{0x014421, 0xD2BB}});
  g_tables = &tables;
  const Bytes plane_one{0xC4, 0xA1, 0x0D, 0x0A};
  const Bytes plane_two{0xC4, 0xA1, 0x8E, 0xA2, 0xC4, 0xA1};
  for (std::uint8_t to : {kSelectorBig5, kSelectorUcs}) {
    EXPECT_EQ(FromEucTw(to, plane_one).outcome, tools::PieceOutcome::kConverted) << int(to);
    EXPECT_EQ(FromEucTw(to, plane_two).outcome, tools::PieceOutcome::kThroughFiles) << int(to);
  }
  EXPECT_EQ(FromEucTw(kSelectorGbk, plane_two).outcome, tools::PieceOutcome::kConverted);
}

TEST(StringPieces, RefusalsAreTheFileConversions) {
  const CodeTables missing = testing::SmallTables(TS_GBK_MISSING);
  g_tables = &missing;
  const PieceRun from = FromEucTw(kSelectorBig5, {0xC4, 0xA1});
  EXPECT_EQ(from.result, kResultNoTable);
  EXPECT_TRUE(from.output.empty());
  EXPECT_EQ(ToEucTw(kSelectorBig5, {0xA4, 0x40}).result, kResultNoTable);

  const CodeTables tables = testing::SmallTables();
  g_tables = &tables;
  ScratchDirectory dir;
  int32_t result = -99;
  EXPECT_EQ(tools::ConvertToEucTw(ConvertWithTestTables, kSelectorBig5, "no-such-file", "out", result),
            tools::PieceOutcome::kConverted);
  EXPECT_EQ(result, kResultOpenSource);
}

}  // namespace
}  // namespace tessel
