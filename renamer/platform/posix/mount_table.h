#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::posix {

// One line of /proc/self/mountinfo, with the octal escapes (\040 for a blank...) undone.
struct MountInfoLine {
  std::string device;  // "major:minor"
  std::string root;    // the folder of the file system mounted here ("/" for all of it)
  std::string mount_point;
  std::string options;  // per-mount options, "rw,..." or "ro,..."
  std::string fs_type;
  std::string source;
};

std::vector<MountInfoLine> ParseMountInfo(std::string_view text);

// The mount points that stand for fixed disks, sorted: file systems on a block device that is
// not removable (asked through `is_fixed_disk`), mounted read-write, not disc or packed images,
// not a second mount of part of a file system already listed, and with no "," in the path (the
// drive field separates entries with commas). A mount point mounted over keeps its last mount.
std::vector<std::string> FixedDiskMountPoints(const std::vector<MountInfoLine>& mounts,
                                              const std::function<bool(const MountInfoLine&)>& is_fixed_disk);

// The drive field's text: each mount point followed by ",".
std::string JoinDriveList(const std::vector<std::string>& mount_points);

// Asks the system whether the mount's source is a non-removable block device.
bool IsFixedBlockDevice(const MountInfoLine& mount);

}  // namespace quillon::posix
