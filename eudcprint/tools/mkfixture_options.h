// The command line of pictor-mkfixture.
#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"
#include "core/platform_ports.h"
#include "core/reg_file.h"

namespace pictor::cli {

struct MkfixtureOptions {
  std::string folder;
  PlatformFamily family = PlatformFamily::kWindowsNT;
  regfile::RegFileFormat format = regfile::RegFileFormat::kVersion5Utf16;
  std::string path_prefix;  // empty: the registry names the files by the folder itself
  std::string han_font;     // empty: the AR PL UMing TW of fonts-arphic-uming
  bool help = false;
  bool version = false;
};

using ParsedMkfixtureOptions = ParsedOptions<MkfixtureOptions>;

ParsedMkfixtureOptions ParseMkfixtureOptions(const std::vector<std::string>& arguments);

ProgramHelp MkfixtureHelp();

}  // namespace pictor::cli
