#include "cns_coder.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Decodes the whole text (which ends at its first zero), one character after another.
std::vector<Bytes> DecodeAll(CnsCoder& coder, const Bytes& text) {
  std::vector<Bytes> chars;
  std::size_t i = 0;
  while (i < text.size()) {
    const DecodedChar d = coder.Decode(std::span<const std::uint8_t>(text).subspan(i));
    if (d.length == 0) break;
    chars.emplace_back(d.bytes.begin(), d.bytes.begin() + d.length);
    i += d.taken;
  }
  return chars;
}

Bytes EncodeAll(CnsCoder& coder, const std::vector<Bytes>& chars) {
  Bytes out;
  for (const Bytes& c : chars) {
    std::uint8_t buffer[CnsCoder::kMaxEncodedLength];
    const std::size_t n = coder.Encode(c[0], c[1], c.size() > 2 ? c[2] : 0, buffer);
    out.insert(out.end(), buffer, buffer + n);
  }
  return out;
}

TEST(CnsDecoder, ShiftOutCharacterThenShiftInByte) {
  CnsCoder coder;
  EXPECT_EQ(DecodeAll(coder, {0x0E, 0x44, 0x21, 0x0F, 0x41}), (std::vector<Bytes>{{1, 0x44, 0x21}, {0, 0x41}}));
}

TEST(CnsDecoder, SingleShiftAppliesToOneCharacterOnly) {
  CnsCoder coder;
  EXPECT_EQ(DecodeAll(coder, {0x1B, 0x4E, 0x44, 0x21, 0x42}), (std::vector<Bytes>{{2, 0x44, 0x21}, {0, 0x42}}));
}

TEST(CnsDecoder, DesignationToG3AndSingleShift3) {
  CnsCoder coder;
  EXPECT_EQ(DecodeAll(coder, {0x1B, 0x24, 0x2B, 0x49, 0x1B, 0x4F, 0x21, 0x21}), (std::vector<Bytes>{{3, 0x21, 0x21}}));
  EXPECT_EQ(coder.State().designation[3], 3);
}

TEST(CnsDecoder, LockingShiftsStayUntilTheNextShift) {
  CnsCoder coder;
  EXPECT_EQ(DecodeAll(coder, {0x1B, 0x6E, 0x21, 0x22, 0x23, 0x24, 0x0F, 0x41}),
            (std::vector<Bytes>{{2, 0x21, 0x22}, {2, 0x23, 0x24}, {0, 0x41}}));
}

TEST(CnsDecoder, BadEscapeSequencesHandOnTheFirstByte) {
  CnsCoder coder;
  // Byte after 1B 24 not 29, 2A or 2B: error 3 and 1B handed on; the sequence is 1B 24 28, so 42
  // is read as a byte of its own.
  const Bytes bad3{0x1B, 0x24, 0x28, 0x42};
  DecodedChar d = coder.Decode(bad3);
  EXPECT_EQ(coder.State().error, 3);
  EXPECT_EQ(d.length, 1);
  EXPECT_EQ(d.bytes[0], 0x1B);
  EXPECT_EQ(d.taken, 3u);

  const Bytes bad4{0x1B, 0x24, 0x29, 0x57, 0x41};
  d = coder.Decode(bad4);
  EXPECT_EQ(coder.State().error, 4);
  EXPECT_EQ(d.taken, 4u);
  EXPECT_EQ(coder.State().designation[1], 1);

  const Bytes bad2{0x1B, 0x41};
  d = coder.Decode(bad2);
  EXPECT_EQ(coder.State().error, 2);
  EXPECT_EQ(d.taken, 2u);
  EXPECT_EQ(d.bytes[0], 0x1B);
}

TEST(CnsDecoder, EscapeAtTheEndTakesTheTerminatingZero) {
  CnsCoder coder;
  const Bytes text{0x41, 0x1B, 0x00, 0x42};
  const DecodedChar a = coder.Decode(std::span<const std::uint8_t>(text));
  EXPECT_EQ(a.taken, 1u);
  const DecodedChar esc = coder.Decode(std::span<const std::uint8_t>(text).subspan(1));
  EXPECT_EQ(esc.length, 1);
  EXPECT_EQ(esc.bytes[0], 0x1B);
  EXPECT_EQ(esc.taken, 2u);  // the zero counts as a byte of the sequence
  EXPECT_EQ(coder.State().error, 2);
}

TEST(CnsDecoder, OnlyShiftsLeftHandsOnTheFirstByte) {
  CnsCoder coder;
  const Bytes text{0x0F};
  const DecodedChar d = coder.Decode(text);
  EXPECT_EQ(d.length, 1);
  EXPECT_EQ(d.bytes[0], 0x0F);
  EXPECT_EQ(d.taken, 1u);
  EXPECT_EQ(coder.Decode(Bytes{}).length, 0);
  EXPECT_EQ(coder.Decode(Bytes{0x00, 0x41}).length, 0);
}

TEST(CnsDecoder, CharacterCutOffAtTheEndIsHeldForTheNextRead) {
  CnsCoder coder;
  const DecodedChar cut = coder.Decode(Bytes{0x0E, 0x44});
  EXPECT_EQ(cut.length, 2);
  EXPECT_EQ(cut.bytes[0], 0xFF);
  EXPECT_EQ(cut.bytes[1], 0x44);
  EXPECT_EQ(cut.taken, 2u);
  EXPECT_EQ(coder.State().pending_byte, 0x44);
  // The held byte becomes the first byte of the next character and is not counted as taken.
  const DecodedChar next = coder.Decode(Bytes{0x21, 0x30});
  EXPECT_EQ(next.length, 3);
  EXPECT_EQ(next.bytes, (std::array<std::uint8_t, 3>{1, 0x44, 0x21}));
  EXPECT_EQ(next.taken, 1u);
  EXPECT_EQ(coder.State().pending_byte, 0);
}

TEST(CnsDecoder, ContinuedTextWaitsInsteadOfCuttingOff) {
  CnsCoder coder;
  coder.Decode(Bytes{0x0E, 0x41, 0x42});  // leaves shift at 1
  const auto before = coder.State();
  for (const Bytes& partial : {Bytes{0x44}, Bytes{0x1B}, Bytes{0x1B, 0x24}, Bytes{0x1B, 0x24, 0x2B}, Bytes{0x0F}}) {
    const DecodedChar d = coder.Decode(partial, true);
    EXPECT_TRUE(d.need_more);
    EXPECT_EQ(d.taken, 0u);
    EXPECT_EQ(coder.State(), before);
  }
  // A zero byte is a real end even when more text follows it.
  EXPECT_FALSE(coder.Decode(Bytes{0x44, 0x00, 0x21}, true).need_more);
}

TEST(CnsEncoder, PlanesOneTwoThreeFourThenASingleByte) {
  CnsCoder coder;
  EXPECT_EQ(EncodeAll(coder, {{1, 0x44, 0x21}, {3, 0x21, 0x21}, {4, 0x21, 0x22}, {0, 0x0D}}),
            (Bytes{0x0E, 0x44, 0x21, 0x1B, 0x24, 0x2B, 0x49, 0x1B, 0x4F, 0x21, 0x21,
                   0x1B, 0x24, 0x2B, 0x4A, 0x1B, 0x4F, 0x21, 0x22, 0x0F, 0x0D}));
}

TEST(CnsEncoder, PlaneThreeTwiceIsDesignatedOnce) {
  CnsCoder coder;
  EXPECT_EQ(EncodeAll(coder, {{3, 0x21, 0x21}, {3, 0x21, 0x22}}),
            (Bytes{0x1B, 0x24, 0x2B, 0x49, 0x0E, 0x1B, 0x4F, 0x21, 0x21, 0x1B, 0x4F, 0x21, 0x22}));
}

TEST(CnsEncoder, PlaneTwoUsesSingleShift2AndPlane3ReturnsAfterPlane4) {
  CnsCoder coder;
  EXPECT_EQ(EncodeAll(coder, {{2, 0x21, 0x21}, {3, 0x22, 0x22}, {4, 0x23, 0x23}, {3, 0x24, 0x24}}),
            (Bytes{0x0E, 0x1B, 0x4E, 0x21, 0x21,                    //
                   0x1B, 0x24, 0x2B, 0x49, 0x1B, 0x4F, 0x22, 0x22,  //
                   0x1B, 0x24, 0x2B, 0x4A, 0x1B, 0x4F, 0x23, 0x23,  //
                   0x1B, 0x24, 0x2B, 0x49, 0x1B, 0x4F, 0x24, 0x24}));
  EXPECT_EQ(coder.State().plane_set[4], -1);
  EXPECT_EQ(coder.State().g3_plane, 3);
}

TEST(CnsEncoder, SingleBytesNeedNoShiftFromTheStart) {
  CnsCoder coder;
  EXPECT_EQ(EncodeAll(coder, {{0, 0x41}, {0, 0x42}}), (Bytes{0x41, 0x42}));
}

TEST(CnsEncoder, PlaneAboveSixteenIsWrittenAsTheSubstitute) {
  CnsCoder coder;
  EXPECT_EQ(EncodeAll(coder, {{17, 0x21, 0x21}, {0xFF, 0x44, 0x21}}), (Bytes{0x0E, 0x21, 0x7B, 0x21, 0x7B}));
}

TEST(CnsCoder, EncodedTextOfEveryPlaneDecodesBack) {
  std::vector<Bytes> chars;
  for (std::uint8_t plane = 1; plane <= 16; ++plane)
    for (std::uint8_t b = 0x21; b <= 0x7E; b += 31)
      chars.push_back({plane, b, static_cast<std::uint8_t>(0x7E - b + 0x21)});
  chars.push_back({0, 0x41});
  chars.push_back({5, 0x30, 0x31});
  chars.push_back({1, 0x30, 0x31});
  CnsCoder encoder;
  const Bytes text = EncodeAll(encoder, chars);
  CnsCoder decoder;
  EXPECT_EQ(DecodeAll(decoder, text), chars);
}

TEST(CnsCoder, ResetRestoresTheInitialState) {
  CnsCoder coder;
  std::uint8_t out[16];
  coder.Encode(5, 0x21, 0x21, out);
  coder.Decode(Bytes{0x1B, 0x24, 0x29, 0x50, 0x0E, 0x44});
  coder.Reset();
  EXPECT_EQ(coder.State(), Iso2022CnsState{});
  EXPECT_EQ(coder.State().plane_set[3], -1);
  EXPECT_EQ(coder.State().designation[2], 2);
}

}  // namespace
}  // namespace tessel
