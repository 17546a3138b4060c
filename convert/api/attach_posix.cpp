// Load and unload hooks of the shared library on systems other than Windows.

#include "library_state.h"

namespace {

__attribute__((constructor)) void OnLoad() { tessel::api::AttachLibrary(); }

__attribute__((destructor)) void OnUnload() { tessel::api::DetachLibrary(); }

}  // namespace
