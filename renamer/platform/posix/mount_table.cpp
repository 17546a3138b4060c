#include "platform/posix/mount_table.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <fstream>
#include <set>

namespace quillon::posix {
namespace {

std::string Unescape(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' && field[i + 2] >= '0' &&
        field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ') ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

bool HasOption(std::string_view options, std::string_view option) {
  std::size_t start = 0;
  while (start <= options.size()) {
    std::size_t end = options.find(',', start);
    if (end == std::string_view::npos) end = options.size();
    if (options.substr(start, end - start) == option) return true;
    start = end + 1;
  }
  return false;
}

std::string ReadSmallFile(const std::string& path) {
  std::ifstream in(path);
  std::string text;
  std::getline(in, text);
  return text;
}

}  // namespace

std::vector<MountInfoLine> ParseMountInfo(std::string_view text) {
  std::vector<MountInfoLine> mounts;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::vector<std::string_view> fields = SplitFields(text.substr(start, end - start));
    start = end + 1;
    // id parent major:minor root mount-point options [optional fields...] - type source super-options
    const auto dash = std::find(fields.begin(), fields.end(), std::string_view("-"));
    if (fields.size() < 6 || dash == fields.end() || dash - fields.begin() < 6 || fields.end() - dash < 3) continue;
    MountInfoLine mount;
    mount.device = std::string(fields[2]);
    mount.root = Unescape(fields[3]);
    mount.mount_point = Unescape(fields[4]);
    mount.options = std::string(fields[5]);
    mount.fs_type = Unescape(dash[1]);
    mount.source = Unescape(dash[2]);
    mounts.push_back(std::move(mount));
  }
  return mounts;
}

std::vector<std::string> FixedDiskMountPoints(const std::vector<MountInfoLine>& mounts,
                                              const std::function<bool(const MountInfoLine&)>& is_fixed_disk) {
  static const std::set<std::string, std::less<>> kImageTypes = {"iso9660", "udf", "squashfs", "erofs", "cramfs"};

  // A later mount on the same point hides the earlier one.
  std::vector<const MountInfoLine*> visible;
  for (const MountInfoLine& mount : mounts) {
    std::erase_if(visible, [&](const MountInfoLine* m) { return m->mount_point == mount.mount_point; });
    visible.push_back(&mount);
  }

  std::vector<const MountInfoLine*> chosen;
  for (const MountInfoLine* mount : visible) {
    if (HasOption(mount->options, "ro") || kImageTypes.contains(mount->fs_type)) continue;
    if (mount->mount_point.find(',') != std::string::npos) continue;
    if (!is_fixed_disk(*mount)) continue;
    chosen.push_back(mount);
  }

  std::set<std::string> whole_devices;
  for (const MountInfoLine* mount : chosen) {
    if (mount->root == "/") whole_devices.insert(mount->device);
  }
  std::vector<std::string> points;
  for (const MountInfoLine* mount : chosen) {
    if (mount->root != "/" && whole_devices.contains(mount->device)) continue;  // bind mount of a part
    points.push_back(mount->mount_point);
  }
  std::sort(points.begin(), points.end());
  return points;
}

std::string JoinDriveList(const std::vector<std::string>& mount_points) {
  std::string text;
  for (const std::string& point : mount_points) text += point + ",";
  return text;
}

bool IsFixedBlockDevice(const MountInfoLine& mount) {
  if (mount.source.rfind("/dev/", 0) != 0) return false;
  struct stat st {};
  if (stat(mount.source.c_str(), &st) != 0 || !S_ISBLK(st.st_mode)) return false;
  const std::string sys =
      "/sys/dev/block/" + std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev));
  std::string removable = ReadSmallFile(sys + "/removable");
  if (removable.empty()) removable = ReadSmallFile(sys + "/../removable");  // a partition: ask its disk
  return removable != "1";
}

}  // namespace quillon::posix
