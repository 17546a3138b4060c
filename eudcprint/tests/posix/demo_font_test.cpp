// The demonstration EUDC fonts: the TrueType reader against FreeType on the installed Han font,
// the composition of parts, and the fonts built from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tests/support/freetype_face.h"
// clang-format off
#include FT_OUTLINE_H
// clang-format on
#include "tools/fixtures/demo_data.h"
#include "tools/fixtures/eudc_font_builder.h"
#include "tools/fixtures/han_glyph_composer.h"
#include "tools/fixtures/truetype_reader.h"

namespace pictor::testsupport {
namespace {

using testing::Face;
using testing::OutlineText;

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Our outline in the form OutlineText gives FreeType's.
std::string OutlineText(const GlyphOutline& outline) {
  std::string text = std::to_string(outline.size()) + ":";
  for (const auto& contour : outline) {
    for (const OutlinePoint& p : contour) {
      text += std::to_string(p.x) + "," + std::to_string(p.y) + (p.on_curve ? "" : "~") + ";";
    }
  }
  return text;
}

std::size_t TableOffset(const std::vector<std::uint8_t>& font, std::string_view tag) {
  const std::size_t count = font.at(4) << 8 | font.at(5);
  for (std::size_t at = 12; at < 12 + 16 * count; at += 16) {
    if (std::string_view(reinterpret_cast<const char*>(&font.at(at)), 4) == tag) {
      return std::size_t{font.at(at + 8)} << 24 | font.at(at + 9) << 16 | font.at(at + 10) << 8 | font.at(at + 11);
    }
  }
  throw std::out_of_range(std::string(tag));
}

OutlineContour Box(int left, int bottom, int right, int top) {
  return {{left, bottom}, {left, top}, {right, top}, {right, bottom}};
}

#define SKIP_WITHOUT_HAN_FONT()                                                                  \
  if (!std::filesystem::exists(kDemoHanFontFile)) {                                              \
    GTEST_SKIP() << kDemoHanFontFile << " is not installed (Debian package fonts-arphic-uming)"; \
  }

TEST(TrueTypeReader, ReadsTheInstalledHanFontAsFreeTypeDoes) {
  SKIP_WITHOUT_HAN_FONT();
  const std::vector<std::uint8_t> bytes = ReadAll(std::string(kDemoHanFontFile));
  const TrueTypeReader reader(bytes, kDemoHanFontFamily);
  const std::vector<std::string> families = reader.FamilyNames();
  const auto index = std::find(families.begin(), families.end(), kDemoHanFontFamily) - families.begin();
  ASSERT_LT(static_cast<std::size_t>(index), families.size());
  const Face face(bytes, index);
  ASSERT_STREQ(face->family_name, std::string(kDemoHanFontFamily).c_str());
  EXPECT_EQ(reader.UnitsPerEm(), face->units_per_EM);
  EXPECT_EQ(reader.GlyphCount(), face->num_glyphs);

  // Han characters of one and many strokes, and letters with accents, which this font builds as
  // composite glyphs of a letter and a mark: contour for contour, point for point.
  for (char32_t c : {U'永', U'一', U'鑑', U'é', U'Ä', U'i'}) {
    SCOPED_TRACE(static_cast<unsigned>(c));
    const auto glyph = reader.GlyphIndex(c);
    ASSERT_TRUE(glyph);
    ASSERT_EQ(*glyph, FT_Get_Char_Index(face.Get(), c));
    const std::string expected = OutlineText(face, *glyph, true);
    EXPECT_EQ(OutlineText(reader.Outline(*glyph)), expected);
    EXPECT_EQ(reader.AdvanceWidth(*glyph), face->glyph->metrics.horiAdvance);
  }
  // é is e and an accent: more contours than e, and among its points all of e's, moved or not.
  const GlyphOutline e = reader.Outline(*reader.GlyphIndex(U'e'));
  const GlyphOutline accented = reader.Outline(*reader.GlyphIndex(U'é'));
  EXPECT_GT(accented.size(), e.size());
  EXPECT_FALSE(reader.GlyphIndex(0xE000));  // no private-use glyphs
}

TEST(TrueTypeReader, ReadsBackAGeneratedFontAndRefusesWhatIsNoFont) {
  // Curves: an off-curve point between on-curve ones, as the font builder writes it.
  const GlyphOutline drawn = {{{100, 0}, {100, 700}, {500, 900, false}, {900, 700}, {900, 0}}, Box(300, 100, 700, 500)};
  const DrawnGlyph glyph{0xE001, drawn};
  const std::vector<std::uint8_t> font = BuildTrueTypeFont({"x", {}, false}, {&glyph, 1});
  const TrueTypeReader reader(font);
  EXPECT_EQ(reader.UnitsPerEm(), kUnitsPerEm);
  ASSERT_TRUE(reader.GlyphIndex(0xE001));
  EXPECT_FALSE(reader.GlyphIndex(0xE000));
  EXPECT_EQ(reader.Outline(*reader.GlyphIndex(0xE001)), drawn);
  EXPECT_EQ(reader.AdvanceWidth(*reader.GlyphIndex(0xE001)), kUnitsPerEm);

  EXPECT_THROW(TrueTypeReader(font, "another family"), FontFormatError);
  EXPECT_THROW(TrueTypeReader(std::vector<std::uint8_t>(64, 0)), FontFormatError);
  EXPECT_THROW(TrueTypeReader::FromFile("/nonexistent/font.ttc"), std::system_error);
  // Cut inside the table directory or a table the reader needs (the tables follow the directory
  // of 10 entries, 172 bytes, in tag order: OS/2 of 96 bytes, then cmap).
  for (std::size_t size : {4, 40, 200}) {
    const std::vector<std::uint8_t> cut(font.begin(), font.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_THROW(TrueTypeReader{cut}, FontFormatError) << size;
  }
  // A glyph whose last contour claims 32768 points runs past the glyph data: refused, not read
  // past the end. Glyph 0 (.notdef, two contours) opens the glyf table.
  std::vector<std::uint8_t> bad = font;
  const std::size_t glyf = TableOffset(bad, "glyf");
  bad[glyf + 12] = 0x7F;
  bad[glyf + 13] = 0xFF;
  EXPECT_THROW(TrueTypeReader(bad).Outline(0), FontFormatError);
}

TEST(HanGlyphComposer, PartsEndAtTheFirstClearGapAndKeepCountersWithTheirStrokes) {
  // A radical [0, 200], a gap, then two strokes that overlap each other.
  const GlyphOutline split = {Box(0, 0, 200, 800), Box(300, 0, 700, 800), Box(600, 0, 1000, 400)};
  EXPECT_EQ(PartOf(split, GlyphSide::kLeft), (GlyphOutline{split[0]}));
  EXPECT_EQ(PartOf(split, GlyphSide::kRight), (GlyphOutline{split[1], split[2]}));
  // The same standing on end, cut from the top.
  const GlyphOutline stacked = {Box(0, 800, 800, 1000), Box(0, 100, 800, 700), Box(0, 0, 400, 300)};
  EXPECT_EQ(PartOf(stacked, GlyphSide::kTop), (GlyphOutline{stacked[0]}));
  EXPECT_EQ(PartOf(stacked, GlyphSide::kBottom), (GlyphOutline{stacked[1], stacked[2]}));

  // No gap: cut at 40 %; a counter near the right edge of a left stroke stays with that stroke.
  const GlyphOutline joined = {Box(0, 0, 600, 800), Box(500, 100, 590, 700), Box(550, 0, 1000, 800)};
  EXPECT_EQ(PartOf(joined, GlyphSide::kLeft), (GlyphOutline{joined[0], joined[1]}));
  EXPECT_EQ(PartOf(joined, GlyphSide::kRight), (GlyphOutline{joined[2]}));
}

TEST(HanGlyphComposer, TheSecondPartFillsFromTheFirstPartsEdgeToItsOwn) {
  const GlyphOutline left = {Box(50, 0, 300, 800)};
  const GlyphOutline right = {Box(500, 100, 1000, 900)};
  const GlyphOutline beside = SideBySide(left, right, 30);
  ASSERT_EQ(beside.size(), 2u);
  EXPECT_EQ(beside[0], left[0]);
  EXPECT_EQ(BoundsOf(beside[1]), (OutlineBounds{330, 100, 1000, 900}));

  const GlyphOutline top = {Box(0, 700, 1000, 900)};
  const GlyphOutline bottom = {Box(100, -100, 900, 300)};
  const GlyphOutline above = Stacked(top, bottom, 30);
  EXPECT_EQ(above[0], top[0]);
  EXPECT_EQ(BoundsOf(above[1]), (OutlineBounds{100, -100, 900, 670}));
}

TEST(DemoEudcFonts, HoldCharactersComposedFromTheHanFont) {
  SKIP_WITHOUT_HAN_FONT();
  const DemoFontSet set = DemoEudcFonts();
  ASSERT_EQ(set.fallback_reason, "");
  ASSERT_EQ(set.fonts.size(), 3u);
  const std::size_t characters = kDemoCharactersFromFA40 + kDemoCharactersFrom8140 + kDemoCharactersFromC6A1;
  const std::vector<std::size_t> lacking = {0, 2, 4};  // eudc.tte has all; the others lack FA40... first
  const std::vector<std::uint8_t> dots = BuildTrueTypeFont({"x", {0xE000}, false});
  const Face dot_face(dots);
  const std::string dot_pattern = OutlineText(dot_face, 1);

  for (std::size_t f = 0; f < set.fonts.size(); ++f) {
    SCOPED_TRACE(set.fonts[f].file_name);
    const Face face(set.fonts[f].bytes);
    EXPECT_EQ(face->num_glyphs, static_cast<FT_Long>(characters - lacking[f] + 1));
    // 0xFA40 is U+E000, 0x8140 U+EEB8, 0xC6A1 U+F6B1: each area's first and last characters.
    std::set<std::string> outlines;
    for (char32_t first : {U'\uE000', U'\uEEB8', U'\uF6B1'}) {
      const std::size_t count = first == 0xE000   ? kDemoCharactersFromFA40
                                : first == 0xEEB8 ? kDemoCharactersFrom8140
                                                  : kDemoCharactersFromC6A1;
      EXPECT_EQ(FT_Get_Char_Index(face.Get(), first + count), 0u) << "one past the last";
      const auto skipped = static_cast<char32_t>(first == 0xE000 ? lacking[f] : 0);
      for (char32_t c = first + skipped; c < first + count; ++c) {
        const FT_UInt glyph = FT_Get_Char_Index(face.Get(), c);
        ASSERT_NE(glyph, 0u) << std::hex << static_cast<unsigned>(c);
        const std::string text = OutlineText(face, glyph);
        const FT_Outline& outline = face->glyph->outline;
        // Strokes of real characters: contours with curves, inside the em, drawn the way
        // TrueType fills; none the dot pattern, none twice.
        EXPECT_GE(outline.n_contours, 2);  // a part of each of two characters
        EXPECT_TRUE(std::any_of(outline.tags, outline.tags + outline.n_points,
                                [](char tag) { return FT_CURVE_TAG(tag) != FT_CURVE_TAG_ON; }));
        FT_BBox box;
        FT_Outline_Get_CBox(const_cast<FT_Outline*>(&outline), &box);
        EXPECT_GE(box.xMin, 0);
        EXPECT_LE(box.xMax, kUnitsPerEm);
        EXPECT_GE(box.yMin, kEmDescender);
        EXPECT_LE(box.yMax, kEmAscender);
        EXPECT_EQ(FT_Outline_Get_Orientation(const_cast<FT_Outline*>(&outline)), FT_ORIENTATION_TRUETYPE);
        EXPECT_NE(text, dot_pattern);
        EXPECT_TRUE(outlines.insert(text).second) << "drawn twice: " << std::hex << static_cast<unsigned>(c);
      }
    }
    if (lacking[f] > 0) {
      EXPECT_EQ(FT_Get_Char_Index(face.Get(), 0xE000), 0u) << "FA40 is left out";
    }
  }
}

TEST(DemoEudcFonts, WithoutTheHanFontFallBackToTheDotPatternAndSaySo) {
  const DemoFontSet set = DemoEudcFonts("/nonexistent/uming.ttc");
  EXPECT_NE(set.fallback_reason.find("/nonexistent/uming.ttc"), std::string::npos) << set.fallback_reason;
  ASSERT_EQ(set.fonts.size(), 3u);
  const Face face(set.fonts[0].bytes);
  EXPECT_EQ(face->num_glyphs, 6217 + 1);
  const std::vector<std::uint8_t> dots = BuildTrueTypeFont({"x", {0xE000}, false});
  EXPECT_EQ(OutlineText(face, FT_Get_Char_Index(face.Get(), 0xE000)), OutlineText(Face(dots), 1));
}

}  // namespace
}  // namespace pictor::testsupport
