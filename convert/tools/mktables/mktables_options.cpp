#include "mktables_options.h"

#include <array>

namespace tessel::mktables {
namespace {

using toolkit::cli::ExitStatus;
using toolkit::cli::Option;

constexpr std::string_view kUsageLine = "tessel-mktables [--report] OUTDIR";

constexpr std::array<Option<MktablesOptions>, 3> kOptions = {{
    toolkit::cli::FlagOption<MktablesOptions, &MktablesOptions::report>(
        "--report", "print how many characters of each CNS plane the tables hold"),
    toolkit::cli::HelpOption<MktablesOptions>("show this help and exit (also -h)"),
    toolkit::cli::VersionOption<MktablesOptions>("show the version and exit"),
}};

constexpr std::array<ExitStatus, 3> kExitStatuses = {{
    {0, "the five tables were written"},
    {1, "the tables could not be made or written; one line on standard error says why"},
    {2, "the command line is wrong"},
}};

constexpr std::size_t kHelpColumn = 14;

}  // namespace

toolkit::cli::Parsed<MktablesOptions> ParseMktablesOptions(std::span<const std::string> arguments) {
  auto parsed = toolkit::cli::ReadArguments<MktablesOptions>(
      arguments, kOptions, [](MktablesOptions& o, const std::string& folder) -> std::string {
        if (!o.out_dir.empty()) return "give one OUTDIR only";
        o.out_dir = folder;
        return folder.empty() ? "OUTDIR must not be empty" : "";
      });
  const MktablesOptions& o = parsed.options;
  if (parsed.error.empty() && !o.help && !o.version && o.out_dir.empty()) parsed.error = "an OUTDIR is needed";
  return parsed;
}

std::string MktablesHelp() {
  return "Usage: " + std::string(kUsageLine) +
         "\n"
         "Writes the five default code tables (CNS_B5.TBL, CNS_B5E.TBL, CNS_B5U.TBL, CNS_UCS.TBL,\n"
         "CNS_GBK.TBL) into OUTDIR, made from ICU's mapping data.\n"
         "\n"
         "Options:\n" +
         toolkit::cli::OptionHelp<MktablesOptions>(kOptions, kHelpColumn) + "\n" +
         toolkit::cli::ExitStatusHelp(kExitStatuses);
}

std::string MktablesUsage() { return "usage: " + std::string(kUsageLine) + "\n"; }

}  // namespace tessel::mktables
