#include "library_state.h"

#include "file_port_factory.h"
#include "table_platform_factory.h"

namespace tessel::api {
namespace {

std::unique_ptr<LibraryState> g_state;

}  // namespace

LibraryState* libraryState() { return g_state.get(); }

void attachLibrary() {
  // Attaching always succeeds: whatever goes wrong shows up in the table status instead.
  try {
    auto platform = makeTablePlatform();
    auto state = std::make_unique<LibraryState>();
    state->tables = CodeTables::load(*platform);
    state->files = makeFilePort();
    state->list =
        std::make_unique<CharacterListLog>(*state->files, state->tables.configuredPath(), platform->pathSeparator());
    g_state = std::move(state);
  } catch (...) {
    g_state.reset();
  }
}

void detachLibrary() { g_state.reset(); }

}  // namespace tessel::api
