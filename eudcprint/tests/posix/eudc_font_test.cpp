// The generated TrueType fonts, read back by a small table reader of our own, by FreeType and by
// fontconfig.
#include <gtest/gtest.h>

// In this order: fontconfig's FreeType header needs both before it.
// clang-format off
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include <fontconfig/fontconfig.h>
#include <fontconfig/fcfreetype.h>
// clang-format on

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/code_space.h"
#include "tests/support/freetype_face.h"
#include "tools/fixtures/eudc_font_builder.h"

namespace pictor::testsupport {
namespace {

using testing::Face;
using testing::OutlineText;

std::uint32_t Be16(const std::vector<std::uint8_t>& b, std::size_t at) { return (b.at(at) << 8) | b.at(at + 1); }
std::uint32_t Be32(const std::vector<std::uint8_t>& b, std::size_t at) { return (Be16(b, at) << 16) | Be16(b, at + 2); }

struct TableEntry {
  std::uint32_t checksum;
  std::uint32_t offset;
  std::uint32_t length;
};

std::map<std::string, TableEntry> ReadDirectory(const std::vector<std::uint8_t>& font) {
  std::map<std::string, TableEntry> tables;
  const std::uint32_t count = Be16(font, 4);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t at = 12 + 16 * i;
    tables[std::string(font.begin() + at, font.begin() + at + 4)] = {Be32(font, at + 4), Be32(font, at + 8),
                                                                     Be32(font, at + 12)};
  }
  return tables;
}

std::uint32_t WordSum(const std::vector<std::uint8_t>& b, std::size_t from, std::size_t length) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < length; i += 4) {
    std::uint32_t word = 0;
    for (std::size_t k = 0; k < 4; ++k) word = (word << 8) | (i + k < length ? b.at(from + i + k) : 0u);
    sum += word;
  }
  return sum;
}

std::vector<std::uint8_t> TableBytes(const std::vector<std::uint8_t>& font, const std::string& tag) {
  const TableEntry entry = ReadDirectory(font).at(tag);
  return {font.begin() + entry.offset, font.begin() + entry.offset + entry.length};
}

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

Pattern QueryFontconfig(const Face& face) {
  return Pattern(FcFreeTypeQueryFace(face.Get(), reinterpret_cast<const FcChar8*>("generated.ttf"), 0, nullptr));
}

std::vector<std::uint8_t> FullEudcFont(std::span<const std::uint16_t> omitted) {
  return BuildTrueTypeFont({"Pictor Test EUDC", EudcCodePoints(omitted), false});
}

constexpr std::array<std::uint16_t, 3> kOmitted = {0xFA40, 0xA0FE, 0xC8FE};

TEST(EudcFont, TablesAreAlignedInBoundsAndCheckSummed) {
  const std::vector<std::vector<std::uint8_t>> fonts = {
      FullEudcFont(kOmitted),
      BuildTrueTypeFont({"細明體", {}, true}),
      BuildTrueTypeFont({"x", {0xE000}, false}),
  };
  for (const auto& font : fonts) {
    ASSERT_EQ(Be32(font, 0), 0x00010000u);
    const auto tables = ReadDirectory(font);
    for (const char* tag : {"OS/2", "cmap", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "name", "post"}) {
      EXPECT_TRUE(tables.contains(tag)) << tag;
    }
    EXPECT_EQ(tables.size(), Be16(font, 4));
    for (const auto& [tag, entry] : tables) {
      EXPECT_EQ(entry.offset % 4, 0u) << tag;
      ASSERT_LE(std::size_t{entry.offset} + entry.length, font.size()) << tag;
      std::uint32_t sum = WordSum(font, entry.offset, entry.length);
      if (tag == "head") sum -= Be32(font, entry.offset + 8);  // its adjustment counts as 0
      EXPECT_EQ(sum, entry.checksum) << tag;
    }
    EXPECT_EQ(font.size() % 4, 0u);
    EXPECT_EQ(WordSum(font, 0, font.size()), 0xB1B0AFBAu);
  }
}

TEST(EudcFont, Os2AnnouncesTraditionalChineseAndPrivateUse) {
  const auto os2 = TableBytes(FullEudcFont({}), "OS/2");
  ASSERT_EQ(os2.size(), 96u);
  EXPECT_EQ(Be16(os2, 0), 4u);
  const std::vector<std::uint8_t> code_page_range1(os2.begin() + 78, os2.begin() + 82);
  EXPECT_EQ(code_page_range1, (std::vector<std::uint8_t>{0x00, 0x10, 0x00, 0x00}));
  EXPECT_EQ(Be32(os2, 46), 1u << 28);  // ulUnicodeRange2: Private Use Area (bit 60) only
  EXPECT_EQ(Be16(os2, 64), 0xE000u);
  EXPECT_EQ(Be16(os2, 66), 0xF848u);
}

TEST(EudcFont, CharacterMapOfTwoCodesIsByteExact) {
  const auto cmap = TableBytes(BuildTrueTypeFont({"x", {0xF848, 0xE000}, false}), "cmap");
  const std::vector<std::uint8_t> expected = {
      0x00, 0x00, 0x00, 0x02,                          // version, two encodings
      0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x14,  // Unicode BMP
      0x00, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x14,  // Windows Unicode BMP, same subtable
      0x00, 0x04, 0x00, 0x28, 0x00, 0x00,              // format 4, 40 bytes
      0x00, 0x06, 0x00, 0x04, 0x00, 0x01, 0x00, 0x02,  // three segments
      0xE0, 0x00, 0xF8, 0x48, 0xFF, 0xFF, 0x00, 0x00,  // end codes, pad
      0xE0, 0x00, 0xF8, 0x48, 0xFF, 0xFF,              // start codes
      0x20, 0x01, 0x07, 0xBA, 0x00, 0x01,              // U+E000 -> glyph 1, U+F848 -> glyph 2
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
  };
  EXPECT_EQ(cmap, expected);
}

TEST(EudcFont, EveryCharacterHasAnInkedGlyphOfItsOwn) {
  const auto bytes = FullEudcFont(kOmitted);
  const Face face(bytes);
  EXPECT_EQ(face->units_per_EM, kUnitsPerEm);
  EXPECT_TRUE(FT_IS_SCALABLE(face.Get()));
  EXPECT_EQ(face->num_glyphs, EUDC_CHARACTER_COUNT - static_cast<FT_Long>(kOmitted.size()) + 1);

  std::set<std::string> outlines;
  for (std::uint16_t ordinal = 0; ordinal < EUDC_CHARACTER_COUNT; ++ordinal) {
    const char32_t code_point = 0xE000 + char32_t{ordinal};
    const FT_UInt glyph = FT_Get_Char_Index(face.Get(), code_point);
    const bool omitted = std::find(kOmitted.begin(), kOmitted.end(), OrdinalToBig5(ordinal)) != kOmitted.end();
    if (omitted) {
      EXPECT_EQ(glyph, 0u) << "ordinal " << ordinal;
      continue;
    }
    ASSERT_NE(glyph, 0u) << "ordinal " << ordinal;
    const std::string text = OutlineText(face, glyph);
    const FT_Outline& outline = face->glyph->outline;
    // A frame of two contours and one square per set bit of the code point.
    ASSERT_EQ(outline.n_contours, 2 + std::popcount(static_cast<unsigned>(code_point))) << "ordinal " << ordinal;
    ASSERT_EQ(FT_Outline_Get_Orientation(const_cast<FT_Outline*>(&outline)), FT_ORIENTATION_TRUETYPE);
    outlines.insert(text);
  }
  EXPECT_EQ(outlines.size(), EUDC_CHARACTER_COUNT - kOmitted.size());
}

TEST(EudcFont, RenderedGlyphShowsInkAroundAnOpenCentre) {
  const auto bytes = BuildTrueTypeFont({"x", {0xE000, 0xF848}, false});
  const Face face(bytes);
  constexpr int kPixels = 64;
  ASSERT_EQ(FT_Set_Pixel_Sizes(face.Get(), 0, kPixels), 0);
  for (char32_t code_point : {U'\uE000', U'\uF848'}) {
    ASSERT_EQ(FT_Load_Char(face.Get(), code_point, FT_LOAD_RENDER | FT_LOAD_NO_HINTING), 0);
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    int ink = 0;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      for (unsigned col = 0; col < bitmap.width; ++col) ink += bitmap.buffer[row * bitmap.pitch + col] > 128;
    }
    const int area = static_cast<int>(bitmap.rows * bitmap.width);
    EXPECT_GT(ink, area / 10) << std::hex << static_cast<unsigned>(code_point);
    EXPECT_LT(ink, area * 9 / 10) << std::hex << static_cast<unsigned>(code_point);
    // The centre of the em (512, 384) lies between the bit cells: blank unless the frame's hole
    // runs the wrong way round and fills.
    const int col = 512 * kPixels / kUnitsPerEm - slot->bitmap_left;
    const int row = slot->bitmap_top - 384 * kPixels / kUnitsPerEm - 1;
    EXPECT_EQ(bitmap.buffer[row * bitmap.pitch + col], 0) << std::hex << static_cast<unsigned>(code_point);
  }
}

TEST(EudcFont, FamilyNameReadsBack) {
  struct Case {
    std::string utf8;
    std::string utf16be;  // as the name table must hold it
  };
  const std::vector<Case> cases = {
      {"EUDC 1", std::string("\0E\0U\0D\0C\0 \0"
                             "1",
                             12)},
      {"細明體", "\x7D\x30\x66\x0E\x9A\xD4"},
  };
  for (const auto& [family, utf16be] : cases) {
    const auto bytes = BuildTrueTypeFont({family, {0xE000}, false});
    const Face face(bytes);
    std::map<FT_UShort, std::string> names;
    for (FT_UInt i = 0; i < FT_Get_Sfnt_Name_Count(face.Get()); ++i) {
      FT_SfntName name;
      ASSERT_EQ(FT_Get_Sfnt_Name(face.Get(), i, &name), 0);
      ASSERT_EQ(name.platform_id, TT_PLATFORM_MICROSOFT);
      names[name.name_id].assign(reinterpret_cast<const char*>(name.string), name.string_len);
    }
    EXPECT_EQ(names[TT_NAME_ID_FONT_FAMILY], utf16be);
    EXPECT_EQ(names[TT_NAME_ID_FULL_NAME], utf16be);
    EXPECT_EQ(names[TT_NAME_ID_FONT_SUBFAMILY], std::string("\0R\0e\0g\0u\0l\0a\0r", 14));
    // PostScript names: ASCII letters, digits and '-', at most 63.
    const std::string& post_script = names[TT_NAME_ID_PS_NAME];
    EXPECT_TRUE(!post_script.empty() && post_script.size() <= 2 * 63);
    for (std::size_t i = 0; i + 1 < post_script.size(); i += 2) {
      EXPECT_TRUE(post_script[i] == 0 &&
                  (std::isalnum(static_cast<unsigned char>(post_script[i + 1])) || post_script[i + 1] == '-'))
          << "at " << i;
    }

    const Pattern pattern = QueryFontconfig(face);
    ASSERT_TRUE(pattern);
    FcChar8* fc_family = nullptr;
    ASSERT_EQ(FcPatternGetString(pattern.get(), FC_FAMILY, 0, &fc_family), FcResultMatch);
    EXPECT_EQ(reinterpret_cast<const char*>(fc_family), family);
  }
}

TEST(EudcFont, ChineseCoverMakesATraditionalChineseTypeface) {
  const auto bytes = BuildTrueTypeFont({"細明體", {0x4E00, 0xE000}, true});
  const Face face(bytes);
  const Pattern pattern = QueryFontconfig(face);
  ASSERT_TRUE(pattern);
  FcLangSet* langs = nullptr;
  ASSERT_EQ(FcPatternGetLangSet(pattern.get(), FC_LANG, 0, &langs), FcResultMatch);
  EXPECT_EQ(FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("zh-tw")), FcLangEqual);
  FcBool outline = FcFalse;
  ASSERT_EQ(FcPatternGetBool(pattern.get(), FC_OUTLINE, 0, &outline), FcResultMatch);
  EXPECT_TRUE(outline);

  const FT_UInt shared = FT_Get_Char_Index(face.Get(), U'\u4E01');
  ASSERT_NE(shared, 0u);
  for (char32_t c : {U'A', U'\u3105', U'\u9FA5', U'\uFA0C', U'\uFF01'})
    EXPECT_EQ(FT_Get_Char_Index(face.Get(), c), shared);
  // Listed code points keep their own glyphs inside the cover; spaces stay blank.
  EXPECT_NE(FT_Get_Char_Index(face.Get(), U'\u4E00'), shared);
  EXPECT_NE(FT_Get_Char_Index(face.Get(), U'\uE000'), 0u);
  EXPECT_EQ(FT_Get_Char_Index(face.Get(), U'\uE001'), 0u);
  const FT_UInt space = FT_Get_Char_Index(face.Get(), U' ');
  ASSERT_NE(space, 0u);
  EXPECT_EQ(FT_Get_Char_Index(face.Get(), U'\u3000'), space);
  ASSERT_EQ(FT_Load_Glyph(face.Get(), space, FT_LOAD_NO_SCALE), 0);
  EXPECT_EQ(face->glyph->outline.n_points, 0);
  EXPECT_EQ(face->glyph->advance.x, kUnitsPerEm);
}

TEST(EudcFont, RejectsWhatItCannotWrite) {
  for (char32_t c : {U'\xD800', U'\xDFFF', U'\xFFFF', U'\x10000'}) {
    EXPECT_THROW(BuildTrueTypeFont({"x", {c}, false}), std::invalid_argument) << std::hex << static_cast<unsigned>(c);
  }
  for (const char* family : {"", "\xFF", "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "abc\xE4\xB8"}) {
    EXPECT_THROW(BuildTrueTypeFont({family, {0xE000}, false}), std::invalid_argument) << family;
  }
  // Every other user-defined character: one character map segment each, too many beside the cover.
  std::vector<char32_t> scattered;
  for (char32_t c = 0xE000; c <= 0xF848; c += 2) scattered.push_back(c);
  EXPECT_THROW(BuildTrueTypeFont({"x", scattered, true}), std::length_error);
  EXPECT_NO_THROW(BuildTrueTypeFont({"x", scattered, false}));
}

TEST(EudcFont, EudcCodePointsLeaveOutOnlyTheGivenCharacters) {
  const auto all = EudcCodePoints();
  ASSERT_EQ(all.size(), EUDC_CHARACTER_COUNT);
  EXPECT_EQ(all.front(), 0xE000u);
  EXPECT_EQ(all.back(), 0xF848u);
  EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));

  const std::array<std::uint16_t, 4> omitted = {0xFA40, 0xC8FE, 0x8140, 0xA440};  // the last is standard
  const auto some = EudcCodePoints(omitted);
  EXPECT_EQ(some.size(), EUDC_CHARACTER_COUNT - 3u);
  for (char32_t gone : {U'\uE000', U'\uF848', char32_t{0xE000 + 3768}}) {
    EXPECT_FALSE(std::binary_search(some.begin(), some.end(), gone)) << std::hex << static_cast<unsigned>(gone);
  }
}

}  // namespace
}  // namespace pictor::testsupport
