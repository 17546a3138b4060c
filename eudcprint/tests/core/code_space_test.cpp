#include "core/code_space.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace pictor {
namespace {

TEST(CodeSpace, OrdinalsAtSegmentEdges) {
  const std::vector<std::pair<std::uint16_t, std::uint16_t>> cases = {
      {0, 0xFA40},    {784, 0xFEFE},  {785, 0x8E40},  {3767, 0xA0FE}, {3768, 0x8140},
      {5808, 0x8DFE}, {5809, 0xC6A1}, {5902, 0xC6FE}, {5903, 0xC740}, {6216, 0xC8FE},
  };
  for (const auto& [ordinal, code] : cases) {
    EXPECT_EQ(OrdinalToBig5(ordinal), code) << "ordinal " << ordinal;
    EXPECT_EQ(Big5ToOrdinal(code), ordinal) << std::hex << "code " << code;
  }
}

TEST(CodeSpace, CodeIndexesAtSegmentEdges) {
  const std::vector<std::pair<std::uint16_t, std::uint16_t>> cases = {
      {0, 0x8140},    {2040, 0x8DFE}, {2041, 0x8E40}, {5023, 0xA0FE}, {5024, 0xC6A1},
      {5117, 0xC6FE}, {5118, 0xC740}, {5431, 0xC8FE}, {5432, 0xFA40}, {6216, 0xFEFE},
  };
  for (const auto& [index, code] : cases) {
    EXPECT_EQ(CodeIndexToBig5(index), code) << "index " << index;
    EXPECT_EQ(Big5ToCodeIndex(code), index) << std::hex << "code " << code;
  }
}

TEST(CodeSpace, TrailBytesSkipTheGapBetween7EAndA1) {
  EXPECT_EQ(OrdinalToBig5(62), 0xFA7E);
  EXPECT_EQ(OrdinalToBig5(63), 0xFAA1);
  EXPECT_EQ(OrdinalToBig5(156), 0xFAFE);
  EXPECT_EQ(OrdinalToBig5(157), 0xFB40);
  EXPECT_EQ(TrailByteAt(0), 0x40);
  EXPECT_EQ(TrailByteAt(62), 0x7E);
  EXPECT_EQ(TrailByteAt(63), 0xA1);
  EXPECT_EQ(TrailByteAt(156), 0xFE);
  EXPECT_EQ(TrailPosition(0x7F), std::nullopt);
  EXPECT_EQ(TrailPosition(0xA0), std::nullopt);
  EXPECT_EQ(TrailPosition(0xFF), std::nullopt);
  EXPECT_EQ(TrailPosition(0x3F), std::nullopt);
}

TEST(CodeSpace, FullIndexLandmarks) {
  EXPECT_EQ(Big5ToFullIndex(0xA140), 0);
  EXPECT_EQ(Big5ToFullIndex(0xC6A1), 5872);
  EXPECT_EQ(Big5ToFullIndex(0xC8FE), 6279);
  EXPECT_EQ(Big5ToFullIndex(0xFA40), 13973);
  EXPECT_EQ(Big5ToFullIndex(0xFEFE), 14757);
  EXPECT_EQ(Big5ToFullIndex(0x8E40), 14758);
  EXPECT_EQ(Big5ToFullIndex(0xA0FE), 17740);
  EXPECT_EQ(Big5ToFullIndex(0x8140), 17741);
  EXPECT_EQ(Big5ToFullIndex(0x8DFE), 19781);
  EXPECT_EQ(Big5ToFullIndex(0x8040), kNoCharacter);
  EXPECT_EQ(Big5ToFullIndex(0xFF40), kNoCharacter);
  EXPECT_EQ(Big5ToFullIndex(0xA17F), kNoCharacter);
  EXPECT_EQ(Big5ToFullIndex(0x0041), kNoCharacter);
}

TEST(CodeSpace, StandardAndMalformedCodesAreNotUserDefined) {
  EXPECT_EQ(Big5ToOrdinal(0xA440), std::nullopt);  // a standard character
  EXPECT_EQ(Big5ToOrdinal(0xC67E), std::nullopt);  // lower half of lead 0xC6
  EXPECT_EQ(Big5ToOrdinal(0xC6A0), std::nullopt);
  EXPECT_EQ(Big5ToOrdinal(0xC940), std::nullopt);
  EXPECT_EQ(Big5ToOrdinal(0xF9FE), std::nullopt);
  EXPECT_EQ(Big5ToOrdinal(0xFEFF), std::nullopt);
  EXPECT_EQ(Big5ToOrdinal(0x8140), 3768);
  EXPECT_EQ(Big5ToOrdinal(0xFEFE), 784);
  EXPECT_EQ(Big5ToCodeIndex(0xA440), kNoCharacter);
  EXPECT_EQ(Big5ToCodeIndex(0xC67E), kNoCharacter);
  EXPECT_EQ(Big5ToCodeIndex(0x81FF), kNoCharacter);
  EXPECT_EQ(OrdinalToBig5(EUDC_CHARACTER_COUNT), kNoCharacter);
  EXPECT_EQ(CodeIndexToBig5(EUDC_CHARACTER_COUNT), kNoCharacter);
}

TEST(CodeSpace, IsEudcCode) {
  EXPECT_TRUE(IsEudcCode(0xFA40));
  EXPECT_TRUE(IsEudcCode(0xC740));
  EXPECT_TRUE(IsEudcCode(0xC6A1));
  EXPECT_TRUE(IsEudcCode(0x8DFE));
  EXPECT_FALSE(IsEudcCode(0xC6A0));
  EXPECT_FALSE(IsEudcCode(0xFA7F));
  EXPECT_FALSE(IsEudcCode(0xA140));
  EXPECT_FALSE(IsEudcCode(0xFEFF));
  EXPECT_FALSE(IsEudcCode(0x813F));
}

TEST(CodeSpace, RangeTableAddsUpToTheCharacterCount) {
  unsigned total = 0;
  for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
    total += IsEudcCode(static_cast<std::uint16_t>(code)) ? 1 : 0;
  }
  EXPECT_EQ(total, EUDC_CHARACTER_COUNT);
  EXPECT_EQ(EudcCodeRange[0].first, 0xFA40);
  EXPECT_EQ(EudcCodeRange[3].last, 0xC8FE);
}

TEST(CodeSpace, OrdinalsRoundTripOverTheWholeArea) {
  std::set<std::uint16_t> codes;
  for (std::uint16_t ordinal = 0; ordinal < EUDC_CHARACTER_COUNT; ++ordinal) {
    const std::uint16_t code = OrdinalToBig5(ordinal);
    ASSERT_TRUE(IsEudcCode(code)) << "ordinal " << ordinal;
    ASSERT_EQ(Big5ToOrdinal(code), ordinal) << "ordinal " << ordinal;
    codes.insert(code);
  }
  EXPECT_EQ(codes.size(), EUDC_CHARACTER_COUNT);
}

TEST(CodeSpace, IndexesRoundTripAndFollowCodeOrder) {
  std::vector<std::uint16_t> by_index;
  for (std::uint16_t index = 0; index < EUDC_CHARACTER_COUNT; ++index) {
    const std::uint16_t code = CodeIndexToBig5(index);
    ASSERT_TRUE(IsEudcCode(code)) << "index " << index;
    ASSERT_EQ(Big5ToCodeIndex(code), index) << "index " << index;
    by_index.push_back(code);
  }
  std::vector<std::uint16_t> by_ordinal;
  for (std::uint16_t ordinal = 0; ordinal < EUDC_CHARACTER_COUNT; ++ordinal) {
    by_ordinal.push_back(OrdinalToBig5(ordinal));
  }
  std::sort(by_ordinal.begin(), by_ordinal.end());
  EXPECT_EQ(by_ordinal, by_index);
}

TEST(CodeSpace, EveryCodeThatIsNotUserDefinedHasNoOrdinalOrIndex) {
  for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
    const auto c = static_cast<std::uint16_t>(code);
    if (IsEudcCode(c)) continue;
    ASSERT_EQ(Big5ToOrdinal(c), std::nullopt) << std::hex << code;
    ASSERT_EQ(Big5ToCodeIndex(c), kNoCharacter) << std::hex << code;
  }
}

}  // namespace
}  // namespace pictor
