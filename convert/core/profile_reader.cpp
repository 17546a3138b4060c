#include "profile_reader.h"

#include <algorithm>

namespace tessel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string Fitted(std::string_view value, std::size_t capacity) {
  if (capacity == 0) return {};
  return std::string(value.substr(0, capacity - 1));
}

}  // namespace

std::string ReadProfileString(std::span<const std::uint8_t> file_text, std::string_view section, std::string_view key,
                              std::string_view default_value, std::size_t capacity) {
  std::string_view text(reinterpret_cast<const char*>(file_text.data()), file_text.size());
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

  bool in_section = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close == std::string_view::npos) continue;
      // Only the first section of a name is searched.
      if (in_section) break;
      in_section = EqualsIgnoringCase(Trim(line.substr(1, close - 1)), section);
      continue;
    }
    if (!in_section) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (!EqualsIgnoringCase(Trim(line.substr(0, equals)), key)) continue;

    std::string_view value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return Fitted(value, capacity);
  }

  std::string_view fallback = default_value;
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  return Fitted(fallback, capacity);
}

}  // namespace tessel
