// The command line of pictor-dialogs.
#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"

namespace pictor::cli {

struct DialogsOptions {
  std::string screenshots;  // the folder each dialog is saved into once shown; empty: none
  bool help = false;
  bool version = false;
};

using ParsedDialogsOptions = ParsedOptions<DialogsOptions>;

ParsedDialogsOptions ParseDialogsOptions(const std::vector<std::string>& arguments);

ProgramHelp DialogsHelp();

}  // namespace pictor::cli
