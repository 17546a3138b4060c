#include "string_options.h"

#include <array>

#include "selector_names.h"

namespace tessel::tools {
namespace {

using toolkit::cli::ExitStatus;
using toolkit::cli::Option;

constexpr std::string_view kUsageLine = "tessel-string -f FROM -t TO [--input-hex HEX] [--hex] [TEXT]";

std::string SetSelector(std::optional<int>& selector, const std::string& name) {
  selector = SelectorByName(name);
  return selector ? "" : "unknown encoding '" + name + "'";
}

constexpr std::array<Option<StringOptions>, 6> kOptions = {{
    {"-f", "", "FROM", "the encoding of the text: cns, euc, big5, ucs, gbk",
     [](StringOptions& o, const std::string& value) { return SetSelector(o.from, value); }},
    {"-t", "", "TO", "the encoding to convert to",
     [](StringOptions& o, const std::string& value) { return SetSelector(o.to, value); }},
    {"--input-hex", "", "HEX", "the text as pairs of hexadecimal digits (blanks allowed)",
     [](StringOptions& o, const std::string& value) -> std::string {
       if (o.text) return "give one text only";
       o.text = BytesFromHex(value);
       return o.text ? "" : "--input-hex needs pairs of hexadecimal digits";
     }},
    toolkit::cli::FlagOption<StringOptions, &StringOptions::hex_output>(
        "--hex", "write the converted bytes in hexadecimal instead of as they are"),
    toolkit::cli::HelpOption<StringOptions>("show this help and exit (also -h)"),
    toolkit::cli::VersionOption<StringOptions>("show the version and exit"),
}};

constexpr std::array<ExitStatus, 3> kExitStatuses = {{
    {0, "the text was converted"},
    {1, "the library refused the conversion"},
    {2, "the command line is wrong"},
}};

constexpr std::size_t kHelpColumn = 19;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> BytesFromHex(std::string_view hex) {
  std::string bytes;
  int high = -1;
  for (const char c : hex) {
    if (c == ' ') continue;
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    if (high < 0) {
      high = digit;
    } else {
      bytes += static_cast<char>(high << 4 | digit);
      high = -1;
    }
  }
  if (high >= 0) return std::nullopt;
  return bytes;
}

toolkit::cli::Parsed<StringOptions> ParseStringOptions(std::span<const std::string> arguments) {
  auto parsed = toolkit::cli::ReadArguments<StringOptions>(
      arguments, kOptions, [](StringOptions& o, const std::string& text) -> std::string {
        if (o.text) return "give one text only";
        o.text = text;
        return {};
      });
  const StringOptions& o = parsed.options;
  if (!parsed.error.empty() || o.help || o.version) return parsed;
  if (!o.from || !o.to) parsed.error = "both -f and -t are needed";
  return parsed;
}

std::string StringHelp() {
  return "Usage: " + std::string(kUsageLine) +
         "\n"
         "Converts one string through the tessel library's string conversion.\n"
         "\n"
         "The text is TEXT, or the bytes given with --input-hex, or standard input. The library reads its\n"
         "configuration from CNSCVT.INI in the current directory and its tables from TablePath/share\n"
         "(./share without CNSCVT.INI).\n"
         "\n"
         "Options:\n" +
         toolkit::cli::OptionHelp<StringOptions>(kOptions, kHelpColumn) + "\n" +
         toolkit::cli::ExitStatusHelp(kExitStatuses);
}

std::string StringUsage() {
  return "usage: " + std::string(kUsageLine) + "\nencodings: " + std::string(kSelectorNames) + "\n";
}

}  // namespace tessel::tools
