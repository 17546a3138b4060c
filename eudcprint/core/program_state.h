// What pictor knows for the whole run, in one place: the shell owns it, the dialogs change it,
// the pages read it. And the ports that fill and change it.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue_state.h"
#include "eudc_association.h"
#include "fixed_text.h"
#include "input_methods.h"
#include "platform_ports.h"
#include "print_range.h"
#include "registry_port.h"

namespace pictor {

// The link of DefaultFaceName that choosing the system default removed and that must be put
// back: whole, with its registry type.
struct SavedDefaultLink {
  int pending_restore = 0;  // 1 while the link is removed
  std::string face_name;    // the value's name as the registry spells it
  std::string saved_path;   // the value's data, not cut
  std::uint32_t saved_type = kRegSz;
};

struct ProgramState {
  PlatformFamily platform_family = PlatformFamily::kWindows9x;
  // DefaultFaceName (細明體) and SystemDefaultName (標準造字): loaded at start-up only when the
  // platform has EUDC linking; empty otherwise, so that no override is ever made.
  FixedText<kDisplayNameSize> default_face_name;
  FixedText<kDisplayNameSize> system_default_name;
  InputMethodState input_methods;       // the input methods, their annotation flags and root tables
  EudcAssociation current_association;  // empty until the first confirmed choice
  SavedDefaultLink saved_default_link;
  PrintRange print_range;
  bool restore_failure_told = false;  // a failed restore of the saved link is told once per run
};

// What the pages read of the state.
inline CatalogueState CatalogueOf(const ProgramState& state) {
  return {state.current_association, state.print_range, state.input_methods.input_methods,
          state.input_methods.annotate_flags, *state.input_methods.root_tables};
}

// Every port the choices need.
struct PictorPorts {
  RegistryPort& registry;
  KeyboardLayoutPort& keyboard_layouts;
  FileReaderPort& files;
  MessagePort& messages;
  PlatformFamilyPort& family;
  EudcLinkPort& eudc_link;
  FontListPort& fonts;
  WindowsDirectoryPort& windows_directory;

  InputMethodPorts InputMethods() const { return {registry, keyboard_layouts, files, messages}; }
};

}  // namespace pictor
