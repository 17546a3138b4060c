// The Traditional-Chinese input methods that are installed and loaded, found once at start-up
// through the registry, with their dictionaries read into the root tables.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "fixed_text.h"
#include "platform_ports.h"
#include "registry_port.h"
#include "root_dictionary.h"

namespace pictor {

struct InputMethodRecord {
  std::uint32_t hkl = 0;           // keyboard-layout handle, e.g. 0xE0010404
  FixedText<16> layout_key;        // its subkey name under Keyboard Layouts, e.g. E0010404
  FixedText<64> ime_file;          // "IME file" upper-cased and cut at its first ".", e.g. PHON
  FixedText<32> layoutText;        // "layout text": the display name
  FixedText<256> dictionary_path;  // "User Dictionary" or "Eudc Dictionary"; empty if none
};

inline constexpr std::size_t kInputMethodCapacity = 32;

struct InputMethodList {
  std::array<InputMethodRecord, kInputMethodCapacity> records{};
  std::size_t count = 0;  // records 0 to count - 1 are kept
};

// One flag per record of the list: 1 when that input method's roots are printed.
using AnnotateFlags = std::array<int, kInputMethodCapacity>;

// What pictor knows of the input methods for the whole run.
struct InputMethodState {
  InputMethodList input_methods;
  AnnotateFlags annotate_flags{};
  std::unique_ptr<RootTables> root_tables = std::make_unique<RootTables>();
};

struct InputMethodPorts {
  RegistryPort& registry;
  KeyboardLayoutPort& keyboard_layouts;
  FileReaderPort& files;
  MessagePort& warnings;
};

// Registry locations read by the enumeration.
inline constexpr std::string_view kKeyboardLayoutsKey = "System\\CurrentControlSet\\control\\Keyboard Layouts";
inline constexpr std::string_view kInputMethodSettingsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\";

// Builds the list of loaded Phonetic and Changjie input methods that have a dictionary, in
// registry order, reads the dictionaries of the loaded input methods (Quick's too, though Quick is
// never listed) into the root tables, and clears the annotation flags.
void EnumerateInputMethods(InputMethodState& state, const InputMethodPorts& ports, PlatformFamily family);

}  // namespace pictor
