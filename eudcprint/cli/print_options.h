// The command line of pictor-print.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace pictor::cli {

struct CodeSpan {
  std::uint16_t start = 0;
  std::uint16_t end = 0;
};

struct PrintOptions {
  // Where the characters come from: an association of the registry's EUDC links by its display
  // name (UTF-8), or an EUDC font file with the name the title shows (empty: the file's base name).
  std::string association;
  std::string font_file;
  std::string displayName;
  std::optional<CodeSpan> range;  // nullopt: every user-defined character
  bool annotate = false;          // print the roots of every input method found
  std::string paper = "A4";
  std::string pdf_file;
  bool help = false;
  bool version = false;
};

using ParsedPrintOptions = ParsedOptions<PrintOptions>;

ParsedPrintOptions ParsePrintOptions(const std::vector<std::string>& arguments);

// "FROM-TO": two user-defined Big5 codes of four hexadecimal digits each, the end not below the
// start, as the range dialog accepts them. Sets `error` when they are not.
std::optional<CodeSpan> ParseCodeSpan(const std::string& text, std::string& error);

// The help, with every paper name the program accepts.
ProgramHelp PrintHelp(const std::vector<std::string>& paper_names);

}  // namespace pictor::cli
