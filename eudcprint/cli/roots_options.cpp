#include "cli/roots_options.h"

#include <array>

#include "core/ascii.h"
#include "core/code_space.h"

namespace pictor::cli {
namespace {

constexpr std::array kOptions = {
    Option{"--hkl", "", "HKL", "an input method's keyboard layout handle, such as E0030404 for Quick",
           OptionKind::kValue},
    kHelpOption,
    kVersionOption,
};

constexpr std::array<std::string_view, 1> kUsages = {"[--hkl HKL]... [CODE]..."};

}  // namespace

ParsedRootsOptions ParseRootsOptions(const std::vector<std::string>& arguments) {
  return ParseProgramLine<ParsedRootsOptions>(kOptions, arguments,
                                              [](const ParsedLine& line, RootsOptions& options) -> std::string {
                                                for (const ParsedLine::Found& found : line.options) {
                                                  if (found.option->name != "--hkl") continue;
                                                  const auto hkl = ParseAsciiNumber(found.values.front(), 16, 8);
                                                  if (!hkl)
                                                    return "--hkl needs a hexadecimal layout handle, such as E0030404";
                                                  options.hkls.push_back(*hkl);
                                                }
                                                for (const std::string& operand : line.operands) {
                                                  const auto code = ParseAsciiNumber(operand, 16, 4);
                                                  if (!code || !IsEudcCode(static_cast<std::uint16_t>(*code))) {
                                                    return operand + " is not a user-defined Big5 code (such as FA40)";
                                                  }
                                                  options.codes.push_back(static_cast<std::uint16_t>(*code));
                                                }
                                                return {};
                                              });
}

ProgramHelp RootsHelp() {
  return {"pictor-roots",
          kUsages,
          "Finds the input methods as pictor does at start-up and prints the roots of user-defined\n"
          "characters.\n"
          "\n"
          "Without CODE it lists the input methods found and those offered for annotation. Each CODE is a\n"
          "user-defined Big5 code in hexadecimal, such as FA40: its roots are printed in each input method\n"
          "offered, or in each one given with --hkl. On Windows the input methods come from the registry;\n"
          "elsewhere from the registry file named by PICTOR_REGISTRY (default\n"
          "$XDG_CONFIG_HOME/pictor/registry.reg).",
          kOptions,
          {{"Exit status",
            "  0  done\n"
            "  1  the settings could not be read\n"
            "  2  the command line is wrong\n"}}};
}

}  // namespace pictor::cli
