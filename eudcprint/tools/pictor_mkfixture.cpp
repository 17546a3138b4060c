// pictor-mkfixture: writes demonstration data for pictor: Phonetic, Changjie and Quick dictionary
// files, three generated EUDC fonts (their characters composed from the Han outlines of AR PL UMing
// when installed, else dot patterns), and a registry file that installs and loads the three input
// methods and links the fonts under HKEY_CURRENT_USER\EUDC\950. The registry file
// FOLDER/registry.reg names the dictionaries and fonts as FOLDER/<name>, or as PREFIX\<name> when a
// prefix is given (for a Windows view of the folder, e.g. Z:\tmp\demo). Built for Windows, it
// names them by the folder's full path, to be imported with regedit /s. The command line:
// pictor-mkfixture --help.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "core/document_registry.h"
#include "core/reg_file.h"
#include "toolkit_version.h"
#include "tools/fixtures/demo_data.h"
#include "tools/mkfixture_options.h"
#ifdef _WIN32
#include "tools/win32_cp950_codec.h"
#else
#include "platform/posix/iconv_codec.h"
#endif

namespace {

#ifdef _WIN32
using HostCodec = pictor::tools::Win32Cp950Codec;
// The registry names the files as Windows does: by the folder's full path.
constexpr bool kWindowsPaths = true;
#else
using HostCodec = pictor::posix::IconvCp950Codec;
constexpr bool kWindowsPaths = false;
#endif

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = pictor::cli::ParseMkfixtureOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto status = pictor::cli::AnswerStandardOptions(
          pictor::cli::MkfixtureHelp(), TOOLKIT_VERSION, parsed.options.help, parsed.options.version, parsed.error)) {
    return *status;
  }
  const pictor::cli::MkfixtureOptions& options = parsed.options;
  const std::string& folder = options.folder;
  const auto family = options.family;
  const auto format = options.format;
  const HostCodec codec;
  std::string prefix = options.path_prefix.empty() ? folder : options.path_prefix;
  const char separator = options.path_prefix.empty() && !kWindowsPaths ? '/' : '\\';

  std::error_code made;
  std::filesystem::create_directories(folder, made);
  if (made) {
    std::fprintf(stderr, "pictor-mkfixture: cannot make the folder %s: %s\n", folder.c_str(), made.message().c_str());
    return 1;
  }
  if (kWindowsPaths && options.path_prefix.empty()) {
    const std::u8string full = std::filesystem::absolute(folder, made).make_preferred().u8string();
    prefix.assign(full.begin(), full.end());
    if (made) {
      std::fprintf(stderr, "pictor-mkfixture: cannot name the folder %s: %s\n", folder.c_str(), made.message().c_str());
      return 1;
    }
  }
  for (const auto& dictionary : pictor::testsupport::DemoDictionaries(family)) {
    const std::string path = folder + "/" + dictionary.file_name;
    if (!WriteBytes(path, dictionary.bytes)) {
      std::fprintf(stderr, "pictor-mkfixture: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  const pictor::testsupport::DemoFontSet fonts = options.han_font.empty()
                                                     ? pictor::testsupport::DemoEudcFonts()
                                                     : pictor::testsupport::DemoEudcFonts(options.han_font);
  if (!fonts.fallback_reason.empty()) {
    std::fprintf(stderr,
                 "pictor-mkfixture: cannot read the font the demonstration characters are made from (%s, "
                 "Debian package fonts-arphic-uming): %s\n"
                 "pictor-mkfixture: the demonstration EUDC fonts show dot patterns instead of characters\n",
                 std::string(pictor::testsupport::kDemoHanFontFamily).c_str(), fonts.fallback_reason.c_str());
  }
  for (const auto& font : fonts.fonts) {
    const std::string path = folder + "/" + font.file_name;
    if (!WriteBytes(path, font.bytes)) {
      std::fprintf(stderr, "pictor-mkfixture: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  // The registry's texts are code page 950; the Version 5 file holds them as UTF-16.
  pictor::regfile::DocumentRegistry registry{pictor::regfile::RegistryDocument(format), codec};
  if (!pictor::testsupport::InstallDemoInputMethods(registry, codec.FromUtf8(prefix), separator) ||
      !pictor::testsupport::InstallDemoEudcLinks(registry, codec.FromUtf8(prefix), separator)) {
    std::fputs("pictor-mkfixture: cannot build the registry\n", stderr);
    return 1;
  }
  const std::string registry_path = folder + (kWindowsPaths ? "\\" : "/") + "registry.reg";
  if (!WriteBytes(registry_path, pictor::regfile::WriteRegFile(registry.Document()))) {
    std::fprintf(stderr, "pictor-mkfixture: cannot write %s\n", registry_path.c_str());
    return 1;
  }
  std::printf("%s\n", registry_path.c_str());
  return 0;
}
