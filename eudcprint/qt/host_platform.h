// The platform adapter of the program being built.
#pragma once

#ifdef _WIN32
#include "platform/win32/win32_platform.h"
namespace pictor {
using HostPlatform = win32::Win32Platform;
}
#else
#include "platform/posix/posix_platform.h"
namespace pictor {
using HostPlatform = posix::PosixPlatform;
}
#endif
