// The registry port over the Windows registry, through its ANSI functions: on a system whose code
// page is 950 names and texts arrive in code page 950, as the core expects.
#pragma once

#include "core/registry_port.h"

namespace pictor::win32 {

class Win32Registry : public RegistryPort {
 public:
  std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path, RegistryAccess access) override;
  std::unique_ptr<RegistryKey> Create(RegistryRoot root, std::string_view path) override;
};

}  // namespace pictor::win32
