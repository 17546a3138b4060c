// Code page 950 to and from UTF-16 with the C library's converter, the user-defined area mapped
// to the private-use area as Windows maps it.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

#include "core/cp950_codec.h"

namespace pictor::posix {

class IconvCp950Codec : public regfile::BasicCp950Codec {
 public:
  IconvCp950Codec();  // throws std::runtime_error when the converter lacks code page 950
  ~IconvCp950Codec() override;
  IconvCp950Codec(const IconvCp950Codec&) = delete;
  IconvCp950Codec& operator=(const IconvCp950Codec&) = delete;

  std::string ToUtf8(std::string_view cp950) const;
  std::string FromUtf8(std::string_view utf8) const;

 protected:
  char16_t DecodePair(std::uint16_t code) const override;
  std::string EncodeOther(char32_t code_point) const override;

 private:
  iconv_t decoder_;
  iconv_t encoder_;
};

}  // namespace pictor::posix
