#include "input_methods.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ascii.h"
#include "known_input_methods.h"

namespace pictor {
namespace {

constexpr std::string_view kImeFileValue = "IME file";
constexpr std::string_view kLayoutTextValue = "layout text";
constexpr std::string_view kUserDictionaryValue = "User Dictionary";
constexpr std::string_view kEudcDictionaryValue = "Eudc Dictionary";
constexpr std::string_view kGenericImeFile = "WINIME.IME";

// The handle as its layout subkey is named: upper-case hex without leading zeros.
std::string HandleName(std::uint32_t hkl) {
  char text[9];
  std::snprintf(text, sizeof text, "%lX", static_cast<unsigned long>(hkl));
  return text;
}

std::optional<std::uint32_t> LoadedLayoutNamed(std::string_view subkey, const std::vector<std::uint32_t>& loaded) {
  for (std::uint32_t hkl : loaded) {
    if (EqualsIgnoringAsciiCase(HandleName(hkl), subkey)) return hkl;
  }
  return std::nullopt;
}

void ReadLayoutValues(RegistryKey& layout, InputMethodRecord& record) {
  for (std::uint32_t i = 0;; ++i) {
    const auto value = layout.ValueAt(i);
    if (!value) break;
    if (EqualsIgnoringAsciiCase(value->name, kImeFileValue)) {
      record.ime_file.Assign(AsciiUppercase(value->data));
    } else if (EqualsIgnoringAsciiCase(value->name, kLayoutTextValue)) {
      record.layoutText.Assign(value->data);
    }
  }
}

// Fills the list with the loaded "E" layouts other than the generic WINIME.IME.
void CollectLoadedLayouts(InputMethodList& list, const InputMethodPorts& ports) {
  const auto layouts = ports.registry.Open(RegistryRoot::kLocalMachine, kKeyboardLayoutsKey, RegistryAccess::kRead);
  if (!layouts) return;
  const std::vector<std::uint32_t> loaded = ports.keyboard_layouts.LoadedLayouts();
  for (std::uint32_t index = 0; list.count < kInputMethodCapacity; ++index) {
    const auto name = layouts->SubkeyAt(index);
    if (!name) break;
    if (name->empty() || (name->front() != 'E' && name->front() != 'e')) continue;
    const auto hkl = LoadedLayoutNamed(*name, loaded);
    if (!hkl) continue;

    InputMethodRecord& record = list.records[list.count];
    record = InputMethodRecord{};
    record.hkl = *hkl;
    record.layout_key.Assign(*name);
    if (const auto layout = ports.registry.Open(
            RegistryRoot::kLocalMachine, std::string(kKeyboardLayoutsKey) + "\\" + *name, RegistryAccess::kRead)) {
      ReadLayoutValues(*layout, record);
    }
    if (EqualsIgnoringAsciiCase(record.ime_file.View(), kGenericImeFile)) continue;
    record.ime_file.CutAt('.');
    ++list.count;
  }
}

// Finds the record's dictionary among its input method's settings and reads it.
void LoadDictionaryOf(InputMethodRecord& record, InputMethodState& state, const InputMethodPorts& ports,
                      PlatformFamily family) {
  record.dictionary_path.Clear();
  const auto settings = ports.registry.Open(RegistryRoot::kCurrentUser,
                                            std::string(kInputMethodSettingsKey) + std::string(record.ime_file.View()),
                                            RegistryAccess::kRead);
  if (!settings) return;
  for (std::uint32_t i = 0;; ++i) {
    const auto value = settings->ValueAt(i);
    if (!value) break;
    if (EqualsIgnoringAsciiCase(value->name, kUserDictionaryValue) ||
        EqualsIgnoringAsciiCase(value->name, kEudcDictionaryValue)) {
      record.dictionary_path.Assign(value->data);
      LoadRootDictionary(*state.root_tables, ports.files, ports.warnings, family, record.dictionary_path.View(),
                         record.layoutText.View(), record.hkl);
      break;
    }
  }
}

}  // namespace

void EnumerateInputMethods(InputMethodState& state, const InputMethodPorts& ports, PlatformFamily family) {
  InputMethodList& list = state.input_methods;
  list = InputMethodList{};
  ClearRootTables(*state.root_tables);

  CollectLoadedLayouts(list, ports);
  for (std::size_t i = 0; i < list.count; ++i) {
    LoadDictionaryOf(list.records[i], state, ports, family);
  }

  // Offer only Phonetic and Changjie input methods with a dictionary, in the order found.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < list.count; ++i) {
    const InputMethodRecord& record = list.records[i];
    if (record.dictionary_path.Empty()) continue;
    if (record.hkl != kPhoneticHkl && record.hkl != kChangjieHkl) continue;
    if (kept != i) list.records[kept] = record;
    ++kept;
  }
  for (std::size_t i = kept; i < list.count; ++i) list.records[i] = InputMethodRecord{};
  list.count = kept;
  state.annotate_flags.fill(0);
}

}  // namespace pictor
