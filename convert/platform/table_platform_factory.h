#pragma once
// The table platform adapter of the system the library was built for.

#include <memory>

#include "platform_port.h"

namespace tessel {

std::unique_ptr<TablePlatform> MakeTablePlatform();

}  // namespace tessel
