#include "path_style.h"

namespace quillon {

std::vector<std::string> RootsFromDriveList(std::string_view drive_list, PathStyle style) {
  std::vector<std::string> roots;
  if (style == PathStyle::kWindows) {
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
      if (drive_list.find(letter) != std::string_view::npos) roots.push_back(std::string(1, letter) + ":");
    }
    return roots;
  }
  std::size_t start = 0;
  while (start < drive_list.size()) {
    std::size_t end = drive_list.find(',', start);
    if (end == std::string_view::npos) end = drive_list.size();
    std::string_view item = drive_list.substr(start, end - start);
    start = end + 1;
    if (item.empty()) continue;
    if (item.back() == '/') item.remove_suffix(1);
    roots.emplace_back(item);
  }
  return roots;
}

std::string JoinPath(std::string_view folder, std::string_view name, PathStyle style) {
  std::string path(folder);
  path += static_cast<char>(Separator(style));
  path += name;
  return path;
}

std::string LogDirFromProfile(std::string_view profile, PathStyle style) {
  return JoinPath(profile, "RenameLogs", style);
}

}  // namespace quillon
