// The typefaces that fontconfig offers for Traditional Chinese, standing in for the Big5 TrueType
// typefaces that Windows enumerates.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform_ports.h"
#include "platform/posix/iconv_codec.h"

namespace pictor::posix {

// Every family name of every font that covers Traditional Chinese (lang zh-tw) with TrueType or
// OpenType outlines, reported as a Big5 TrueType face; names that have no code page 950 spelling
// are left out. Uses the configuration fontconfig finds (FONTCONFIG_FILE, else the system's).
class FontconfigFaces : public FontListPort {
 public:
  explicit FontconfigFaces(const IconvCp950Codec& codec) : codec_(codec) {}
  std::vector<FontFace> InstalledFaces() override;

 private:
  const IconvCp950Codec& codec_;
};

// `face` (UTF-8) when fontconfig lists a font of that family; else the Traditional-Chinese Ming
// (serif) family fontconfig chooses in its place, when that one covers Traditional Chinese; else
// nullopt. The texts and dialogs of pictor are set in it.
std::optional<std::string> InstalledOrMingFamily(std::string_view face);

}  // namespace pictor::posix
