#pragma once

#include "core/ports.h"

namespace quillon::posix {

// Start-up on POSIX systems: the table file, the mount points of local disks for the drive
// field, $HOME for the profile folder, and UTF-8 as the 8-bit code page.
class PosixStartup : public StartupPort {
 public:
  int ReadTableFile(const std::string& path, std::vector<std::uint8_t>& contents) override;
  std::string ListFixedDrives() override;
  std::string UserProfile() override;
  std::u16string Widen(std::string_view text) override;
};

}  // namespace quillon::posix
