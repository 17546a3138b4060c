// The resource files' text: string literals byte for byte, and every number of the core's tables
// defined in resource.h. That the committed files are what the tables give is the test
// quillon_resources_current; that windres reads them as the core's texts, the Windows test of the
// string table.

#include "tools/resource_files.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "core/error_texts.h"
#include "core/form_layout.h"
#include "core/form_texts.h"
#include "core/program_icon.h"
#include "tools/icon_image.h"

namespace quillon::tools {
namespace {

TEST(ResourceFiles, StringLiteralsDoubleQuotesAndEscapeBackslashes) {
  EXPECT_EQ(ScriptString("'%s' is not"), "\"'%s' is not\"");
  EXPECT_EQ(ScriptString("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(ScriptString("C:\\x"), "\"C:\\\\x\"");
  EXPECT_EQ(ScriptString("a\nb\tc"), "\"a\\nb\\tc\"");
  EXPECT_EQ(ScriptString("\xE5\x81\x9C\xE6\xAD\xA2"), "\"\xE5\x81\x9C\xE6\xAD\xA2\"");  // 停止, UTF-8 as it is
  EXPECT_EQ(ScriptString(""), "\"\"");
}

TEST(ResourceFiles, HeaderDefinesEveryNumberAndTheScriptUsesEachText) {
  const std::string header = ResourceHeader();
  const std::string script = ResourceScript();
  const auto defines = [&](std::string_view symbol, int value) {
    return header.find("#define " + std::string(symbol) + " " + std::to_string(value) + "\n") != std::string::npos;
  };
  for (const ControlSpec& control : MainWindow().controls) {
    EXPECT_TRUE(defines(control.symbol, control.id)) << control.symbol;
    for (const RadioItem& item : control.items) EXPECT_TRUE(defines(item.symbol, item.id)) << item.symbol;
  }
  for (const TextEntry& entry : FormTexts()) {
    EXPECT_TRUE(defines(entry.symbol, static_cast<int>(entry.id))) << entry.symbol;
    EXPECT_NE(script.find("  " + std::string(entry.symbol) + " \""), std::string::npos) << entry.symbol;
  }
  for (const ErrorTextEntry& entry : ErrorTexts()) {
    EXPECT_TRUE(defines(entry.symbol, entry.id)) << entry.symbol;
    EXPECT_NE(script.find("  " + std::string(entry.symbol) + " " + ScriptString(entry.text) + "\n"), std::string::npos);
  }
  EXPECT_NE(script.find("\nLANGUAGE LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL\n"), std::string::npos);
  EXPECT_NE(script.find("  IDS_CAPTION \"\xE9\x87\x8D\xE6\x96\xB0\xE5\x91\xBD\xE5\x90\x8D\xE7\xA8\x8B\xE5\xBC\x8F\"\n"),
            std::string::npos);  // 重新命名程式
}

TEST(ResourceFiles, TheScriptNamesTheIconAndTheProcessManifest) {
  EXPECT_NE(ResourceHeader().find("#define IDI_PROGRAM " + std::to_string(kProgramIconId) + "\n"), std::string::npos);
  const std::string script = ResourceScript();
  EXPECT_NE(script.find("\nIDI_PROGRAM ICON \"quillon.ico\"\n"), std::string::npos);
  EXPECT_NE(script.find("\n1 24 \"quillon.manifest\"\n"), std::string::npos);  // RT_MANIFEST, read at start
  const std::string manifest = Manifest();
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("processorArchitecture=\"x86\" publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
}

// The pixel at x, y as blue, green, red, alpha.
std::array<int, 4> Pixel(const IconImage& image, int x, int y) {
  const auto at = static_cast<std::size_t>((y * image.size + x) * 4);
  return {image.bgra[at], image.bgra[at + 1], image.bgra[at + 2], image.bgra[at + 3]};
}

TEST(IconImage, ShapesArePaintedInOrderOnATransparentSquare) {
  const IconImage image = RenderIcon(ProgramIcon(), 32);
  ASSERT_EQ(image.bgra.size(), 32u * 32 * 4);
  EXPECT_EQ(Pixel(image, 0, 0)[3], 0);  // outside the sheet
  EXPECT_EQ(Pixel(image, 31, 31)[3], 0);
  EXPECT_EQ(Pixel(image, 5, 25), (std::array<int, 4>{230, 250, 255, 255}));  // the sheet's paper
  EXPECT_EQ(Pixel(image, 7, 11), (std::array<int, 4>{30, 30, 150, 255}));    // the box, pen 2 on x = 7
  EXPECT_EQ(Pixel(image, 20, 21), (std::array<int, 4>{160, 90, 30, 255}));   // the arrow over the paper
  EXPECT_EQ(Pixel(image, 27, 21), (std::array<int, 4>{160, 90, 30, 255}));   // and beyond the sheet
  // A one-pixel pen on a pixel boundary covers half of the pixels on each side.
  const std::array<int, 4> edge = Pixel(image, 2, 15);
  EXPECT_EQ(edge[3], 128);
  EXPECT_EQ((std::array<int, 3>{edge[0], edge[1], edge[2]}), (std::array<int, 3>{60, 60, 60}));
  // Half the size: the sheet's paper is still there, in the middle of the left half.
  EXPECT_EQ(RenderIcon(ProgramIcon(), 16).bgra.size(), 16u * 16 * 4);
  EXPECT_EQ(Pixel(RenderIcon(ProgramIcon(), 48), 8, 38), (std::array<int, 4>{230, 250, 255, 255}));
}

std::uint32_t U32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = (value << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

TEST(IconImage, TheIconFileListsEachImageWithAMaskOfItsTransparentPixels) {
  const std::string file = ProgramIconFile();
  ASSERT_GE(file.size(), 6u + 3 * 16);
  EXPECT_EQ(file.substr(0, 6), std::string("\0\0\1\0\3\0", 6));
  std::size_t expected_offset = 6 + 3 * 16;
  for (std::size_t i = 0; i < 3; ++i) {
    const std::size_t entry = 6 + 16 * i;
    const int size = static_cast<std::uint8_t>(file[entry]);
    EXPECT_EQ(size, kIconSizes[i]);
    EXPECT_EQ(static_cast<std::uint8_t>(file[entry + 1]), size);
    EXPECT_EQ(file[entry + 6], 32);  // bits a pixel
    const std::uint32_t length = U32(file, entry + 8);
    const std::uint32_t offset = U32(file, entry + 12);
    EXPECT_EQ(offset, expected_offset);
    const auto mask_row = static_cast<std::uint32_t>((size + 31) / 32 * 4);
    EXPECT_EQ(length, 40 + static_cast<std::uint32_t>(size * size * 4) + mask_row * static_cast<std::uint32_t>(size));
    EXPECT_EQ(U32(file, offset), 40u);
    EXPECT_EQ(U32(file, offset + 8), static_cast<std::uint32_t>(size * 2));  // colour rows and mask rows
    // The mask's last row is the image's top row: its first pixel is transparent, so its bit is set.
    const std::size_t mask = offset + 40 + static_cast<std::size_t>(size * size * 4);
    EXPECT_EQ(static_cast<std::uint8_t>(file[mask + mask_row * static_cast<std::size_t>(size - 1)]) & 0x80, 0x80);
    expected_offset += length;
  }
  EXPECT_EQ(file.size(), expected_offset);
}

}  // namespace
}  // namespace quillon::tools
