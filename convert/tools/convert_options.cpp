#include "convert_options.h"

#include <array>

#include "selector_names.h"

namespace tessel::tools {
namespace {

using toolkit::cli::ExitStatus;
using toolkit::cli::Option;

constexpr std::string_view kUsageLine = "tessel-convert -f FROM -t TO [--tables DIR] [--list] INPUT OUTPUT";
constexpr std::string_view kEncodingNames = "cns, euc, euc-tw, big5, ucs, gbk, utf8";

std::string SetEncoding(Encoding& encoding, const std::string& name) {
  const auto found = EncodingByName(name);
  if (!found) return "unknown encoding '" + name + "' (use " + std::string(kEncodingNames) + ")";
  encoding = *found;
  return {};
}

constexpr std::array<Option<ConvertOptions>, 6> kOptions = {{
    {"-f", "", "FROM", "the encoding of INPUT",
     [](ConvertOptions& o, const std::string& value) { return SetEncoding(o.from, value); }},
    {"-t", "", "TO", "the encoding of OUTPUT",
     [](ConvertOptions& o, const std::string& value) { return SetEncoding(o.to, value); }},
    {"--tables", "", "DIR",
     "the folder of the five code tables (default: the tables of the build or of\nthe installation); on Windows a "
     "folder named share",
     [](ConvertOptions& o, const std::string& value) -> std::string {
       o.tables = value;
       return {};
     }},
    toolkit::cli::FlagOption<ConvertOptions, &ConvertOptions::list>(
        "--list",
        "write the character list form CNSLIST.LOG into the current directory, with a\nrow for each CNS character "
        "that has no code in TO"),
    toolkit::cli::HelpOption<ConvertOptions>("show this help and exit (also -h)"),
    toolkit::cli::VersionOption<ConvertOptions>("show the version and exit"),
}};

constexpr std::array<ExitStatus, 3> kExitStatuses = {{
    {0, "the file was converted"},
    {1, "the conversion was refused or failed; one line on standard error says why"},
    {2, "the command line is wrong"},
}};

constexpr std::size_t kHelpColumn = 16;

}  // namespace

std::optional<Encoding> EncodingByName(const std::string& name) {
  if (name == "utf8" || name == "utf-8") return Encoding{CVT_UCS, HostForm::kUtf8};
  if (name == "euc-tw") return Encoding{CVT_EUC, HostForm::kEucTw};
  if (const auto selector = SelectorByName(name)) return Encoding{*selector, HostForm::kLibrary};
  return std::nullopt;
}

toolkit::cli::Parsed<ConvertOptions> ParseConvertOptions(std::span<const std::string> arguments) {
  auto parsed = toolkit::cli::ReadArguments<ConvertOptions>(
      arguments, kOptions, [](ConvertOptions& o, const std::string& file) -> std::string {
        o.files.push_back(file);
        return {};
      });
  const ConvertOptions& o = parsed.options;
  if (!parsed.error.empty() || o.help || o.version) return parsed;
  if (o.from.selector < 0 || o.to.selector < 0) {
    parsed.error = "both -f FROM and -t TO are needed";
  } else if (o.files.size() != 2) {
    parsed.error = "an INPUT and an OUTPUT file are needed";
  } else if (o.from.selector == o.to.selector && o.from.form == o.to.form && o.from.form != HostForm::kLibrary) {
    // The library copies a text to its own encoding; the host's own forms have no such road.
    parsed.error = "nothing to convert: FROM and TO are the same encoding";
  }
  return parsed;
}

std::string ConvertHelp() {
  return "Usage: " + std::string(kUsageLine) +
         "\n"
         "Converts a text file from one encoding to another through the tessel library.\n"
         "\n"
         "Every conversion goes through CNS 11643 with the library's code tables. INPUT and OUTPUT may\n"
         "name the same file: the result then replaces it only when complete.\n"
         "\n"
         "Options:\n" +
         toolkit::cli::OptionHelp<ConvertOptions>(kOptions, kHelpColumn) +
         "\n"
         "Encodings:\n"
         "  cns     CNS 11643 in the seven-bit ISO 2022 form\n"
         "  euc     CNS 11643 in the library's EUC form: every character in four bytes, 8E, A0 + plane,\n"
         "          then the two bytes of the code with their high bit set\n"
         "  euc-tw  EUC-TW as other tools write it: plane 1 in two bytes, the other planes in four\n"
         "          bytes after 8E; reading accepts both forms\n"
         "  big5    Big5\n"
         "  ucs     UCS-2, little-endian, with a byte-order mark\n"
         "  gbk     GBK\n"
         "  utf8    UTF-8, converted to and from UCS-2 by this program\n"
         "\n" +
         toolkit::cli::ExitStatusHelp(kExitStatuses);
}

std::string ConvertUsage() {
  return "usage: " + std::string(kUsageLine) + "\nencodings: " + std::string(kEncodingNames) + "\n";
}

}  // namespace tessel::tools
