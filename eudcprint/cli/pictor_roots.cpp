// pictor-roots: finds the input methods as pictor does at start-up and prints the roots of
// user-defined characters. On Windows it reads the registry; elsewhere the registry file named by
// $PICTOR_REGISTRY (default $XDG_CONFIG_HOME/pictor/registry.reg).
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ascii.h"
#include "core/code_space.h"
#include "core/input_methods.h"
#include "core/known_input_methods.h"
#include "core/root_dictionary.h"
#include "qt/host_platform.h"
#include "toolkit_version.h"

namespace {

constexpr const char* kUsage =
    "usage: pictor-roots [--hkl HKL]... [CODE]...\n"
    "  Without CODE: lists the input methods found and those offered for annotation.\n"
    "  CODE: a user-defined Big5 code in hexadecimal, e.g. FA40; prints its roots in each input\n"
    "  method offered, or in each input method given with --hkl (e.g. --hkl E0030404 for Quick).\n";

constexpr const char* kHelp =
    "Usage: pictor-roots [--hkl HKL]... [CODE]...\n"
    "Finds the input methods as pictor does at start-up and prints the roots of user-defined\n"
    "characters.\n"
    "\n"
    "Without CODE it lists the input methods found and those offered for annotation. Each CODE is a\n"
    "user-defined Big5 code in hexadecimal, such as FA40: its roots are printed in each input method\n"
    "offered, or in each one given with --hkl. On Windows the input methods come from the registry;\n"
    "elsewhere from the registry file named by PICTOR_REGISTRY (default\n"
    "$XDG_CONFIG_HOME/pictor/registry.reg).\n"
    "\n"
    "Options:\n"
    "  --hkl HKL    an input method's keyboard layout handle, such as E0030404 for Quick\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  done\n"
    "  1  the settings could not be read\n"
    "  2  the command line is wrong\n";

std::string ColumnTitle(const pictor::InputMethodState& state, std::uint32_t hkl) {
  if (const auto title = pictor::KnownInputMethodTitle(hkl)) return std::string(title->View());
  const pictor::InputMethodList& list = state.inputMethods;
  for (std::size_t i = 0; i < list.count; ++i) {
    if (list.records[i].hkl == hkl) return std::string(list.records[i].layoutText.View());
  }
  char text[16];
  std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(hkl));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::uint32_t> hkls;
  std::vector<std::uint16_t> codes;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::printf("pictor-roots %s\n", TOOLKIT_VERSION);
      return 0;
    }
    if (arg == "--hkl") {
      const auto hkl = i + 1 < argc ? pictor::ParseAsciiNumber(argv[i + 1], 16, 8) : std::nullopt;
      if (!hkl) {
        std::fprintf(stderr, "pictor-roots: --hkl needs a hexadecimal layout handle\n%s", kUsage);
        return 2;
      }
      hkls.push_back(*hkl);
      ++i;
      continue;
    }
    const auto code = pictor::ParseAsciiNumber(arg, 16, 4);
    if (!code || !pictor::IsEudcCode(static_cast<std::uint16_t>(*code))) {
      std::fprintf(stderr, "pictor-roots: %s is not a user-defined Big5 code (such as FA40)\n", argv[i]);
      return 2;
    }
    codes.push_back(static_cast<std::uint16_t>(*code));
  }

  try {
#ifdef _WIN32
    pictor::HostPlatform platform(/*consoleWarnings=*/true);
#else
    pictor::HostPlatform platform;
#endif
    pictor::InputMethodState state;
    pictor::EnumerateInputMethods(state, platform.Ports(), platform.Family().Family());
    const pictor::InputMethodList& list = state.inputMethods;

    if (codes.empty()) {
      std::printf("Input methods offered for annotation (%s, family %d): %zu\n", platform.Describe().c_str(),
                  static_cast<int>(platform.Family().Family()), list.count);
      for (std::size_t i = 0; i < list.count; ++i) {
        const pictor::InputMethodRecord& record = list.records[i];
        std::printf("  %08lX  %-8s  %s  %s\n", static_cast<unsigned long>(record.hkl), record.imeFile.CString(),
                    platform.ToUtf8(record.layoutText.View()).c_str(),
                    platform.ToUtf8(record.dictionaryPath.View()).c_str());
      }
      return 0;
    }
    if (hkls.empty()) {
      for (std::size_t i = 0; i < list.count; ++i) hkls.push_back(list.records[i].hkl);
    }
    for (std::uint16_t code : codes) {
      for (std::uint32_t hkl : hkls) {
        const pictor::RootText roots = pictor::LookupRoots(*state.rootTables, code, hkl);
        std::printf("%04X  %s  %s\n", code, platform.ToUtf8(ColumnTitle(state, hkl)).c_str(),
                    platform.ToUtf8(roots.View()).c_str());
      }
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "pictor-roots: %s\n", error.what());
    return 1;
  }
}
