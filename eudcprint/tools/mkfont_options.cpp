#include "tools/mkfont_options.h"

#include <array>

#include "core/ascii.h"
#include "core/code_space.h"

namespace pictor::cli {
namespace {

constexpr std::array kOptions = {
    Option{"--family", "", "NAME", "family name, UTF-8 (default \"Pictor Test EUDC\")", OptionKind::kValue},
    Option{"--omit", "", "BIG5CODE",
           "leave these user-defined characters out (hexadecimal, e.g. FA40);\n"
           "\"--omit all\" leaves out every one",
           OptionKind::kValues},
    Option{"--big5-face", "", "",
           "also map the blocks of code page 950's characters to one plain glyph,\n"
           "so that font listings take the font for a Traditional Chinese typeface"},
    kHelpOption,
    kVersionOption,
};

constexpr std::array<std::string_view, 1> kUsages = {"OUT.ttf [--family NAME] [--omit BIG5CODE...] [--big5-face]"};

// A Big5 code in hexadecimal, with or without "0x".
std::optional<std::uint16_t> ParseHexCode(std::string_view text) {
  if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
  const auto value = ParseAsciiNumber(text, 16, 4);
  if (!value) return std::nullopt;
  return static_cast<std::uint16_t>(*value);
}

}  // namespace

ParsedMkfontOptions ParseMkfontOptions(const std::vector<std::string>& arguments) {
  return ParseProgramLine<ParsedMkfontOptions>(
      kOptions, arguments, [](const ParsedLine& line, MkfontOptions& options) -> std::string {
        if (std::string error = TakeOneOperand(line, options.output, "font file OUT.ttf to write"); !error.empty()) {
          return error;
        }
        options.family_name = line.Value("--family").value_or(options.family_name);
        options.big5_face = line.Has("--big5-face");
        for (const ParsedLine::Found& found : line.options) {
          if (found.option->name != "--omit") continue;
          for (const std::string& value : found.values) {
            if (value == "all") {
              options.omit_all = true;
              continue;
            }
            const auto code = ParseHexCode(value);
            if (!code || !IsEudcCode(*code)) return "not a user-defined Big5 code: " + value;
            options.omitted.push_back(*code);
          }
        }
        return {};
      });
}

ProgramHelp MkfontHelp() {
  return {"pictor-mkfont",
          kUsages,
          "Writes a generated TrueType font whose user-defined characters each have a glyph of their own.\n"
          "\n"
          "The user-defined characters are U+E000-U+F848, the 6217 Big5 codes 0xFA40-0xFEFE,\n"
          "0x8E40-0xA0FE, 0x8140-0x8DFE and 0xC6A1-0xC8FE; each glyph is a frame around the code point in\n"
          "bits, one hexadecimal digit per row.",
          kOptions,
          {{"Exit status",
            "  0  the font was written\n"
            "  2  the command line is wrong, or the font could not be built or written\n"}}};
}

}  // namespace pictor::cli
