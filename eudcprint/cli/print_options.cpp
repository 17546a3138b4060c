#include "cli/print_options.h"

#include <cstddef>

#include "core/ascii.h"
#include "core/code_space.h"

namespace pictor::app {

const char* const kPrintUsage =
    "Usage: pictor-print (--association NAME | --font FILE [--name NAME]) --pdf OUT [--range FROM-TO]\n"
    "                    [--annotate] [--paper SIZE]\n"
    "  Prints the catalogue of the user-defined characters of an EUDC font to PDF: each character\n"
    "  boxed, with its Big5 code and, with --annotate, its input-method roots.\n"
    "  --association NAME  the EUDC font linked to a typeface in the registry, or the system\n"
    "                      default (標準造字), as the font-setting dialog lists them\n"
    "  --font FILE         an EUDC font file, named by the file's base name or --name NAME\n"
    "  --range FROM-TO     user-defined Big5 codes, e.g. FA40-FEFE (default: all 6217)\n"
    "  --annotate          roots of every Phonetic and Changjie input method found in the registry\n"
    "  --paper SIZE        A4, Letter, Legal, A3, B5, ... (default A4)\n"
    "  --pdf OUT           the PDF file to write\n"
    "  --help, --version\n"
    "  The registry is $PICTOR_REGISTRY, else $XDG_CONFIG_HOME/pictor/registry.reg. Prints the\n"
    "  page count and how many codes had no glyph in the font; exit status 0 when the PDF was\n"
    "  written, 1 when it could not be, 2 for a bad command line or an unknown association.\n";

namespace {

// Exactly four hexadecimal digits, as the range dialog's fields take a code.
std::optional<std::uint16_t> ParseCode(const std::string& text) {
  if (text.size() != 4) return std::nullopt;
  const auto value = ParseAsciiNumber(text, 16, 4);
  if (!value) return std::nullopt;
  return static_cast<std::uint16_t>(*value);
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

ParsedOptions ParsePrintOptions(const std::vector<std::string>& arguments) {
  ParsedOptions parsed;
  PrintOptions& options = parsed.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (arg == "-h" || arg == "--help") {
      options.help = true;
      return parsed;
    }
    if (arg == "--version") {
      options.version = true;
      return parsed;
    }
    if (arg == "--annotate") {
      options.annotate = true;
      continue;
    }
    std::string* value = nullptr;
    std::string rangeText;
    if (arg == "--association") value = &options.association;
    if (arg == "--font") value = &options.fontFile;
    if (arg == "--name") value = &options.displayName;
    if (arg == "--paper") value = &options.paper;
    if (arg == "--pdf") value = &options.pdfFile;
    if (arg == "--range") value = &rangeText;
    if (value == nullptr) {
      parsed.error = "unknown option " + arg;
      return parsed;
    }
    if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
      parsed.error = arg + " needs a value";
      return parsed;
    }
    *value = arguments[++i];
    if (value == &rangeText) {
      options.range = ParseCodeSpan(rangeText, parsed.error);
      if (!options.range) return parsed;
    }
  }
  if (options.fontFile.empty() == options.association.empty()) {
    parsed.error = "name the characters' font: --association NAME or --font FILE, one of the two";
  } else if (!options.association.empty() && !options.displayName.empty()) {
    parsed.error = "--name goes with --font; an association is titled with its own name";
  } else if (options.pdfFile.empty()) {
    parsed.error = "--pdf OUT is required: the PDF file to write";
  }
  return parsed;
}

}  // namespace pictor::app
