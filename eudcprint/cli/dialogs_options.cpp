#include "cli/dialogs_options.h"

#include <array>

namespace pictor::cli {
namespace {

constexpr std::array kOptions = {
    Option{"--screenshots", "", "FOLDER",
           "save each dialog, once shown, as FOLDER/pictor-font-setting.png and\n"
           "FOLDER/pictor-print-range.png",
           OptionKind::kValue},
    kHelpOption,
    kVersionOption,
};

constexpr std::array<std::string_view, 1> kUsages = {"[--screenshots FOLDER]"};

}  // namespace

ParsedDialogsOptions ParseDialogsOptions(const std::vector<std::string>& arguments) {
  return ParseProgramLine<ParsedDialogsOptions>(kOptions, arguments,
                                                [](const ParsedLine& line, DialogsOptions& options) -> std::string {
                                                  if (!line.operands.empty())
                                                    return "unexpected argument " + line.operands.front();
                                                  options.screenshots = line.Value("--screenshots").value_or("");
                                                  return {};
                                                });
}

ProgramHelp DialogsHelp() {
  return {"pictor-dialogs",
          kUsages,
          "Runs the two choices of the print program as it makes them when it starts. First the\n"
          "font-setting dialog (設定字形), then, after OK, the print-range dialog (設定列印範圍).\n"
          "\n"
          "Prints what was chosen, and on exit puts back a link that choosing 標準造字 set aside, as the\n"
          "program does when its window closes. On Linux the registry is the file named by\n"
          "PICTOR_REGISTRY (default $XDG_CONFIG_HOME/pictor/registry.reg).",
          kOptions,
          {{"Exit status",
            "  0  a font was chosen\n"
            "  1  the font setting was cancelled, or the settings could not be read\n"
            "  2  the command line is wrong\n"}}};
}

}  // namespace pictor::cli
