#include "registry_setup.h"

#include "input_methods.h"
#include "preload_layouts.h"

namespace pictor::testsupport {

bool InstallInputMethod(RegistryPort& registry, const InputMethodSetup& setup) {
  const auto layout =
      registry.Create(RegistryRoot::kLocalMachine, std::string(kKeyboardLayoutsKey) + "\\" + setup.layoutKey);
  if (!layout) return false;
  bool ok = layout->Set({"IME file", kRegSz, setup.imeFile});
  ok = layout->Set({"layout text", kRegSz, setup.layoutText}) && ok;
  if (setup.dictionaryValueName.empty()) return ok;

  std::string module = setup.imeFile.substr(0, setup.imeFile.find('.'));
  for (char& c : module) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  const auto settings = registry.Create(RegistryRoot::kCurrentUser, std::string(kInputMethodSettingsKey) + module);
  if (!settings) return false;
  return settings->Set({setup.dictionaryValueName, kRegSz, setup.dictionaryPath}) && ok;
}

bool WritePreload(RegistryPort& registry, const std::vector<std::string>& identifiers) {
  const auto preload = registry.Create(RegistryRoot::kCurrentUser, kPreloadKey);
  if (!preload) return false;
  bool ok = true;
  for (std::size_t i = 0; i < identifiers.size(); ++i) {
    ok = preload->Set({std::to_string(i + 1), kRegSz, identifiers[i]}) && ok;
  }
  return ok;
}

}  // namespace pictor::testsupport
