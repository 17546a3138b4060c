// The command line of pictor-mkfont.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace pictor::cli {

struct MkfontOptions {
  std::string output;
  std::string family_name = "Pictor Test EUDC";
  std::vector<std::uint16_t> omitted;  // user-defined Big5 codes left out
  bool omit_all = false;
  bool big5_face = false;
  bool help = false;
  bool version = false;
};

using ParsedMkfontOptions = ParsedOptions<MkfontOptions>;

ParsedMkfontOptions ParseMkfontOptions(const std::vector<std::string>& arguments);

ProgramHelp MkfontHelp();

}  // namespace pictor::cli
