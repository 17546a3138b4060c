#include "preload_layouts.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "ascii.h"

namespace pictor {
namespace {}  // namespace

std::vector<std::uint32_t> PreloadedLayouts(RegistryPort& registry) {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> numbered;  // value number, handle
  if (const auto preload = registry.Open(RegistryRoot::kCurrentUser, kPreloadKey, RegistryAccess::kRead)) {
    for (std::uint32_t i = 0;; ++i) {
      const auto value = preload->ValueAt(i);
      if (!value) break;
      const auto number = ParseAsciiNumber(value->name, 10, 9);
      const auto identifier = ParseAsciiNumber(value->data, 16, 8);
      if (!number || !identifier) continue;
      const std::uint32_t handle = (*identifier >> 16) == 0 ? (*identifier << 16) | *identifier : *identifier;
      numbered.emplace_back(*number, handle);
    }
  }
  std::stable_sort(numbered.begin(), numbered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::uint32_t> handles;
  for (const auto& entry : numbered) handles.push_back(entry.second);
  return handles;
}

}  // namespace pictor
