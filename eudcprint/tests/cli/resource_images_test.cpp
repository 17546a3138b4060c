// The Windows forms of the resource pictures, against hand-made bytes: which header fields, which
// palette index, which nibble, which row first, the padding, and the icon's mask.
#include "tools/resource_images.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace pictor::resources {
namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// Three pixels by two: the top row white, navy, white; the bottom row grey, white, transparent or
// silver.
XpmPicture Small(const char* last) {
  const char* const lines[] = {"3 2 4 1", ". c #FFFFFF", "n c #000080", "g c #808080", last, ".n.", "g.x"};
  return ParseXpm(lines);
}

TEST(ResourceImages, ABitmapHasSixteenColoursFourBitsAPixelAndRowsFromTheBottom) {
  const std::vector<std::uint8_t> bmp = SixteenColourBitmap(Small("x c #C0C0C0"));
  // 14 + 40 + 64 bytes of headers and colours, then two rows of 3 nibbles padded to 4 bytes.
  ASSERT_EQ(bmp.size(), 14u + 40u + 64u + 8u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Read32(bmp, 2), bmp.size());
  EXPECT_EQ(Read32(bmp, 10), 118u);  // where the pixels start
  EXPECT_EQ(Read32(bmp, 14), 40u);
  EXPECT_EQ(Read32(bmp, 18), 3u);
  EXPECT_EQ(Read32(bmp, 22), 2u);                 // positive: bottom-up
  EXPECT_EQ(bmp[28], 4);                          // bits a pixel
  EXPECT_EQ(Read32(bmp, 54 + 4 * 4), 0x000080u);  // colour 4, navy: blue, green, red, 0
  // Bottom row first: grey (7), white (15), silver (8); then white, navy (4), white.
  const std::vector<std::uint8_t> rows(bmp.begin() + 118, bmp.end());
  EXPECT_EQ(rows, (std::vector<std::uint8_t>{0x7F, 0x80, 0, 0, 0xF4, 0xF0, 0, 0}));
}

TEST(ResourceImages, AnIconKeepsTheTransparentPixelsInItsMask) {
  const std::vector<std::uint8_t> ico = SixteenColourIcon(Small("x c None"));
  // Directory (6), entry (16), header (40), colours (64), colour rows (8), mask rows (2 x 4).
  ASSERT_EQ(ico.size(), 6u + 16u + 40u + 64u + 8u + 8u);
  EXPECT_EQ(ico[2], 1);  // an icon
  EXPECT_EQ(ico[4], 1);  // one image
  EXPECT_EQ(ico[6], 3);
  EXPECT_EQ(ico[7], 2);
  EXPECT_EQ(ico[8], 16);
  EXPECT_EQ(Read32(ico, 14), ico.size() - 22);
  EXPECT_EQ(Read32(ico, 18), 22u);
  EXPECT_EQ(Read32(ico, 22 + 8), 4u);  // colour rows and mask rows
  const std::vector<std::uint8_t> tail(ico.end() - 16, ico.end());
  // The transparent pixel is black in the colour rows and set in the mask's first (bottom) row.
  EXPECT_EQ(tail, (std::vector<std::uint8_t>{0x7F, 0x00, 0, 0, 0xF4, 0xF0, 0, 0, 0x20, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ResourceImages, RefusesWhatItCannotWrite) {
  EXPECT_THROW(SixteenColourBitmap(Small("x c None")), std::invalid_argument);
  EXPECT_THROW(SixteenColourBitmap(Small("x c #123456")), std::invalid_argument);
  const char* const short_row[] = {"3 1 1 1", ". c #FFFFFF", ".."};
  EXPECT_THROW(ParseXpm(short_row), std::invalid_argument);
  const char* const two_characters[] = {"1 1 1 2", ".. c #FFFFFF", ".."};
  EXPECT_THROW(ParseXpm(two_characters), std::invalid_argument);
  const char* const unknown_key[] = {"1 1 1 1", ". c #FFFFFF", "x"};
  EXPECT_THROW(ParseXpm(unknown_key), std::invalid_argument);
}

}  // namespace
}  // namespace pictor::resources
