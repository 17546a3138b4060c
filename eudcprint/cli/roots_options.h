// The command line of pictor-roots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace pictor::cli {

struct RootsOptions {
  std::vector<std::uint32_t> hkls;   // input methods asked for by layout handle, in order
  std::vector<std::uint16_t> codes;  // user-defined Big5 codes; none: list the input methods
  bool help = false;
  bool version = false;
};

using ParsedRootsOptions = ParsedOptions<RootsOptions>;

ParsedRootsOptions ParseRootsOptions(const std::vector<std::string>& arguments);

ProgramHelp RootsHelp();

}  // namespace pictor::cli
