#pragma once
// The file system adapter of the system the library was built for.

#include <memory>

#include "file_port.h"

namespace tessel {

std::unique_ptr<FilePort> MakeFilePort();

}  // namespace tessel
