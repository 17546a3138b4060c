#include "font_file_tables.h"

#include <algorithm>

namespace pictor {
namespace {

constexpr std::uint32_t kCollectionTag = 0x74746366;  // "ttcf"
constexpr std::size_t kTableRecordSize = 16;
constexpr std::size_t kNameRecordSize = 12;

constexpr std::uint16_t kWindowsPlatform = 3;
constexpr std::uint16_t kFamilyNameId = 1;
constexpr std::uint16_t kAmericanEnglish = 0x0409;

// Big-endian fields; a field past the end reads as nothing.
std::optional<std::uint32_t> Read(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t size) {
  if (offset > bytes.size() || bytes.size() - offset < size) return std::nullopt;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < size; ++i) value = (value << 8) | bytes[offset + i];
  return value;
}
std::optional<std::uint32_t> U16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return Read(bytes, offset, 2);
}
std::optional<std::uint32_t> U32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return Read(bytes, offset, 4);
}

// Windows Unicode encodings: symbol, the Basic Multilingual Plane, and full Unicode; all UTF-16.
bool IsUnicodeEncoding(std::uint32_t encoding) { return encoding == 0 || encoding == 1 || encoding == 10; }

}  // namespace

std::optional<std::span<const std::uint8_t>> FindFontTable(std::span<const std::uint8_t> file, std::string_view tag) {
  if (tag.size() != 4) return std::nullopt;
  std::size_t font = 0;
  if (U32(file, 0) == kCollectionTag) {
    const auto first = U32(file, 12);
    if (!first) return std::nullopt;
    font = *first;
  }
  const auto tables = U16(file, font + 4);
  if (!tables) return std::nullopt;
  for (std::size_t i = 0; i < *tables; ++i) {
    const std::size_t record = font + 12 + i * kTableRecordSize;
    if (record + kTableRecordSize > file.size()) return std::nullopt;
    if (!std::equal(tag.begin(), tag.end(), file.begin() + static_cast<std::ptrdiff_t>(record))) continue;
    const std::uint32_t offset = *U32(file, record + 8);
    const std::uint32_t length = *U32(file, record + 12);
    if (offset > file.size() || file.size() - offset < length) return std::nullopt;
    return file.subspan(offset, length);
  }
  return std::nullopt;
}

std::optional<std::u16string> FontFamilyName(std::span<const std::uint8_t> file) {
  const auto table = FindFontTable(file, "name");
  if (!table) return std::nullopt;
  const auto count = U16(*table, 2);
  const auto strings = U16(*table, 4);
  if (!count || !strings) return std::nullopt;
  std::optional<std::u16string> found;
  for (std::size_t i = 0; i < *count; ++i) {
    const std::size_t record = 6 + i * kNameRecordSize;
    const auto platform = U16(*table, record);
    const auto encoding = U16(*table, record + 2);
    const auto language = U16(*table, record + 4);
    const auto name_id = U16(*table, record + 6);
    const auto length = U16(*table, record + 8);
    const auto offset = U16(*table, record + 10);
    if (!offset) break;  // the record runs past the table
    if (*platform != kWindowsPlatform || !IsUnicodeEncoding(*encoding) || *name_id != kFamilyNameId) continue;
    const std::size_t start = *strings + *offset;
    if (start > table->size() || table->size() - start < *length) continue;
    std::u16string name;
    for (std::size_t at = start; at + 1 < start + *length; at += 2) {
      name.push_back(static_cast<char16_t>(*U16(*table, at)));
    }
    if (*language == kAmericanEnglish) return name;
    if (!found) found = std::move(name);
  }
  return found;
}

}  // namespace pictor
