#include "profile_reader.h"

#include <algorithm>

namespace tessel {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string fitted(std::string_view value, std::size_t capacity) {
  if (capacity == 0) return {};
  return std::string(value.substr(0, capacity - 1));
}

}  // namespace

std::string readProfileString(std::span<const std::uint8_t> fileText, std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t capacity) {
  std::string_view text(reinterpret_cast<const char*>(fileText.data()), fileText.size());
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

  bool inSection = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close == std::string_view::npos) continue;
      // Only the first section of a name is searched.
      if (inSection) break;
      inSection = equalsIgnoringCase(trim(line.substr(1, close - 1)), section);
      continue;
    }
    if (!inSection) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (!equalsIgnoringCase(trim(line.substr(0, equals)), key)) continue;

    std::string_view value = trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return fitted(value, capacity);
  }

  std::string_view fallback = defaultValue;
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  return fitted(fallback, capacity);
}

}  // namespace tessel
