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
  int pendingRestore = 0;  // 1 while the link is removed
  std::string faceName;    // the value's name as the registry spells it
  std::string savedPath;   // the value's data, not cut
  std::uint32_t savedType = kRegSz;
};

struct ProgramState {
  PlatformFamily platformFamily = PlatformFamily::kWindows9x;
  // DefaultFaceName (細明體) and SystemDefaultName (標準造字): loaded at start-up only when the
  // platform has EUDC linking; empty otherwise, so that no override is ever made.
  FixedText<kDisplayNameSize> defaultFaceName;
  FixedText<kDisplayNameSize> systemDefaultName;
  InputMethodState inputMethods;       // the input methods, their annotation flags and root tables
  EudcAssociation currentAssociation;  // empty until the first confirmed choice
  SavedDefaultLink savedDefaultLink;
  PrintRange printRange;
  bool restoreFailureTold = false;  // a failed restore of the saved link is told once per run
};

// What the pages read of the state.
inline CatalogueState CatalogueOf(const ProgramState& state) {
  return {state.currentAssociation, state.printRange, state.inputMethods.inputMethods, state.inputMethods.annotateFlags,
          *state.inputMethods.rootTables};
}

// Every port the choices need.
struct PictorPorts {
  RegistryPort& registry;
  KeyboardLayoutPort& keyboardLayouts;
  FileReaderPort& files;
  MessagePort& messages;
  PlatformFamilyPort& family;
  EudcLinkPort& eudcLink;
  FontListPort& fonts;
  WindowsDirectoryPort& windowsDirectory;

  InputMethodPorts InputMethods() const { return {registry, keyboardLayouts, files, messages}; }
};

}  // namespace pictor
