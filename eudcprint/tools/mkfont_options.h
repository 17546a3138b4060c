// The command line of pictor-mkfont.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace pictor::cli {

struct MkfontOptions {
  std::string output;
  std::string familyName = "Pictor Test EUDC";
  std::vector<std::uint16_t> omitted;  // user-defined Big5 codes left out
  bool omitAll = false;
  bool big5Face = false;
  bool help = false;
  bool version = false;
};

using ParsedMkfontOptions = ParsedOptions<MkfontOptions>;

ParsedMkfontOptions ParseMkfontOptions(const std::vector<std::string>& arguments);

ProgramHelp MkfontHelp();

}  // namespace pictor::cli
