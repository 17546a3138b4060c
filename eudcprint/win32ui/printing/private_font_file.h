// An EUDC font file loaded for this process alone (AddFontResourceExW with FR_PRIVATE), so that a
// font created by the file's family name draws the file's own glyphs and nothing else: neither
// an installed font of that name nor the system's EUDC linking fills a code the file lacks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pictor::win32ui {

class PrivateFontFile {
 public:
  // `path` as the file system names it. A file that cannot be read or loaded is not an error
  // here: the font is then not Loaded(), and every character drawn from it stays empty.
  explicit PrivateFontFile(std::wstring path);
  ~PrivateFontFile();
  PrivateFontFile(const PrivateFontFile&) = delete;
  PrivateFontFile& operator=(const PrivateFontFile&) = delete;

  bool Loaded() const { return added_; }
  // The family name fonts of the file are created by (name id 1); empty unless loaded.
  const std::wstring& FamilyName() const { return family_; }
  // Whether the font selected into `dc` comes from this file: its header table, which holds the
  // whole file's checksum adjustment and dates, is byte for byte the file's.
  bool IsSelectedIn(HDC dc) const;

 private:
  std::wstring path_;
  std::vector<std::uint8_t> header_;
  std::wstring family_;
  bool added_ = false;
};

}  // namespace pictor::win32ui
