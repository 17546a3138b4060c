#pragma once

#include <memory>
#include <string>

#include "core/path_style.h"
#include "core/ports.h"

namespace quillon {

// The real machine's adapters for every port, for the platform the program was built for.
struct NativeMachine {
  PathStyle style = PathStyle::kPosix;
  std::unique_ptr<FileSystemPort> files;
  std::unique_ptr<LogFolderPort> logs;
  std::unique_ptr<ClockPort> clock;
  std::unique_ptr<StartupPort> startup;
};

NativeMachine MakeNativeMachine();

// The folder that holds the running program, with a separator at the end (8-bit path).
std::string ProgramFolder();

}  // namespace quillon
