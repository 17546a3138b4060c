#include "core/path_style.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

using Roots = std::vector<std::string>;

TEST(DriveRoots, WindowsLettersCToZThatOccurAnywhereInAlphabeticalOrder) {
  EXPECT_EQ(RootsFromDriveList("C:\\,D:\\,", PathStyle::kWindows), (Roots{"C:", "D:"}));
  EXPECT_EQ(RootsFromDriveList("Z:\\,E:\\,", PathStyle::kWindows), (Roots{"E:", "Z:"}));
  EXPECT_EQ(RootsFromDriveList("A:\\,B:\\,", PathStyle::kWindows), Roots{});
  EXPECT_EQ(RootsFromDriveList("", PathStyle::kWindows), Roots{});
  EXPECT_EQ(RootsFromDriveList("c:\\,", PathStyle::kWindows), Roots{});  // the field holds capitals only
}

TEST(DriveRoots, PosixMountPointsInListedOrderWithoutTrailingSlash) {
  EXPECT_EQ(RootsFromDriveList("/,/home,/srv/data/,", PathStyle::kPosix), (Roots{"", "/home", "/srv/data"}));
  EXPECT_EQ(RootsFromDriveList("", PathStyle::kPosix), Roots{});
  EXPECT_EQ(RootsFromDriveList(",,/a", PathStyle::kPosix), Roots{"/a"});
}

TEST(DriveRoots, LogFolderIsProfilePlusRenameLogs) {
  EXPECT_EQ(LogDirFromProfile("C:\\Documents and Settings\\amy", PathStyle::kWindows),
            "C:\\Documents and Settings\\amy\\RenameLogs");
  EXPECT_EQ(LogDirFromProfile("%USERPROFILE%", PathStyle::kWindows), "%USERPROFILE%\\RenameLogs");
  EXPECT_EQ(LogDirFromProfile("/home/amy", PathStyle::kPosix), "/home/amy/RenameLogs");
}

}  // namespace
}  // namespace quillon
