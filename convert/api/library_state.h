#pragma once
// The library's process-wide state, built when the library is attached to a process and released
// when it is detached.

#include <memory>

#include "character_list_log.h"
#include "cns_coder.h"
#include "code_tables.h"
#include "file_port.h"

namespace tessel::api {

struct LibraryState {
  CodeTables tables;
  CnsCoder coder;
  std::unique_ptr<FilePort> files;
  std::unique_ptr<CharacterListLog> list;
};

// Null before attach, after detach, or when attaching ran out of memory.
LibraryState* CurrentState();

void AttachLibrary();
void DetachLibrary();

}  // namespace tessel::api
