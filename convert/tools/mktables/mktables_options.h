#pragma once
// The command line of tessel-mktables.

#include <span>
#include <string>

#include "toolkit_cli/option_table.h"

namespace tessel::mktables {

struct MktablesOptions {
  std::string out_dir;  // where the five tables are written
  bool report = false;  // print what the tables hold, plane by plane
  bool help = false;
  bool version = false;
};

// Reads the arguments after the program's name: exactly one OUTDIR.
toolkit::cli::Parsed<MktablesOptions> ParseMktablesOptions(std::span<const std::string> arguments);

// What --help prints, and the line after a command-line error's own.
std::string MktablesHelp();
std::string MktablesUsage();

}  // namespace tessel::mktables
