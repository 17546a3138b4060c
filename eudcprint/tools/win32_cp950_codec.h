// Code page 950 to and from UTF-16 through the system's own code page tables, for the tools built
// for Windows (the registry files they write hold UTF-16).
#pragma once

#include <string>
#include <string_view>

#include "core/cp950_codec.h"

namespace pictor::tools {

class Win32Cp950Codec : public regfile::BasicCp950Codec {
 public:
  std::string FromUtf8(std::string_view utf8) const;

 protected:
  char16_t DecodePair(std::uint16_t code) const override;
  std::string EncodeOther(char32_t code_point) const override;
};

}  // namespace pictor::tools
