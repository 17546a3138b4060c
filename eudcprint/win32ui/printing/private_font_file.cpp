#include "win32ui/printing/private_font_file.h"

#include <memory>
#include <optional>
#include <type_traits>

#include "core/font_file_tables.h"

namespace pictor::win32ui {
namespace {

constexpr DWORD kHeaderTableTag = 0x64616568;  // "head", as GetFontData takes it (bytes reversed)

struct FileCloser {
  void operator()(HANDLE file) const { CloseHandle(file); }
};

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::wstring& path) {
  const HANDLE opened =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
  const std::unique_ptr<std::remove_pointer_t<HANDLE>, FileCloser> file(opened);
  const DWORD size = GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE) return std::nullopt;
  std::vector<std::uint8_t> bytes(size);
  DWORD read = 0;
  if (size > 0 && (!ReadFile(file.get(), bytes.data(), size, &read, nullptr) || read != size)) return std::nullopt;
  return bytes;
}

}  // namespace

PrivateFontFile::PrivateFontFile(std::wstring path) : path_(std::move(path)) {
  const auto bytes = ReadWholeFile(path_);
  if (!bytes) return;
  const auto family = FontFamilyName(*bytes);
  const auto header = FindFontTable(*bytes, "head");
  if (!family || family->empty() || !header) return;
  family_.assign(family->begin(), family->end());
  header_.assign(header->begin(), header->end());
  added_ = AddFontResourceExW(path_.c_str(), FR_PRIVATE, nullptr) > 0;
  if (!added_) family_.clear();
}

PrivateFontFile::~PrivateFontFile() {
  if (added_) RemoveFontResourceExW(path_.c_str(), FR_PRIVATE, nullptr);
}

bool PrivateFontFile::IsSelectedIn(HDC dc) const {
  if (!added_) return false;
  std::vector<std::uint8_t> selected(header_.size());
  const DWORD size = static_cast<DWORD>(selected.size());
  return GetFontData(dc, kHeaderTableTag, 0, selected.data(), size) == size && selected == header_;
}

}  // namespace pictor::win32ui
