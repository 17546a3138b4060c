#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// How paths are written on the machine the program runs on.
enum class PathStyle {
  kWindows,  // "\" between names; fixed disks are drive letters
  kPosix,    // "/" between names; fixed disks are the mount points of local disks
};

// The one character between the names of a path, in names (UTF-16) and in the 8-bit paths of the
// log folder alike.
constexpr char16_t Separator(PathStyle style) { return style == PathStyle::kWindows ? u'\\' : u'/'; }

// An 8-bit path: folder, separator, name.
std::string JoinPath(std::string_view folder, std::string_view name, PathStyle style);

// The folders an all-disks run walks, from the drive field's text, in walking order.
//   Windows: each letter C..Z that occurs anywhere in the text, as letter + ":" (no backslash).
//   POSIX:   each comma-separated mount point in the order listed, with a trailing "/" dropped,
//            so "/" walks from "" the way "C:\" walks from "C:".
std::vector<std::string> RootsFromDriveList(std::string_view drive_list, PathStyle style);

// The folder the run logs go to: the profile folder followed by the separator and "RenameLogs".
std::string LogDirFromProfile(std::string_view profile, PathStyle style);

}  // namespace quillon
