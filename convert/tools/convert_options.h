#pragma once
// The command line of tessel-convert.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "toolkit_cli/option_table.h"

namespace tessel::tools {

// An encoding on the command line: a library selector, in the library's form or in one this host
// converts to and from that selector's form.
enum class HostForm { kLibrary, kUtf8, kEucTw };
struct Encoding {
  int selector = -1;
  HostForm form = HostForm::kLibrary;
};

struct ConvertOptions {
  Encoding from;
  Encoding to;
  std::optional<std::string> tables;
  bool list = false;
  std::vector<std::string> files;  // INPUT and OUTPUT, as given
  bool help = false;
  bool version = false;
};

// The encoding a command-line name stands for, or nothing.
std::optional<Encoding> EncodingByName(const std::string& name);

// Reads the arguments after the program's name: -f FROM, -t TO, an INPUT and an OUTPUT.
toolkit::cli::Parsed<ConvertOptions> ParseConvertOptions(std::span<const std::string> arguments);

// What --help prints, and the lines after a command-line error's own.
std::string ConvertHelp();
std::string ConvertUsage();

}  // namespace tessel::tools
