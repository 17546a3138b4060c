#pragma once
// The command line of tessel-string.

#include <optional>
#include <span>
#include <string>

#include "toolkit_cli/option_table.h"

namespace tessel::tools {

struct StringOptions {
  std::optional<int> from;
  std::optional<int> to;
  std::optional<std::string> text;  // TEXT or the bytes of --input-hex; nothing: standard input
  bool hex_output = false;
  bool help = false;
  bool version = false;
};

// Reads the arguments after the program's name: -f FROM, -t TO and at most one text.
toolkit::cli::Parsed<StringOptions> ParseStringOptions(std::span<const std::string> arguments);

// The bytes that pairs of hexadecimal digits (blanks between them allowed) stand for, or nothing.
std::optional<std::string> BytesFromHex(std::string_view hex);

// What --help prints, and the lines after a command-line error's own.
std::string StringHelp();
std::string StringUsage();

}  // namespace tessel::tools
