#include "cli/print_options.h"

#include <array>
#include <cstddef>

#include "core/ascii.h"
#include "core/code_space.h"

namespace pictor::cli {
namespace {

constexpr std::array kOptions = {
    Option{"--association", "", "NAME",
           "the EUDC font linked to a typeface in the registry, or the system\n"
           "default (標準造字), as the font-setting dialog lists them",
           OptionKind::kValue},
    Option{"--font", "", "FILE", "an EUDC font file, named by the file's base name or --name NAME", OptionKind::kValue},
    Option{"--name", "", "NAME", "the name the title shows for --font", OptionKind::kValue},
    Option{"--range", "", "FROM-TO", "user-defined Big5 codes, e.g. FA40-FEFE (default: all 6217)", OptionKind::kValue},
    Option{"--annotate", "", "", "roots of every Phonetic and Changjie input method found in the registry"},
    Option{"--paper", "", "SIZE", "the paper, by one of the names under Paper sizes (default A4)", OptionKind::kValue},
    Option{"--pdf", "", "OUT", "the PDF file to write", OptionKind::kValue},
    kHelpOption,
    kVersionOption,
};

constexpr std::array<std::string_view, 1> kUsages = {
    "(--association NAME | --font FILE [--name NAME]) --pdf OUT [OPTION]...",
};

// Paper names wrap at this width, under an indent of two.
constexpr std::size_t kNamesPerLineWidth = 76;

// Exactly four hexadecimal digits, as the range dialog's fields take a code.
std::optional<std::uint16_t> ParseCode(const std::string& text) {
  if (text.size() != 4) return std::nullopt;
  const auto value = ParseAsciiNumber(text, 16, 4);
  if (!value) return std::nullopt;
  return static_cast<std::uint16_t>(*value);
}

std::string WrappedList(const std::vector<std::string>& names) {
  std::string text;
  std::string line = "  ";
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string item = names[i] + (i + 1 < names.size() ? "," : "");
    if (line.size() > 2 && line.size() + 1 + item.size() > kNamesPerLineWidth) {
      text += line + "\n";
      line = "  ";
    }
    if (line.size() > 2) line += ' ';
    line += item;
  }
  return text + line + "\n";
}

}  // namespace

std::optional<CodeSpan> ParseCodeSpan(const std::string& text, std::string& error) {
  const std::size_t dash = text.find('-');
  if (dash == std::string::npos) {
    error = "--range wants FROM-TO, two Big5 codes such as FA40-FEFE";
    return std::nullopt;
  }
  const std::string from = text.substr(0, dash);
  const std::string to = text.substr(dash + 1);
  const auto start = ParseCode(from);
  const auto end = ParseCode(to);
  if (!start || !end) {
    error = "--range wants two codes of exactly four hexadecimal digits, such as FA40-FEFE";
    return std::nullopt;
  }
  if (!IsEudcCode(*start) || !IsEudcCode(*end)) {
    error = (IsEudcCode(*start) ? to : from) + " is not a user-defined Big5 code";
    return std::nullopt;
  }
  if (*end < *start) {
    error = "the start code " + from + " is above the end code " + to;
    return std::nullopt;
  }
  return CodeSpan{*start, *end};
}

ParsedPrintOptions ParsePrintOptions(const std::vector<std::string>& arguments) {
  return ParseProgramLine<ParsedPrintOptions>(
      kOptions, arguments, [](const ParsedLine& line, PrintOptions& options) -> std::string {
        if (!line.operands.empty()) return "unexpected argument " + line.operands.front();
        options.association = line.Value("--association").value_or("");
        options.font_file = line.Value("--font").value_or("");
        options.displayName = line.Value("--name").value_or("");
        options.annotate = line.Has("--annotate");
        options.paper = line.Value("--paper").value_or(options.paper);
        options.pdf_file = line.Value("--pdf").value_or("");
        std::string error;
        if (const auto range = line.Value("--range")) {
          options.range = ParseCodeSpan(*range, error);
          if (!options.range) return error;
        }
        if (options.font_file.empty() == options.association.empty()) {
          return "name the characters' font: --association NAME or --font FILE, one of the two";
        }
        if (!options.association.empty() && !options.displayName.empty()) {
          return "--name goes with --font; an association is titled with its own name";
        }
        if (options.pdf_file.empty()) return "--pdf OUT is required: the PDF file to write";
        return {};
      });
}

ProgramHelp PrintHelp(const std::vector<std::string>& paper_names) {
  ProgramHelp help{"pictor-print",
                   kUsages,
                   "Prints the catalogue of the user-defined characters of an EUDC font to PDF. Each character is\n"
                   "boxed, with its Big5 code and, with --annotate, its roots in the input methods. It prints the\n"
                   "page count and how many codes had no glyph in the font, and replaces OUT only once the PDF is\n"
                   "complete.",
                   kOptions,
                   {}};
  help.sections.push_back({"Paper sizes",
                           "B4 and B5 are the JIS sizes (257 x 364 mm and 182 x 257 mm); ISOB4 and ISOB5 are the\n"
                           "ISO ones (250 x 353 mm and 176 x 250 mm). Names are taken in either letter case. Every\n"
                           "accepted name:\n" +
                               WrappedList(paper_names)});
  help.sections.push_back(
      {"Environment", "  PICTOR_REGISTRY  the registry file (default $XDG_CONFIG_HOME/pictor/registry.reg)\n"});
  help.sections.push_back({"Exit status",
                           "  0  the PDF was written\n"
                           "  1  it could not be written\n"
                           "  2  the command line is wrong, or names an unknown association\n"});
  return help;
}

}  // namespace pictor::cli
