#include "library_state.h"

#include <utility>

#include "file_port_factory.h"
#include "table_platform_factory.h"

namespace tessel::api {
namespace {

// A plain pointer, not an owning object: an object with a destructor of its own would be destroyed
// by the exit handlers of a process that exits without unloading the library, before the detach
// hook releases the state, which then frees it a second time. Only attach and detach own it.
constinit LibraryState* g_state = nullptr;

}  // namespace

LibraryState* CurrentState() { return g_state; }

void AttachLibrary() {
  // Attaching always succeeds: whatever goes wrong shows up in the table status instead.
  try {
    auto platform = MakeTablePlatform();
    auto state = std::make_unique<LibraryState>();
    state->tables = CodeTables::Load(*platform);
    state->files = MakeFilePort();
    state->list =
        std::make_unique<CharacterListLog>(*state->files, state->tables.ConfiguredPath(), platform->PathSeparator());
    g_state = state.release();
  } catch (...) {
    DetachLibrary();
  }
}

void DetachLibrary() { std::unique_ptr<LibraryState> released(std::exchange(g_state, nullptr)); }

}  // namespace tessel::api
