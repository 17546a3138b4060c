#include "platform/posix/iconv_codec.h"

#include <stdexcept>

#include "core/registry_text.h"

namespace pictor::posix {
namespace {

// Converts one character; returns the number of output bytes, or 0 when it has no conversion.
std::size_t ConvertOne(iconv_t converter, const char* in, std::size_t in_size, char* out, std::size_t out_size) {
  iconv(converter, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  char* input = const_cast<char*>(in);
  char* output = out;
  std::size_t in_left = in_size;
  std::size_t out_left = out_size;
  if (iconv(converter, &input, &in_left, &output, &out_left) == static_cast<std::size_t>(-1)) return 0;
  if (in_left != 0) return 0;
  return out_size - out_left;
}

}  // namespace

IconvCp950Codec::IconvCp950Codec()
    : decoder_(iconv_open("UTF-16LE", "CP950")), encoder_(iconv_open("CP950", "UTF-16LE")) {
  if (decoder_ == reinterpret_cast<iconv_t>(-1) || encoder_ == reinterpret_cast<iconv_t>(-1)) {
    if (decoder_ != reinterpret_cast<iconv_t>(-1)) iconv_close(decoder_);
    if (encoder_ != reinterpret_cast<iconv_t>(-1)) iconv_close(encoder_);
    throw std::runtime_error("the system's character converter (iconv) lacks code page 950");
  }
}

IconvCp950Codec::~IconvCp950Codec() {
  iconv_close(decoder_);
  iconv_close(encoder_);
}

char16_t IconvCp950Codec::DecodePair(std::uint16_t code) const {
  const char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  char out[4];
  if (ConvertOne(decoder_, in, 2, out, sizeof out) != 2) return u'\uFFFD';
  return static_cast<char16_t>(static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
}

std::string IconvCp950Codec::EncodeOther(char32_t code_point) const {
  if (code_point > 0xFFFF) return "?";  // code page 950 has nothing beyond the first plane
  const char in[2] = {static_cast<char>(code_point & 0xFF), static_cast<char>(code_point >> 8)};
  char out[4];
  const std::size_t length = ConvertOne(encoder_, in, 2, out, sizeof out);
  if (length == 0) return "?";
  return std::string(out, length);
}

std::string IconvCp950Codec::ToUtf8(std::string_view cp950) const { return regfile::Utf16ToUtf8(ToUtf16(cp950)); }

std::string IconvCp950Codec::FromUtf8(std::string_view utf8) const {
  std::u16string utf16;
  if (!regfile::Utf8ToUtf16(utf8, utf16)) return FromUtf16(regfile::WidenBytes(utf8));
  return FromUtf16(utf16);
}

}  // namespace pictor::posix
