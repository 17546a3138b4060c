// Load and unload hooks of the shared library on systems other than Windows.

#include "library_state.h"

namespace {

__attribute__((constructor)) void onLoad() { tessel::api::attachLibrary(); }

__attribute__((destructor)) void onUnload() { tessel::api::detachLibrary(); }

}  // namespace
