#include "text_converter.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "code_selector.h"
#include "string_conversion.h"
#include "table_builder.h"

namespace tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct RecordingList : CharacterList {
  std::vector<Bytes> entries;
  void append(std::span<const std::uint8_t> cns) override { entries.emplace_back(cns.begin(), cns.end()); }
};

using testing::SmallTables;

class StringConversion : public ::testing::Test {
 protected:
  CodeTables tables_ = SmallTables();
  CnsCoder coder_;
  RecordingList list_;

  // Runs the conversion on `input` (zero bytes are appended) into an output buffer filled with 0xEE.
  std::int32_t Run(std::int32_t source, std::int32_t target, Bytes input, Bytes& output) {
    input.insert(input.end(), {0, 0});
    const std::size_t n = StringInputLength(input.data(), static_cast<std::uint8_t>(source & 0xFF));
    output.assign(MaxStringOutput(n) + kStringTerminatorLength, 0xEE);
    return ConvertString(tables_, coder_, &list_, source, target, input.data(), output.data());
  }

  // The converted bytes: everything before the three zero bytes that end what was written.
  Bytes Convert(std::int32_t source, std::int32_t target, Bytes input) {
    Bytes output;
    EXPECT_EQ(Run(source, target, std::move(input), output), kResultOk);
    std::size_t written = output.size();
    while (written > 0 && output[written - 1] == 0xEE) --written;
    EXPECT_GE(written, 3u);
    EXPECT_EQ(Bytes(output.begin() + static_cast<std::ptrdiff_t>(written - 3),
                    output.begin() + static_cast<std::ptrdiff_t>(written)),
              (Bytes{0, 0, 0}));
    return Bytes(output.begin(), output.begin() + static_cast<std::ptrdiff_t>(written - 3));
  }
};

TEST_F(StringConversion, PairCheckRefusesUnknownAndOverlappingSelectors) {
  Bytes out;
  EXPECT_EQ(Run(5, 0, {0x41}, out), kResultBadSource);
  EXPECT_EQ(Run(0, 19, {0x41}, out), kResultBadTarget);
  EXPECT_EQ(Run(19, 19, {0x41}, out), kResultBadSource);
  EXPECT_EQ(Run(2, 2, {0x41}, out), kResultBadPair);
  EXPECT_EQ(Run(2, 18, {0x41}, out), kResultBadPair);
  EXPECT_EQ(Run(18, 3, {0x41}, out), kResultBadPair);
  EXPECT_EQ(Run(1, 3, {0x41}, out), kResultBadPair);
  EXPECT_EQ(Run(3, 1, {0x41}, out), kResultBadPair);
  EXPECT_EQ(Run(4, 4, {0x41, 0x00}, out), kResultBadPair);
  // Only the low 8 bits count.
  EXPECT_EQ(Convert(0x102, 0x300, {0xA4, 0x40}), (Bytes{0x0E, 0x44, 0x21}));
}

TEST_F(StringConversion, TableStatusRefusesAndLeavesTheOutputUntouched) {
  Bytes out;
  tables_ = SmallTables(TS_GBK_MISSING);
  EXPECT_EQ(Run(2, 0, {0xA4, 0x40}, out), kResultNoTable);
  EXPECT_EQ(out, Bytes(out.size(), 0xEE));
  tables_ = SmallTables(TS_HEADER_BAD);
  EXPECT_EQ(Run(2, 0, {0xA4, 0x40}, out), kResultBadTable);
  tables_ = SmallTables(TS_HEADER_BAD | TS_B5_MISSING);
  EXPECT_EQ(Run(2, 0, {0xA4, 0x40}, out), kResultNoTable);
  tables_ = SmallTables(TS_USER_EUDC);
  EXPECT_EQ(Run(2, 0, {0xA4, 0x40}, out), kResultOk);
}

TEST_F(StringConversion, EmptyInputGivesThreeZeroBytes) {
  Bytes out;
  EXPECT_EQ(Run(2, 0, {}, out), kResultOk);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), (Bytes{0, 0, 0, 0xEE}));
}

TEST_F(StringConversion, Big5LetterAndPlaneOneCharacterToSevenBit) {
  EXPECT_EQ(Convert(2, 0, {0x41, 0xA4, 0xA4}), (Bytes{0x41, 0x0E, 0x44, 0x63}));
  // A single byte after a shifted-out character comes after SI.
  EXPECT_EQ(Convert(3, 0, {0xA4, 0x40, 0x0D, 0x0A}), (Bytes{0x0E, 0x44, 0x21, 0x0F, 0x0D, 0x0A}));
}

TEST_F(StringConversion, SevenBitAsciiToUcs2) {
  EXPECT_EQ(Convert(0, 4, {0x41, 0x42, 0x0D, 0x0A}), (Bytes{0x41, 0, 0x42, 0, 0x0D, 0, 0x0A, 0}));
}

TEST_F(StringConversion, CnsWithoutBig5BecomesHexTextAndIsListed) {
  EXPECT_EQ(Convert(0, 2, {0x1B, 0x4E, 0x21, 0x21, 0x0E, 0x44, 0x21}),
            (Bytes{'<', '2', '2', '1', '2', '1', '>', 0xA4, 0x40}));
  EXPECT_EQ(list_.entries, (std::vector<Bytes>{{2, 0x21, 0x21}}));
}

TEST_F(StringConversion, SubstituteIsWidenedForUcs2AndEuc) {
  EXPECT_EQ(Convert(0, 4, {0x1B, 0x4E, 0x30, 0x31}), (Bytes{'<', 0, '2', 0, '3', 0, '0', 0, '3', 0, '1', 0, '>', 0}));
  // Bytes below 0x10 print without a leading zero.
  EXPECT_EQ(Convert(0, 18, {0x0E, 0x0D, 0x0A}), (Bytes{'<', '1', 'D', 'A', '>'}));
}

TEST_F(StringConversion, Big5WithoutCnsBecomesTheSubstituteCharacterAndIsNotListed) {
  EXPECT_EQ(Convert(2, 0, {0xB0, 0xA1, 0x41}), (Bytes{0x0E, 0x21, 0x7B, 0x0F, 0x41}));
  EXPECT_TRUE(list_.entries.empty());
}

TEST_F(StringConversion, EucFourByteCharactersAndStrayBytes) {
  EXPECT_EQ(Convert(1, 0, {0x8E, 0xA2, 0xA1, 0xA1}), (Bytes{0x0E, 0x1B, 0x4E, 0x21, 0x21}));
  EXPECT_EQ(Convert(1, 0, {0xA4, 0xA1}), (Bytes{0xA4, 0xA1}));
  // 0xB1 is past plane 16: not a character, four single bytes.
  EXPECT_EQ(Convert(1, 0, {0x8E, 0xB1, 0xA1, 0xA1}), (Bytes{0x8E, 0xB1, 0xA1, 0xA1}));
  EXPECT_EQ(Convert(1, 0, {0x8E, 0xA3, 0xA1}), (Bytes{0x8E, 0xA3, 0xA1}));
}

TEST_F(StringConversion, SevenBitToEucNeverSubstitutes) {
  EXPECT_EQ(Convert(0, 1, {0x41, 0x1B, 0x24, 0x2B, 0x50, 0x1B, 0x4F, 0x7E, 0x7E, 0x0E, 0x44, 0x21}),
            (Bytes{0x41, 0x8E, 0xAA, 0xFE, 0xFE, 0x8E, 0xA1, 0xC4, 0xA1}));
  EXPECT_TRUE(list_.entries.empty());
}

TEST_F(StringConversion, Ucs2BelowHexEightyPassesWithoutASearch) {
  EXPECT_EQ(Convert(4, 0, {0x41, 0x00, 0x00, 0x4E, 0x42, 0x4E}),
            (Bytes{0x41, 0x0E, 0x44, 0x21, 0x1B, 0x4E, 0x44, 0x21}));
}

TEST_F(StringConversion, Big5LeadByteAtTheEndPassesAlone) {
  EXPECT_EQ(Convert(2, 0, {0x41, 0xA4}), (Bytes{0x41, 0xA4}));
}

TEST_F(StringConversion, ConversionStopsAtTheFirstZeroByte) {
  // The text is measured up to two zeros but read only up to the first.
  EXPECT_EQ(Convert(2, 0, {0x41, 0x00, 0x42}), (Bytes{0x41}));
}

TEST_F(StringConversion, UserDefinedBig5OnlyWithTheMarkerFile) {
  EXPECT_EQ(Convert(2, 0, {0xFA, 0x40}), (Bytes{0x0E, 0x21, 0x7B}));
  tables_ = SmallTables(TS_USER_EUDC);
  EXPECT_EQ(Convert(2, 0, {0xFA, 0x40}), (Bytes{0x1B, 0x24, 0x2B, 0x52, 0x0E, 0x1B, 0x4F, 0x21, 0x21}));
}

TEST_F(StringConversion, SevenBitToItselfPassesThroughUnchanged) {
  const Bytes text{0x0E, 0x44, 0x21, 0x0F, 0x41, 0x1B, 0x24};
  EXPECT_EQ(Convert(0, 0, text), text);
  EXPECT_TRUE(list_.entries.empty());
}

TEST_F(StringConversion, PairsWithoutCnsConvertThroughCns) {
  EXPECT_EQ(Convert(2, 4, {0xA4, 0x40, 0x41}), (Bytes{0x00, 0x4E, 0x41, 0x00}));
  EXPECT_EQ(Convert(4, 3, {0x00, 0x4E, 0x41, 0x00}), (Bytes{0xA4, 0x40, 0x41}));
  EXPECT_EQ(Convert(1, 2, {0x8E, 0xA1, 0xC4, 0xE3, 0x41}), (Bytes{0xA4, 0xA4, 0x41}));
  EXPECT_EQ(Convert(2, 1, {0xA4, 0xA4}), (Bytes{0x8E, 0xA1, 0xC4, 0xE3}));
  EXPECT_EQ(Convert(18, 4, {0xD2, 0xBB}), (Bytes{0x00, 0x4E}));
  EXPECT_EQ(Convert(4, 18, {0x00, 0x4E}), (Bytes{0xD2, 0xBB}));
  EXPECT_EQ(Convert(1, 18, {0x8E, 0xA1, 0xC4, 0xA1}), (Bytes{0xD2, 0xBB}));
}

TEST_F(StringConversion, PairsWithoutCnsSubstituteInEitherStep) {
  // First step fails: the source code is shown.
  EXPECT_EQ(Convert(2, 4, {0xB0, 0xA1}), (Bytes{'<', 0, '0', 0, 'B', 0, '0', 0, 'A', 0, '1', 0, '>', 0}));
  // Second step fails: the CNS code is shown; nothing is listed.
  EXPECT_EQ(Convert(3, 4, {0xA4, 0x41}), (Bytes{0xE9, 0x00}));
  EXPECT_EQ(Convert(4, 2, {0x42, 0x4E}), (Bytes{0xC9, 0x4A}));
  EXPECT_EQ(Convert(4, 18, {0x42, 0x4E}), (Bytes{'<', '2', '4', '4', '2', '1', '>'}));
  EXPECT_EQ(Convert(1, 2, {0x8E, 0xA5, 0xA1, 0xA1}), (Bytes{'<', '5', '2', '1', '2', '1', '>'}));
  EXPECT_TRUE(list_.entries.empty());
}

TEST_F(StringConversion, SevenBitCharacterCutOffAtTheEnd) {
  EXPECT_EQ(Convert(0, 2, {0x41, 0x0E, 0x44}), (Bytes{0x41, '<', '0', 'F', 'F', '4', '4', '>'}));
  EXPECT_EQ(coder_.State().pending_byte, 0x44);
}

// Every pair that passes the checks, on random text, stays within the documented output size.
// A UCS-2 string ends at its first zero code unit, wherever the text starts and however long it
// is: zero bytes that straddle two units, or a lone zero byte, do not end it.
TEST(StringInputLength, Ucs2EndsAtTheFirstZeroUnitAtEveryAlignment) {
  std::mt19937 random(17);
  for (int round = 0; round < 400; ++round) {
    const std::size_t units = random() % 40;
    Bytes text;
    for (std::size_t k = 0; k < units; ++k) {
      // Units with a zero byte on either side, so that zero bytes meet across units.
      const auto kind = static_cast<std::uint32_t>(random() % 3);
      const auto other = static_cast<std::uint8_t>(1 + random() % 255);
      text.push_back(kind == 0 ? 0 : other);
      text.push_back(kind == 1 ? 0 : other);
    }
    text.insert(text.end(), {0, 0, 0x41, 0x41, 0, 0});
    for (std::size_t offset = 0; offset < 32; ++offset) {
      std::vector<std::uint8_t> buffer(offset + text.size() + 32, 0xEE);
      std::copy(text.begin(), text.end(), buffer.begin() + static_cast<std::ptrdiff_t>(offset));
      ASSERT_EQ(StringInputLength(buffer.data() + offset, kSelectorUcs), 2 * units)
          << "round " << round << " offset " << offset;
    }
  }
}

TEST(StringConversionBound, RandomTextOfEveryPairFitsTheWorstCase) {
  const CodeTables tables = SmallTables(TS_USER_EUDC);
  const std::uint8_t selectors[] = {0, 1, 2, 3, 4, 18};
  std::mt19937 random(7);
  const std::uint8_t interesting[] = {0x0E, 0x0F, 0x1B, 0x24, 0x29, 0x2B, 0x4E, 0x4F, 0x6E, 0x8E, 0xA1, 0xA2,
                                      0xA4, 0x40, 0x44, 0x21, 0x7E, 0x0A, 0x41, 0xB0, 0xFA, 0xFF, 0x4A, 0x00};
  for (int round = 0; round < 3000; ++round) {
    Bytes input;
    const std::size_t n = 1 + random() % 24;
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint8_t b = (random() % 3 == 0) ? static_cast<std::uint8_t>(random()) : interesting[random() % 24];
      input.push_back(b);
    }
    input.insert(input.end(), {0, 0, 0});
    for (std::uint8_t s : selectors) {
      for (std::uint8_t t : selectors) {
        if (CheckSelectorPair(s, t) != kResultOk) continue;
        CnsCoder coder;
        const std::size_t length = StringInputLength(input.data(), s);
        // Exactly the documented size: any write past it is caught by the address sanitizer.
        std::vector<std::uint8_t> output(8 * length + 19);
        ASSERT_EQ(ConvertString(tables, coder, nullptr, s, t, input.data(), output.data()), kResultOk);
      }
    }
  }
}

// Converting a text in pieces, carrying what a piece leaves over, gives what converting it whole gives.
TEST(TextConverterPieces, SplitAnywhereGivesTheSameBytes) {
  const CodeTables tables = SmallTables(TS_USER_EUDC);
  std::mt19937 random(99);
  const std::uint8_t interesting[] = {0x0E, 0x0F, 0x1B, 0x24, 0x2B, 0x49, 0x4E, 0x4F, 0x8E, 0xA1, 0xA2, 0xC4,
                                      0xA4, 0x40, 0x44, 0x21, 0x63, 0x0A, 0x41, 0xFA, 0xD2, 0xBB, 0x00, 0x4E};
  for (int round = 0; round < 2000; ++round) {
    Bytes text;
    const std::size_t n = 2 + random() % 40;
    for (std::size_t i = 0; i < n; ++i) {
      std::uint8_t b = interesting[random() % 24];
      if (b == 0) b = 0x42;
      text.push_back(b);
    }
    for (const auto& [s, t] : {std::pair<std::uint8_t, std::uint8_t>{0, 2},
                               {0, 1},
                               {0, 4},
                               {1, 0},
                               {2, 0},
                               {4, 0},
                               {18, 0},
                               {1, 2},
                               {2, 4}}) {
      CnsCoder whole_coder;
      TextConverter whole(tables, whole_coder);
      Bytes expected(16 * text.size() + 16);
      expected.resize(whole.Convert(s, t, text, false, expected).produced);

      CnsCoder piece_coder;
      TextConverter pieces(tables, piece_coder);
      Bytes got;
      Bytes carry;
      std::size_t at = 0;
      while (at < text.size() || !carry.empty()) {
        const std::size_t take = std::min<std::size_t>(1 + random() % 5, text.size() - at);
        carry.insert(carry.end(), text.begin() + static_cast<std::ptrdiff_t>(at),
                     text.begin() + static_cast<std::ptrdiff_t>(at + take));
        at += take;
        const bool last = at == text.size();
        Bytes out(16 * carry.size() + 16);
        const ConvertOutcome o = pieces.Convert(s, t, carry, !last, out);
        got.insert(got.end(), out.begin(), out.begin() + static_cast<std::ptrdiff_t>(o.produced));
        carry.erase(carry.begin(), carry.begin() + static_cast<std::ptrdiff_t>(std::min(o.consumed, carry.size())));
        if (last) break;
      }
      ASSERT_EQ(got, expected) << "pair " << int(s) << "->" << int(t) << " round " << round;
    }
  }
}

TEST(TextConverterRoom, StopsBeforeACharacterThatMightNotFit) {
  const CodeTables tables = SmallTables();
  CnsCoder coder;
  TextConverter converter(tables, coder);
  const Bytes text{0xA4, 0x40, 0xA4, 0x40, 0xA4, 0x40};
  Bytes out(TextConverter::kMaxCharacterOutput + 2);
  const ConvertOutcome o = converter.Convert(2, 0, text, false, out);
  EXPECT_EQ(o.consumed, 2u);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(o.produced)), (Bytes{0x0E, 0x44, 0x21}));
  EXPECT_FALSE(o.end_reached);
}

}  // namespace
}  // namespace tessel
