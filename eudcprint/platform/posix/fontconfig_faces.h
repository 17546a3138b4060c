// The typefaces that fontconfig offers for Traditional Chinese, standing in for the Big5 TrueType
// typefaces that Windows enumerates.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "iconv_codec.h"
#include "platform_ports.h"

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

// The family fontconfig chooses for a pattern such as "serif:lang=zh-tw", in UTF-8.
std::optional<std::string> FontconfigMatchFamily(std::string_view pattern);

}  // namespace pictor::posix
