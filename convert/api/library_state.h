#pragma once
// The library's process-wide state, built when the library is attached to a process and released
// when it is detached.

#include "cns_coder.h"
#include "code_tables.h"

namespace tessel::api {

struct LibraryState {
  CodeTables tables;
  CnsCoder coder;
};

// Null before attach, after detach, or when attaching ran out of memory.
LibraryState* libraryState();

void attachLibrary();
void detachLibrary();

}  // namespace tessel::api
