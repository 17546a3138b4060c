#include "preload_layouts.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

namespace pictor {
namespace {

std::optional<std::uint32_t> ParseNumber(std::string_view text, unsigned base, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : text) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    number = number * base + digit;
  }
  return number;
}

}  // namespace

std::vector<std::uint32_t> PreloadedLayouts(RegistryPort& registry) {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> numbered;  // value number, handle
  if (const auto preload = registry.Open(RegistryRoot::kCurrentUser, kPreloadKey, RegistryAccess::kRead)) {
    for (std::uint32_t i = 0;; ++i) {
      const auto value = preload->ValueAt(i);
      if (!value) break;
      const auto number = ParseNumber(value->name, 10, 9);
      const auto identifier = ParseNumber(value->data, 16, 8);
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
