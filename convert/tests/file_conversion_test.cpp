#include "file_conversion.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "code_selector.h"
#include "memory_files.h"
#include "string_conversion.h"
#include "table_builder.h"
#include "text_converter.h"

namespace tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::MemoryFiles;
using testing::SmallTables;

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const Bytes kHeader(kSevenBitHeader.begin(), kSevenBitHeader.end());

class FileConversion : public ::testing::Test {
 protected:
  CodeTables tables_ = SmallTables();
  CnsCoder coder_;
  MemoryFiles files_;

  std::int32_t Run(std::int32_t source, std::int32_t target, const std::string& from = "in",
                   const std::string& to = "out") {
    return ConvertFile(tables_, coder_, nullptr, files_, source, target, from, to);
  }
  Bytes Convert(std::int32_t source, std::int32_t target, const Bytes& input) {
    files_.Add("in", input);
    EXPECT_EQ(Run(source, target), kResultOk);
    return files_.files["out"];
  }
  // No file but the source and the target is left.
  void ExpectOnly(std::initializer_list<std::string> names) {
    std::vector<std::string> present;
    for (const auto& [name, bytes] : files_.files) present.push_back(name);
    EXPECT_EQ(present, std::vector<std::string>(names));
  }
};

TEST_F(FileConversion, SevenBitHeaderAndFinalShiftIn) {
  EXPECT_EQ(Convert(kSelectorBig5, kSelectorCns, {0x41, 0x42, 0x0D, 0x0A}),
            (Bytes{0x0F, 0x1B, 0x24, 0x29, 0x47, 0x1B, 0x24, 0x2A, 0x48, 0x41, 0x42, 0x0D, 0x0A, 0x0F}));
}

TEST_F(FileConversion, Ucs2TargetStartsWithByteOrderMark) {
  EXPECT_EQ(Convert(kSelectorCns, kSelectorUcs, {0x41, 0x0D, 0x0A}), (Bytes{0xFF, 0xFE, 0x41, 0, 0x0D, 0, 0x0A, 0}));
}

TEST_F(FileConversion, Ucs2SourceIsReadFromItsThirdByte) {
  EXPECT_EQ(Convert(kSelectorUcs, kSelectorCns, {0xFF, 0xFE}), (kHeader + Bytes{0x0F}));
  // The first two bytes are taken for the mark whatever they are.
  EXPECT_EQ(Convert(kSelectorUcs, kSelectorCns, {0x41, 0x00, 0x00, 0x4E}), (kHeader + Bytes{0x0E, 0x44, 0x21, 0x0F}));
}

TEST_F(FileConversion, HeaderOfASevenBitFileProducesNothingAndTheFinalShiftInStays) {
  const Bytes written = Convert(kSelectorBig5, kSelectorCns, {0xA4, 0x40, 0x0D, 0x0A, 0x41, 0x0D, 0x0A});
  EXPECT_EQ(written, (kHeader + Bytes{0x0E, 0x44, 0x21, 0x0F, 0x0D, 0x0A, 0x41, 0x0D, 0x0A, 0x0F}));
  EXPECT_EQ(Convert(kSelectorCns, kSelectorBig5, written), (Bytes{0xA4, 0x40, 0x0D, 0x0A, 0x41, 0x0D, 0x0A, 0x0F}));
}

TEST_F(FileConversion, SevenBitStateCarriesAcrossLines) {
  // Shifted out on the first line, the second line's bytes are still characters.
  EXPECT_EQ(Convert(kSelectorCns, kSelectorBig5, {0x0E, 0x44, 0x21, 0x0D, 0x0A, 0x44, 0x63, 0x0F, 0x0D, 0x0A}),
            (Bytes{0xA4, 0x40, '<', '1', 'D', 'A', '>', 0xA4, 0xA4, 0x0D, 0x0A}));
}

TEST_F(FileConversion, CharacterCutOffAtALineEndIsCompletedByTheNextLine) {
  // In G1, 0A is the first byte of a character that the line's end cuts off: it is substituted,
  // and held to become the first byte of the next line's character.
  EXPECT_EQ(Convert(kSelectorCns, kSelectorBig5, {0x0E, 0x0A, 0x21, 0x0F}),
            (Bytes{'<', '0', 'F', 'F', 'A', '>', '<', '1', 'A', '2', '1', '>', 0x0F}));
}

TEST_F(FileConversion, SevenBitStateIsNotResetForASevenBitSource) {
  files_.Add("first", Bytes{0x0E, 0x44, 0x21});  // ends shifted out
  ASSERT_EQ(Run(kSelectorCns, kSelectorBig5, "first", "out"), kResultOk);
  EXPECT_EQ(Convert(kSelectorCns, kSelectorBig5, {0x44, 0x63}), (Bytes{0xA4, 0xA4}));
  // A seven-bit target resets it.
  files_.Add("first", Bytes{0x0E, 0x44, 0x21});
  ASSERT_EQ(Run(kSelectorCns, kSelectorBig5, "first", "out"), kResultOk);
  ASSERT_EQ(Run(kSelectorBig5, kSelectorCns, "first", "other"), kResultOk);
  EXPECT_EQ(Convert(kSelectorCns, kSelectorBig5, {0x44, 0x63}), (Bytes{0x44, 0x63}));
}

TEST_F(FileConversion, EmptySourceGivesEmptyTarget) { EXPECT_EQ(Convert(kSelectorCns, kSelectorBig5, {}), Bytes{}); }

TEST_F(FileConversion, SevenBitToItselfCopiesTheFile) {
  const Bytes text{0x0E, 0x44, 0x21, 0x1B, 0x24, 0x0D, 0x0A, 0x00, 0xFF};
  EXPECT_EQ(Convert(kSelectorCns, kSelectorCns, text), text);
  files_.Add("in", text);
  EXPECT_EQ(Run(kSelectorCns, kSelectorCns, "in", "in"), kResultOk);
  EXPECT_EQ(files_.files["in"], text);
  ExpectOnly({"in", "out"});
}

TEST_F(FileConversion, RefusalsComeBeforeAnyFileIsTouched) {
  files_.Add("in", "A");
  EXPECT_EQ(Run(5, 0), kResultBadSource);
  EXPECT_EQ(Run(0, 19), kResultBadTarget);
  EXPECT_EQ(Run(2, 18), kResultBadPair);
  tables_ = SmallTables(TS_UCS_MISSING);
  EXPECT_EQ(Run(2, 0), kResultNoTable);
  tables_ = SmallTables(TS_HEADER_BAD);
  EXPECT_EQ(Run(2, 0), kResultBadTable);
  EXPECT_TRUE(files_.calls.empty());
}

TEST_F(FileConversion, SourceThatCannotBeOpenedForWritingGivesFive) {
  files_.Add("in", "A");
  files_.read_only.insert("in");
  EXPECT_EQ(Run(2, 0), kResultOpenSource);
  EXPECT_EQ(Run(2, 0, "missing", "out"), kResultOpenSource);
  ExpectOnly({"in"});
}

TEST_F(FileConversion, TargetThatCannotBeCreatedGivesSix) {
  files_.Add("in", "A");
  files_.fail_create_target = true;
  EXPECT_EQ(Run(2, 0), kResultCreateTarget);
  ExpectOnly({"in"});
}

TEST_F(FileConversion, WriteFailureOfTheTargetGivesSixAndRemovesIt) {
  files_.Add("in", "A\r\nB\r\n");
  files_.fail_write_number = 1;
  EXPECT_EQ(Run(2, 0), kResultCreateTarget);
  ExpectOnly({"in"});
}

TEST_F(FileConversion, ReadFailureGivesFiveAndLeavesNothingHalfDone) {
  files_.Add("in", "A\r\nB\r\n");
  files_.read_block = 3;
  files_.fail_read_number = 2;
  EXPECT_EQ(Run(2, 0), kResultOpenSource);
  ExpectOnly({"in"});
}

TEST_F(FileConversion, SamePathConvertsInPlaceThroughATemporaryFile) {
  files_.Add("in", Bytes{0xA4, 0x40, 0x0D, 0x0A});
  EXPECT_EQ(Run(kSelectorBig5, kSelectorCns, "in", "in"), kResultOk);
  EXPECT_EQ(files_.files["in"], (kHeader + Bytes{0x0E, 0x44, 0x21, 0x0F, 0x0D, 0x0A, 0x0F}));
  ExpectOnly({"in"});
  EXPECT_EQ(files_.calls.back(), "replace in");
}

TEST_F(FileConversion, OtherSpellingOfTheSameFileConvertsInPlace) {
  files_.Add("dir/in.txt", Bytes{0xA4, 0x40});
  files_.aliases["DIR/IN.TXT"] = "dir/in.txt";
  EXPECT_EQ(Run(kSelectorBig5, kSelectorCns, "dir/in.txt", "DIR/IN.TXT"), kResultOk);
  EXPECT_EQ(files_.files["dir/in.txt"], (kHeader + Bytes{0x0E, 0x44, 0x21, 0x0F}));
  ExpectOnly({"dir/in.txt"});
}

// An in-place conversion interrupted at any step leaves the source as it was and no temporary file.
TEST_F(FileConversion, InPlaceFailureAtEachStepKeepsTheSource) {
  Bytes original;
  for (int i = 0; i < 20000; ++i) original.insert(original.end(), {0xA4, 0x40, 0x41, 0x0D, 0x0A});
  struct Step {
    const char* name;
    std::function<void(MemoryFiles&)> arrange;
    std::int32_t result;
  };
  const std::vector<Step> steps = {
      {"temporary file", [](MemoryFiles& f) { f.fail_create_temporary = true; }, kResultBadPair},
      {"header", [](MemoryFiles& f) { f.fail_write_number = 1; }, kResultBadPair},
      {"a later block", [](MemoryFiles& f) { f.fail_write_number = 2; }, kResultBadPair},
      {"reading", [](MemoryFiles& f) { f.read_block = 1000, f.fail_read_number = 5; }, kResultOpenSource},
      {"flushing to disk", [](MemoryFiles& f) { f.fail_commit = true; }, kResultBadPair},
      {"replacing", [](MemoryFiles& f) { f.fail_replace = true; }, kResultBadPair},
  };
  for (const Step& step : steps) {
    MemoryFiles fresh;
    fresh.Add("in", original);
    step.arrange(fresh);
    CnsCoder c;
    EXPECT_EQ(ConvertFile(tables_, c, nullptr, fresh, kSelectorBig5, kSelectorCns, "in", "in"), step.result)
        << step.name;
    EXPECT_EQ(fresh.files["in"], original) << step.name;
    EXPECT_EQ(fresh.files.size(), 1u) << step.name;
  }
}

TEST_F(FileConversion, ZeroByteInALineIsKeptAndTheLineGoesOn) {
  EXPECT_EQ(Convert(kSelectorBig5, kSelectorUcs, {0x41, 0x00, 0xA4, 0x40, 0x0D, 0x0A}),
            (Bytes{0xFF, 0xFE, 0x41, 0, 0, 0, 0x00, 0x4E, 0x0D, 0, 0x0A, 0}));
}

TEST_F(FileConversion, Ucs2LineBreakAtAnOddOffsetKeepsCodeUnitsAligned) {
  // U+0A41 then U+4E00: the bytes 0A 00 meet across the two code units.
  EXPECT_EQ(Convert(kSelectorUcs, kSelectorCns, {0xFF, 0xFE, 0x41, 0x0A, 0x00, 0x4E}),
            (kHeader + Bytes{0x0E, 0x21, 0x7B, 0x44, 0x21, 0x0F}));
}

// Lines longer than the line area, with characters across every split point, and converted lines
// longer than any area, come out as the same line converted whole would.
TEST_F(FileConversion, LongLinesSplitAtCharacterBoundaries) {
  std::mt19937 random(5);
  const std::vector<Bytes> big5_pieces = {{0xA4, 0x40}, {0xA4, 0xA4}, {0xC9, 0x4A}, {0x41}, {0xB0, 0xA1}};
  const std::vector<Bytes> seven_bit_pieces = {{0x0E, 0x44, 0x21},
                                               {0x1B, 0x4E, 0x44, 0x21},
                                               {0x0F, 0x41},
                                               {0x1B, 0x24, 0x2B, 0x49, 0x1B, 0x4F, 0x44, 0x21},
                                               {0x44, 0x63}};
  const std::vector<Bytes> euc_pieces = {{0x8E, 0xA1, 0xC4, 0xA1}, {0x8E, 0xA2, 0xC4, 0xA1}, {0x41}, {0xA4, 0xA1}};
  struct Case {
    std::uint8_t source, target;
    const std::vector<Bytes>* pieces;
  };
  for (const Case& c : {Case{2, 0, &big5_pieces}, Case{2, 4, &big5_pieces}, Case{0, 2, &seven_bit_pieces},
                        Case{0, 4, &seven_bit_pieces}, Case{1, 0, &euc_pieces}, Case{1, 2, &euc_pieces}}) {
    for (std::size_t length : {1020u, 1023u, 1024u, 1025u, 3000u, 5000u}) {
      Bytes line;
      while (line.size() < length) {
        const Bytes& p = (*c.pieces)[random() % c.pieces->size()];
        line.insert(line.end(), p.begin(), p.end());
      }
      line.insert(line.end(), {0x0D, 0x0A});

      // The same line converted as one string.
      CnsCoder string_coder;
      Bytes text = line;
      text.insert(text.end(), {0, 0});
      Bytes expected(MaxStringOutput(text.size()) + kStringTerminatorLength);
      ASSERT_EQ(ConvertString(tables_, string_coder, nullptr, c.source, c.target, text.data(), expected.data()), 0);
      std::size_t n = 0;
      while (!(expected[n] == 0 && expected[n + 1] == 0 && expected[n + 2] == 0 && (c.target != 4 || n % 2 == 0))) ++n;
      expected.resize(n);
      if (c.target == kSelectorCns) expected = kHeader + expected + Bytes{0x0F};
      if (c.target == kSelectorUcs) expected = Bytes{0xFF, 0xFE} + expected;

      coder_.Reset();
      files_.read_block = 1 + random() % 700;
      EXPECT_EQ(Convert(c.source, c.target, line), expected)
          << "pair " << int(c.source) << "->" << int(c.target) << " length " << length;
    }
  }
}

TEST_F(FileConversion, LineOfNothingButShiftsLongerThanTheAreaEnds) {
  Bytes line(3000, 0x0E);
  line.push_back(0x44);
  line.push_back(0x21);
  const Bytes out = Convert(kSelectorCns, kSelectorBig5, line);
  // The whole area of shifts goes as one text: its first byte is handed on, and the character
  // after the shifts still converts.
  ASSERT_GE(out.size(), 2u);
  EXPECT_EQ(Bytes(out.end() - 2, out.end()), (Bytes{0xA4, 0x40}));
}

// Converting a file a block at a time gives what converting it line by line gives: each line (up to
// and including its 0A) a text of its own, the seven-bit state carried from line to line, a zero
// byte written as a single byte; UCS-2 text runs on from its third byte. Random files of every
// source, read in blocks of random size, against that reading done character by character on the
// same tables scanning their records.
Bytes LineByLine(const CodeTables& tables, std::uint8_t s, std::uint8_t t, const Bytes& file) {
  CnsCoder coder;
  TextConverter converter(tables, coder);
  Bytes out;
  if (t == kSelectorCns) out = kHeader;
  if (t == kSelectorUcs) out = {0xFF, 0xFE};
  std::vector<Bytes> lines;
  if (s == kSelectorUcs) {
    lines.emplace_back(file.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(2, file.size())), file.end());
  } else {
    for (std::size_t start = 0; start < file.size();) {
      std::size_t end = start;
      while (end < file.size() && file[end++] != 0x0A) {
      }
      lines.emplace_back(file.begin() + static_cast<std::ptrdiff_t>(start),
                         file.begin() + static_cast<std::ptrdiff_t>(end));
      start = end;
    }
  }
  for (const Bytes& line : lines) {
    Bytes area(16 * line.size() + 64);
    std::size_t pos = 0;
    while (pos < line.size()) {
      const ConvertOutcome o = converter.Convert(s, t, std::span(line).subspan(pos), false, area);
      out.insert(out.end(), area.begin(), area.begin() + static_cast<std::ptrdiff_t>(o.produced));
      pos += o.consumed;
      if (o.end_reached && pos < line.size()) {
        const std::size_t n = converter.WriteSingleByte(t, line[pos++], area.data());
        out.insert(out.end(), area.begin(), area.begin() + static_cast<std::ptrdiff_t>(n));
      }
    }
  }
  if (t == kSelectorCns) out.push_back(kShiftIn);
  return out;
}

// Lines of characters in the source's form, with odd bytes: shifts and escape sequences whole and
// broken, seven-bit lines that end shifted out (their 0A then begins a two-byte character), lead
// bytes before 0A, zero bytes, 0A at odd offsets of UCS-2.
Bytes RandomFile(std::uint8_t source, std::mt19937& random) {
  Bytes file;
  auto character = [&] { return static_cast<std::uint8_t>(0x21 + random() % 94); };
  const std::size_t lines = 1 + random() % 30;
  for (std::size_t line = 0; line < lines; ++line) {
    const std::size_t pieces = random() % 40;
    for (std::size_t i = 0; i < pieces; ++i) {
      const auto kind = static_cast<std::uint32_t>(random() % 24);
      if (kind == 0) {
        file.push_back(random() % 4 ? static_cast<std::uint8_t>(random()) : 0x00);
        continue;
      }
      switch (source) {
        case kSelectorCns:
          if (kind < 4) {
            file.push_back(kind % 2 ? 0x0E : 0x0F);
          } else if (kind < 6) {
            file.insert(file.end(), {0x1B, static_cast<std::uint8_t>(kind == 4 ? 0x4E : 0x4F)});
          } else if (kind == 6) {
            file.insert(file.end(), {0x1B, 0x24, static_cast<std::uint8_t>(0x29 + random() % 3),
                                     static_cast<std::uint8_t>(0x47 + random() % 17)});
          } else {
            file.insert(file.end(), {character(), character()});
          }
          break;
        case kSelectorEuc:
          file.insert(file.end(), {0x8E, static_cast<std::uint8_t>(0xA0 + random() % 4),
                                   static_cast<std::uint8_t>(0xA1 + random() % 94),
                                   static_cast<std::uint8_t>(random() % 12 ? 0xA1 + random() % 94 : 0x0A)});
          break;
        case kSelectorUcs:
          file.insert(file.end(), {static_cast<std::uint8_t>(random() % 5 ? random() : 0x0A),
                                   static_cast<std::uint8_t>(random() % 3 ? 0x4E : random() % 2)});
          break;
        default:
          file.insert(file.end(), {static_cast<std::uint8_t>(0xA4 + random() % 3),
                                   static_cast<std::uint8_t>(random() % 12 ? random() : 0x0A)});
      }
    }
    if (line + 1 < lines || random() % 2) {
      if (random() % 3) file.push_back(0x0D);
      file.push_back(0x0A);
    }
  }
  return file;
}

TEST(FileBlocks, GiveWhatLineByLineGives) {
  std::mt19937 random(21);
  const CodeTables indexed = testing::RandomTables(random, TS_USER_EUDC);
  const CodeTables scanned = testing::ScanningCopy(indexed);
  const std::uint8_t selectors[] = {kSelectorCns, kSelectorEuc, kSelectorBig5, kSelectorUcs, kSelectorGbk};
  for (int round = 0; round < 40; ++round) {
    for (std::uint8_t s : selectors) {
      const Bytes file = RandomFile(s, random);
      for (std::uint8_t t : selectors) {
        if (s == t || CheckSelectorPair(s, t) != kResultOk) continue;
        MemoryFiles files;
        files.Add("in", file);
        files.read_block = 1 + random() % 300;
        CnsCoder coder;
        ASSERT_EQ(ConvertFile(indexed, coder, nullptr, files, s, t, "in", "out"), kResultOk);
        ASSERT_EQ(files.files["out"], LineByLine(scanned, s, t, file))
            << "pair " << int(s) << "->" << int(t) << " round " << round;
      }
    }
  }
}

}  // namespace
}  // namespace tessel
