// The platform adapter of the program being built.
#pragma once

#ifdef _WIN32
#include "win32_platform.h"
namespace pictor {
using HostPlatform = win32::Win32Platform;
}
#else
#include "posix_platform.h"
namespace pictor {
using HostPlatform = posix::PosixPlatform;
}
#endif
