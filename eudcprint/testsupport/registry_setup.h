// Puts input-method settings into a registry through the registry port, as Windows keeps them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "registry_port.h"

namespace pictor::testsupport {

struct InputMethodSetup {
  std::string layoutKey;            // subkey under Keyboard Layouts, e.g. E0010404
  std::string imeFile;              // value "IME file", e.g. PHON.IME
  std::string layoutText;           // value "layout text", code page 950
  std::string dictionaryValueName;  // "User Dictionary" or "Eudc Dictionary"; empty: no settings key
  std::string dictionaryPath;       // code page 950
};

// Writes the layout key and, when a dictionary value name is given, the settings key. Returns
// false when a write fails.
bool InstallInputMethod(RegistryPort& registry, const InputMethodSetup& setup);

// Writes HKEY_CURRENT_USER\Keyboard Layout\Preload with values "1", "2", ... holding the
// identifiers in order.
bool WritePreload(RegistryPort& registry, const std::vector<std::string>& identifiers);

}  // namespace pictor::testsupport
