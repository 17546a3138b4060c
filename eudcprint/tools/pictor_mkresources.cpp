// pictor-mkresources: writes pictor's resource script and its header from the program's tables,
// with the list's bitmaps, the icon and the manifest, or checks that the committed ones are what
// the tables and pictures give. The command line: pictor-mkresources --help.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "platform/posix/iconv_codec.h"
#include "toolkit_version.h"
#include "tools/resource_set.h"

namespace {

namespace cli = pictor::cli;
namespace fs = std::filesystem;

constexpr std::array kOptions = {
    cli::Option{"--check", "", "", "write nothing: compare the files in FOLDER with what the tables give"},
    cli::kHelpOption,
    cli::kVersionOption,
};
constexpr std::array<std::string_view, 1> kUsages = {"[--check] FOLDER"};

cli::ProgramHelp Help() {
  return {"pictor-mkresources",
          kUsages,
          "Writes pictor's resource script pictor.rc (UTF-8, for the resource compiler's code page 65001)\n"
          "and its header resource.h into FOLDER, from the program's menu, accelerator, string and dialog\n"
          "tables; and the files the script names: the list's bitmaps ttflogo1.bmp and ttflogo2.bmp and\n"
          "the icon pictor.ico (16 colours, from the XPM pictures in FOLDER's source) and the manifest\n"
          "pictor.manifest.",
          kOptions,
          {{"Exit status",
            "  0  written, or with --check the same\n"
            "  1  a file could not be written, or with --check differs or is missing\n"
            "  2  the command line is wrong\n"}}};
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const cli::ParsedLine line = cli::ParseCommandLine(kOptions, arguments);
  std::string error = line.error;
  if (error.empty() && line.operands.size() != 1) error = "name the FOLDER of pictor.rc and resource.h";
  if (const auto status =
          cli::AnswerStandardOptions(Help(), TOOLKIT_VERSION, line.Has("--help"), line.Has("--version"), error)) {
    return *status;
  }
  const fs::path folder = line.operands.front();
  const pictor::posix::IconvCp950Codec codec;
  std::vector<pictor::resources::GeneratedFile> files;
  try {
    files = pictor::resources::PictorResourceFiles([&](std::string_view cp950) { return codec.ToUtf8(cp950); });
  } catch (const std::invalid_argument& refused) {
    std::fprintf(stderr, "pictor-mkresources: %s\n", refused.what());
    return 1;
  }
  int status = 0;
  for (const auto& [name, text] : files) {
    const fs::path path = folder / name;
    if (line.Has("--check")) {
      if (ReadText(path) != text) {
        std::fprintf(stderr, "pictor-mkresources: %s is not what the tables give; run pictor-mkresources %s\n",
                     path.c_str(), folder.c_str());
        status = 1;
      }
      continue;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
      std::fprintf(stderr, "pictor-mkresources: cannot write %s\n", path.c_str());
      status = 1;
    }
  }
  return status;
}
