#include "cp950_codec.h"

#include "code_space.h"

namespace pictor::regfile {

char16_t BasicCp950Codec::DecodePair(std::uint16_t) const { return u'\uFFFD'; }

std::string BasicCp950Codec::EncodeOther(char32_t) const { return "?"; }

std::u16string BasicCp950Codec::ToUtf16(std::string_view cp950) const {
  std::u16string out;
  out.reserve(cp950.size());
  for (std::size_t i = 0; i < cp950.size(); ++i) {
    const auto lead = static_cast<unsigned char>(cp950[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      continue;
    }
    if (lead < 0x81 || lead > 0xFE || i + 1 >= cp950.size()) {
      out.push_back(u'\uFFFD');
      continue;
    }
    const auto code = static_cast<std::uint16_t>((lead << 8) | static_cast<unsigned char>(cp950[i + 1]));
    ++i;
    if (const auto private_use = Big5ToPrivateUse(code)) {
      out.push_back(*private_use);
    } else {
      out.push_back(DecodePair(code));
    }
  }
  return out;
}

std::string BasicCp950Codec::FromUtf16(std::u16string_view utf16) const {
  std::string out;
  out.reserve(utf16.size() * 2);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
      continue;
    }
    if (const auto ordinal = PrivateUseToOrdinal(cp)) {
      const std::uint16_t code = OrdinalToBig5(*ordinal);
      out.push_back(static_cast<char>(code >> 8));
      out.push_back(static_cast<char>(code & 0xFF));
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00u);
      ++i;
    }
    out += EncodeOther(cp);
  }
  return out;
}

}  // namespace pictor::regfile
