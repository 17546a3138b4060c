// The fonts the pages and the window ask of the platform.
#include "core/page_fonts.h"

#include <gtest/gtest.h>

#include "core/eudc_association.h"

namespace pictor {
namespace {

constexpr std::string_view kMing = "\xb2\xd3\xa9\xfa\xc5\xe9";  // 細明體
constexpr std::string_view kKai = "\xbc\xd0\xb7\xa2\xc5\xe9";   // 標楷體

TEST(PageFonts, HeightsAndFacesFollowThePage) {
  // The system default association is drawn in 細明體, its name compared without ASCII case.
  EXPECT_EQ(CharacterFontRequest("\xbc\xd0\xb7\xc7\xb3\x79\xa6\x72").face, kMing);  // 標準造字
  EXPECT_EQ(CharacterFontRequest(kKai).face, kKai);
  EXPECT_EQ(CharacterFontRequest(kKai).height, 64);
  EXPECT_EQ(TextFontRequest().face, kMing);
  EXPECT_EQ(TextFontRequest().height, 32);
  EXPECT_EQ(WindowFontRequest(kKai).face, kKai);
  EXPECT_EQ(WindowFontRequest(kKai).height, 32);
}

TEST(PageFonts, EveryFontSharesTheSameSettings) {
  for (const PageFontRequest& font : {CharacterFontRequest(kKai), TextFontRequest(), WindowFontRequest(kKai)}) {
    EXPECT_EQ(font.width, 0);
    EXPECT_EQ(font.escapement, 0);
    EXPECT_EQ(font.orientation, 0);
    EXPECT_EQ(font.weight, 400);
    EXPECT_FALSE(font.italic || font.underline || font.strike_out);
    EXPECT_EQ(font.charset, 136);
    EXPECT_EQ(font.out_precision, 3);
    EXPECT_EQ(font.clip_precision, 2);
    EXPECT_EQ(font.quality, 1);
    EXPECT_EQ(font.pitch_and_family, 49);
  }
}

}  // namespace
}  // namespace pictor
