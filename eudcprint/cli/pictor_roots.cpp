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

#include "cli/roots_options.h"
#include "core/input_methods.h"
#include "core/known_input_methods.h"
#include "core/root_dictionary.h"
#include "qt/host_platform.h"
#include "toolkit_version.h"

namespace {

std::string ColumnTitle(const pictor::InputMethodState& state, std::uint32_t hkl) {
  if (const auto title = pictor::KnownInputMethodTitle(hkl)) return std::string(title->View());
  const pictor::InputMethodList& list = state.input_methods;
  for (std::size_t i = 0; i < list.count; ++i) {
    if (list.records[i].hkl == hkl) return std::string(list.records[i].layoutText.View());
  }
  char text[16];
  std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(hkl));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = pictor::cli::ParseRootsOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto status = pictor::cli::AnswerStandardOptions(
          pictor::cli::RootsHelp(), TOOLKIT_VERSION, parsed.options.help, parsed.options.version, parsed.error)) {
    return *status;
  }
  const std::vector<std::uint16_t>& codes = parsed.options.codes;
  std::vector<std::uint32_t> hkls = parsed.options.hkls;

  try {
#ifdef _WIN32
    pictor::HostPlatform platform(/*consoleWarnings=*/true);
#else
    pictor::HostPlatform platform;
#endif
    pictor::InputMethodState state;
    pictor::EnumerateInputMethods(state, platform.Ports(), platform.Family().Family());
    const pictor::InputMethodList& list = state.input_methods;

    if (codes.empty()) {
      std::printf("Input methods offered for annotation (%s, family %d): %zu\n", platform.Describe().c_str(),
                  static_cast<int>(platform.Family().Family()), list.count);
      for (std::size_t i = 0; i < list.count; ++i) {
        const pictor::InputMethodRecord& record = list.records[i];
        std::printf("  %08lX  %-8s  %s  %s\n", static_cast<unsigned long>(record.hkl), record.ime_file.CString(),
                    platform.ToUtf8(record.layoutText.View()).c_str(),
                    platform.ToUtf8(record.dictionary_path.View()).c_str());
      }
      return 0;
    }
    if (hkls.empty()) {
      for (std::size_t i = 0; i < list.count; ++i) hkls.push_back(list.records[i].hkl);
    }
    for (std::uint16_t code : codes) {
      for (std::uint32_t hkl : hkls) {
        const pictor::RootText roots = pictor::LookupRoots(*state.root_tables, code, hkl);
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
