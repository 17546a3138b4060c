#include "page_text.h"

#include <cstdio>

#include "cp950_text.h"
#include "page_strings.h"

namespace pictor {
namespace {

// Puts two fields into the two "%s" of a template; the fields are data, never read as formats.
std::string Fill(std::string_view format, std::string_view first, std::string_view second) {
  std::string text;
  const std::size_t at = format.find("%s");
  const std::size_t next = format.find("%s", at + 2);
  text.append(format.substr(0, at));
  text.append(first);
  text.append(format.substr(at + 2, next - at - 2));
  text.append(second);
  text.append(format.substr(next + 2));
  return text;
}

}  // namespace

std::string FormatTitleLine(std::string_view display_name, std::string_view eudc_file_path) {
  return std::string(Cp950Prefix(Fill(kTitleLineFormat, display_name, eudc_file_path), kTitleLineMaxBytes));
}

std::string FormatPageNumber(std::int32_t page) {
  char text[32];
  std::snprintf(text, sizeof text, kPageNumberFormat.data(), static_cast<int>(page));
  return text;
}

std::string FormatCode(std::uint16_t code) {
  char text[8];
  std::snprintf(text, sizeof text, kCodeFormat, static_cast<unsigned>(code));
  return text;
}

}  // namespace pictor
