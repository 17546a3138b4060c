// pictor-mkfont: writes a generated TrueType font: an EUDC font with a glyph of its own for each
// user-defined character, and, with --big5-face, a stand-in for a Big5 typeface.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/code_space.h"
#include "tools/fixtures/eudc_font_builder.h"

namespace {

constexpr const char* kUsage =
    "usage: pictor-mkfont OUT.ttf [--family NAME] [--omit BIG5CODE...] [--big5-face]\n"
    "\n"
    "Writes a TrueType font whose user-defined characters (U+E000-U+F848, the 6217 Big5 codes\n"
    "0xFA40-0xFEFE, 0x8E40-0xA0FE, 0x8140-0x8DFE, 0xC6A1-0xC8FE) each have a glyph of their own:\n"
    "a frame around the code point in bits, one hexadecimal digit per row.\n"
    "\n"
    "  --family NAME        family name, UTF-8 (default \"Pictor Test EUDC\")\n"
    "  --omit BIG5CODE...   leave these user-defined characters out (hexadecimal, e.g. FA40);\n"
    "                       \"--omit all\" leaves out every one\n"
    "  --big5-face          also map the blocks of code page 950's characters to one plain glyph,\n"
    "                       so that font listings take the font for a Traditional Chinese typeface\n"
    "  --help               print this text\n";

std::optional<std::uint16_t> ParseHexCode(std::string_view text) {
  if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
  if (text.empty() || text.size() > 4) return std::nullopt;
  unsigned value = 0;
  for (char c : text) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return static_cast<std::uint16_t>(value);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "pictor-mkfont: %s\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  for (std::string_view arg : args) {
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  if (args.empty() || args[0].starts_with("-")) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string out(args[0]);
  pictor::testsupport::FontRequest request;
  request.familyName = "Pictor Test EUDC";
  std::vector<std::uint16_t> omitted;
  bool omitAll = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view option = args[i];
    if (option == "--family" && i + 1 < args.size()) {
      request.familyName = args[++i];
    } else if (option == "--big5-face") {
      request.coverTraditionalChinese = true;
    } else if (option == "--omit") {
      bool any = false;
      while (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
        const std::string_view value = args[++i];
        any = true;
        if (value == "all") {
          omitAll = true;
          continue;
        }
        const auto code = ParseHexCode(value);
        if (!code || !pictor::IsEudcCode(*code)) {
          return Fail("not a user-defined Big5 code: " + std::string(value));
        }
        omitted.push_back(*code);
      }
      if (!any) return Fail("--omit needs at least one code");
    } else {
      return Fail("bad option " + std::string(option) + " (see --help)");
    }
  }
  if (!omitAll) request.codePoints = pictor::testsupport::EudcCodePoints(omitted);

  std::vector<std::uint8_t> font;
  try {
    font = pictor::testsupport::BuildTrueTypeFont(request);
  } catch (const std::exception& e) {
    return Fail(e.what());
  }
  std::ofstream file(out, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(font.data()), static_cast<std::streamsize>(font.size()));
  file.close();
  if (!file) return Fail("cannot write " + out);
  std::printf("%s: %zu glyphs, %zu bytes\n", out.c_str(), request.codePoints.size(), font.size());
  return 0;
}
