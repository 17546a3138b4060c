#include "platform/posix/mount_table.h"

#include <gtest/gtest.h>

namespace quillon::posix {
namespace {

constexpr const char* kMountInfo =
    "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
    "24 27 0:6 / /dev rw,relatime - devtmpfs devtmpfs rw,size=123k\n"
    "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw,discard\n"
    "28 27 8:1 / /home rw,relatime shared:5 master:1 - ext4 /dev/sda1 rw\n"
    "29 27 8:17 / /media/usb rw,relatime - vfat /dev/sdb1 rw\n"
    "30 27 7:0 / /snap/core/1 ro,nodev - squashfs /dev/loop0 ro\n"
    "31 27 0:40 / /net rw - nfs4 server:/export rw\n"
    "32 27 254:0 /srv/www /var/www rw,relatime - ext4 /dev/vda rw\n"
    "33 27 8:2 / /mnt/with\\040blank rw - xfs /dev/sda2 rw\n"
    "34 27 8:3 / /mnt/a,b rw - ext4 /dev/sda3 rw\n"
    "35 27 8:4 / /archive ro,relatime - ext4 /dev/sda4 ro\n"
    "36 27 0:50 /@data /data rw - btrfs /dev/sdc rw\n"
    "37 27 0:50 /@ /mnt/pool rw - btrfs /dev/sdc rw\n"
    "38 27 8:5 / /home rw - ext4 /dev/sda5 rw\n"
    "malformed line\n";

bool NotRemovable(const MountInfoLine& mount) {
  return mount.source.rfind("/dev/", 0) == 0 && mount.source != "/dev/sdb1";
}

TEST(MountTable, ParsesFieldsAndUndoesEscapes) {
  const std::vector<MountInfoLine> mounts = ParseMountInfo(kMountInfo);
  ASSERT_EQ(mounts.size(), 14u);
  EXPECT_EQ(mounts[2].device, "254:0");
  EXPECT_EQ(mounts[2].root, "/");
  EXPECT_EQ(mounts[2].mount_point, "/");
  EXPECT_EQ(mounts[2].fs_type, "ext4");
  EXPECT_EQ(mounts[2].source, "/dev/vda");
  EXPECT_EQ(mounts[3].source, "/dev/sda1");  // optional fields before "-" are skipped
  EXPECT_EQ(mounts[7].root, "/srv/www");
  EXPECT_EQ(mounts[8].mount_point, "/mnt/with blank");
  EXPECT_EQ(mounts[9].options, "rw");
}

TEST(MountTable, KeepsReadWriteLocalDisksOnceEach) {
  const std::vector<std::string> points = FixedDiskMountPoints(ParseMountInfo(kMountInfo), NotRemovable);
  // Not: pseudo and network file systems, the removable stick, the read-only image and disk, the
  // bind mount of part of the root disk, the path with a comma. /home keeps its last mount.
  EXPECT_EQ(points, (std::vector<std::string>{"/", "/data", "/home", "/mnt/pool", "/mnt/with blank"}));
  EXPECT_EQ(JoinDriveList(points), "/,/data,/home,/mnt/pool,/mnt/with blank,");
  EXPECT_EQ(JoinDriveList({}), "");
}

}  // namespace
}  // namespace quillon::posix
