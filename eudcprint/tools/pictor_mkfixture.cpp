// pictor-mkfixture: writes demonstration data for pictor: Phonetic, Changjie and Quick dictionary
// files, three generated EUDC fonts (their characters composed from the Han outlines of AR PL UMing
// when installed, else dot patterns), and a registry file that installs and loads the three input
// methods and links the fonts under HKEY_CURRENT_USER\EUDC\950 (to the system default, to 細明體,
// and to AR PL UMing TW, a Big5 typeface of a fresh Debian machine).
//
//   pictor-mkfixture FOLDER [--family nt|9x] [--format v5|regedit4] [--path-prefix PREFIX]
//
// The registry file FOLDER/registry.reg names the dictionaries and fonts as FOLDER/<name>, or as
// PREFIX\<name> when a prefix is given (for a Windows view of the folder, e.g. Z:\tmp\demo).
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "core/document_registry.h"
#include "core/reg_file.h"
#include "platform/posix/iconv_codec.h"
#include "toolkit_version.h"
#include "tools/fixtures/demo_data.h"

namespace {

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

constexpr const char* kHelp =
    "Usage: pictor-mkfixture FOLDER [--family nt|9x] [--format v5|regedit4] [--path-prefix PREFIX]\n"
    "Writes demonstration data for pictor into FOLDER.\n"
    "\n"
    "The files are Phonetic, Changjie and Quick dictionary files (phonetic.tbl, changjie.tbl,\n"
    "quick.tbl), three EUDC fonts (eudc.tte, mingliu.tte, uming.tte) whose characters are made\n"
    "from the Han characters of AR PL UMing (fonts-arphic-uming; without it they show dot\n"
    "patterns), and a registry file registry.reg that installs and loads the three input methods\n"
    "and links the fonts; files of those names in FOLDER are replaced. Try them with\n"
    "PICTOR_REGISTRY=FOLDER/registry.reg pictor-roots.\n"
    "\n"
    "Options:\n"
    "  --family nt|9x         the platform family whose dictionary codes to write (default nt)\n"
    "  --format v5|regedit4   the form of the registry file (default v5, UTF-16)\n"
    "  --path-prefix PREFIX   name the dictionaries in the registry as PREFIX\\<name>, for a Windows\n"
    "                         view of FOLDER\n"
    "  -h, --help             show this help and exit\n"
    "  --version              show the version and exit\n";

int main(int argc, char** argv) {
  if (argc >= 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (argc >= 2 && std::string_view(argv[1]) == "--version") {
    std::printf("pictor-mkfixture %s\n", TOOLKIT_VERSION);
    return 0;
  }
  if (argc < 2 || argv[1][0] == '-') {
    std::fputs(
        "usage: pictor-mkfixture FOLDER [--family nt|9x] [--format v5|regedit4] "
        "[--path-prefix PREFIX]\n",
        stderr);
    return 2;
  }
  const std::string folder = argv[1];
  auto family = pictor::PlatformFamily::kWindowsNT;
  auto format = pictor::regfile::RegFileFormat::kVersion5Utf16;
  std::string prefix = folder;
  char separator = '/';
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string_view option = argv[i];
    const std::string_view value = argv[i + 1];
    if (option == "--family" && (value == "nt" || value == "9x")) {
      family = value == "nt" ? pictor::PlatformFamily::kWindowsNT : pictor::PlatformFamily::kWindows9x;
    } else if (option == "--format" && (value == "v5" || value == "regedit4")) {
      format =
          value == "v5" ? pictor::regfile::RegFileFormat::kVersion5Utf16 : pictor::regfile::RegFileFormat::kRegedit4;
    } else if (option == "--path-prefix") {
      prefix = value;
      separator = '\\';
    } else {
      std::fprintf(stderr, "pictor-mkfixture: bad option %s %s\n", argv[i], argv[i + 1]);
      return 2;
    }
  }

  for (const auto& dictionary : pictor::testsupport::DemoDictionaries(family)) {
    const std::string path = folder + "/" + dictionary.fileName;
    if (!WriteBytes(path, dictionary.bytes)) {
      std::fprintf(stderr, "pictor-mkfixture: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  const pictor::testsupport::DemoFontSet fonts = pictor::testsupport::DemoEudcFonts();
  if (!fonts.fallbackReason.empty()) {
    std::fprintf(stderr,
                 "pictor-mkfixture: cannot read the font the demonstration characters are made from (%s, "
                 "Debian package fonts-arphic-uming): %s\n"
                 "pictor-mkfixture: the demonstration EUDC fonts show dot patterns instead of characters\n",
                 std::string(pictor::testsupport::kDemoHanFontFamily).c_str(), fonts.fallbackReason.c_str());
  }
  for (const auto& font : fonts.fonts) {
    const std::string path = folder + "/" + font.fileName;
    if (!WriteBytes(path, font.bytes)) {
      std::fprintf(stderr, "pictor-mkfixture: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  // The registry's texts are code page 950; the Version 5 file holds them as UTF-16.
  const pictor::posix::IconvCp950Codec codec;
  pictor::regfile::DocumentRegistry registry{pictor::regfile::RegistryDocument(format), codec};
  if (!pictor::testsupport::InstallDemoInputMethods(registry, codec.FromUtf8(prefix), separator) ||
      !pictor::testsupport::InstallDemoEudcLinks(registry, codec.FromUtf8(prefix), separator)) {
    std::fputs("pictor-mkfixture: cannot build the registry\n", stderr);
    return 1;
  }
  const std::string registryPath = folder + "/registry.reg";
  if (!WriteBytes(registryPath, pictor::regfile::WriteRegFile(registry.Document()))) {
    std::fprintf(stderr, "pictor-mkfixture: cannot write %s\n", registryPath.c_str());
    return 1;
  }
  std::printf("%s\n", registryPath.c_str());
  return 0;
}
