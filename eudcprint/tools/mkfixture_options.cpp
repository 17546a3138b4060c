#include "tools/mkfixture_options.h"

#include <array>

namespace pictor::cli {
namespace {

constexpr std::array kOptions = {
    Option{"--family", "", "nt|9x", "the platform family whose dictionary codes to write (default nt)",
           OptionKind::kValue},
    Option{"--format", "", "v5|regedit4", "the form of the registry file (default v5, UTF-16)", OptionKind::kValue},
    Option{"--path-prefix", "", "PREFIX",
           "name the files in the registry as PREFIX\\<name>, for a Windows\n"
           "view of FOLDER",
           OptionKind::kValue},
    Option{"--han-font", "", "FILE",
           "make the characters from the AR PL UMing TW of FILE (default\n"
           "/usr/share/fonts/truetype/arphic/uming.ttc)",
           OptionKind::kValue},
    kHelpOption,
    kVersionOption,
};

constexpr std::array<std::string_view, 1> kUsages = {
    "FOLDER [--family nt|9x] [--format v5|regedit4] [--path-prefix PREFIX] [--han-font FILE]"};

}  // namespace

ParsedMkfixtureOptions ParseMkfixtureOptions(const std::vector<std::string>& arguments) {
  return ParseProgramLine<ParsedMkfixtureOptions>(
      kOptions, arguments, [](const ParsedLine& line, MkfixtureOptions& options) -> std::string {
        if (std::string error = TakeOneOperand(line, options.folder, "FOLDER to write into"); !error.empty()) {
          return error;
        }
        if (const auto family = line.Value("--family")) {
          if (*family != "nt" && *family != "9x") return "--family takes nt or 9x, not " + *family;
          options.family = *family == "nt" ? PlatformFamily::kWindowsNT : PlatformFamily::kWindows9x;
        }
        if (const auto format = line.Value("--format")) {
          if (*format != "v5" && *format != "regedit4") return "--format takes v5 or regedit4, not " + *format;
          options.format = *format == "v5" ? regfile::RegFileFormat::kVersion5Utf16 : regfile::RegFileFormat::kRegedit4;
        }
        options.path_prefix = line.Value("--path-prefix").value_or("");
        options.han_font = line.Value("--han-font").value_or("");
        return {};
      });
}

ProgramHelp MkfixtureHelp() {
  return {"pictor-mkfixture",
          kUsages,
          "Writes demonstration data for pictor into FOLDER, which is made (with its parents) when missing.\n"
          "\n"
          "The files are Phonetic, Changjie and Quick dictionary files (phonetic.tbl, changjie.tbl,\n"
          "quick.tbl), three EUDC fonts (eudc.tte, mingliu.tte, uming.tte) whose characters are made\n"
          "from the Han characters of AR PL UMing (fonts-arphic-uming; without it they show dot\n"
          "patterns), and a registry file registry.reg that installs and loads the three input methods\n"
          "and links the fonts under HKEY_CURRENT_USER\\EUDC\\950; files of those names in FOLDER are\n"
          "replaced. Try them with PICTOR_REGISTRY=FOLDER/registry.reg pictor.\n"
          "\n"
          "Built for Windows, pictor-mkfixture.exe names the files in registry.reg by FOLDER's full path;\n"
          "import it with regedit /s FOLDER\\registry.reg (on a test machine: it installs three input\n"
          "methods), then start pictor.exe.",
          kOptions,
          {{"Exit status",
            "  0  the data was written\n"
            "  1  a file could not be written\n"
            "  2  the command line is wrong\n"}}};
}

}  // namespace pictor::cli
