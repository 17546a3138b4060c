// A font file's tables and family name, read from generated fonts, a collection holding one, and
// damaged files.
#include "core/font_file_tables.h"

#include <gtest/gtest.h>

#include <vector>

#include "tools/fixtures/eudc_font_builder.h"

namespace pictor {
namespace {

std::vector<std::uint8_t> Font(const std::string& family) {
  return testsupport::BuildTrueTypeFont({family, {0xE000}, false});
}

// The font as the only font of a collection: a 16-byte collection header before it, so every
// table lies 16 bytes further into the file.
std::vector<std::uint8_t> Collection(std::vector<std::uint8_t> font) {
  const std::vector<std::uint8_t> header = {'t', 't', 'c', 'f', 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 16};
  const std::size_t tables = font[4] << 8 | font[5];
  for (std::size_t i = 0; i < tables; ++i) {
    std::uint8_t* offset = &font[12 + i * 16 + 8];
    const std::uint32_t moved = (std::uint32_t{offset[0]} << 24 | offset[1] << 16 | offset[2] << 8 | offset[3]) + 16;
    for (int b = 0; b < 4; ++b) offset[b] = static_cast<std::uint8_t>(moved >> (24 - 8 * b));
  }
  font.insert(font.begin(), header.begin(), header.end());
  return font;
}

TEST(FontFileTables, FindsTablesAndTheFamilyName) {
  const std::vector<std::uint8_t> latin = Font("EUDC 1");
  const std::vector<std::uint8_t> chinese = Font("\xe7\xb4\xb0\xe6\x98\x8e\xe9\xab\x94");  // 細明體
  EXPECT_EQ(FontFamilyName(latin), u"EUDC 1");
  EXPECT_EQ(FontFamilyName(chinese), u"\u7d30\u660e\u9ad4");
  const auto head = FindFontTable(latin, "head");
  ASSERT_TRUE(head);
  EXPECT_EQ(head->size(), 54u);
  EXPECT_EQ((*head)[12], 0x5F);  // the header's magic number 0x5F0F3CF5
  EXPECT_FALSE(FindFontTable(latin, "CFF "));
  EXPECT_FALSE(FindFontTable(latin, "head2"));

  const std::vector<std::uint8_t> collection = Collection(latin);
  EXPECT_EQ(FontFamilyName(collection), u"EUDC 1");
  const auto moved_head = FindFontTable(collection, "head");
  ASSERT_TRUE(moved_head);
  EXPECT_TRUE(std::equal(head->begin(), head->end(), moved_head->begin(), moved_head->end()));
}

TEST(FontFileTables, ADamagedFileHasNoName) {
  const std::vector<std::uint8_t> font = Font("EUDC 1");
  EXPECT_FALSE(FontFamilyName(std::vector<std::uint8_t>{'n', 'o', 't'}));
  EXPECT_FALSE(FontFamilyName({}));
  // Cut inside the table directory, and inside the name table's strings.
  EXPECT_FALSE(FontFamilyName(std::span(font).first(40)));
  const auto name = FindFontTable(font, "name");
  ASSERT_TRUE(name);
  const std::size_t name_end = static_cast<std::size_t>(name->data() + name->size() - font.data());
  EXPECT_FALSE(FontFamilyName(std::span(font).first(name_end - 1)));
}

}  // namespace
}  // namespace pictor
