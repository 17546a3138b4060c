#pragma once

#include "core/ports.h"

namespace quillon::win32 {

// Start-up on Windows: the table file, the fixed drives, %USERPROFILE%, the ANSI code page.
class Win32Startup : public StartupPort {
 public:
  int ReadTableFile(const std::string& path, std::vector<std::uint8_t>& contents) override;
  std::string ListFixedDrives() override;
  std::string UserProfile() override;
  std::u16string Widen(std::string_view text) override;
};

}  // namespace quillon::win32
