#include "platform/posix/utf8_names.h"

#include "core/utf8_text.h"

namespace quillon::posix {
namespace {

// Length of the valid UTF-8 sequence starting at bytes[i] and its code point; 0 when invalid
// (bad lead byte, missing or bad continuation, overlong form, surrogate, beyond U+10FFFF).
std::size_t DecodeSequence(std::string_view bytes, std::size_t i, char32_t& code_point) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  }
  std::size_t length;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, code_point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, code_point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, code_point = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > bytes.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code_point = (code_point << 6) | (byte(i + k) & 0x3F);
  }
  if (code_point < minimum || code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF)) return 0;
  return length;
}

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

DecodedName DecodeName(std::string_view bytes) {
  DecodedName result;
  result.text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t c = 0;
    const std::size_t length = DecodeSequence(bytes, i, c);
    if (length == 0) {
      result.text += static_cast<char16_t>(0xDC00 | static_cast<unsigned char>(bytes[i]));
      result.exact = false;
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      result.text += static_cast<char16_t>(0xD800 | (c >> 10));
      result.text += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    } else {
      result.text += static_cast<char16_t>(c);
    }
    i += length;
  }
  return result;
}

std::string EncodePath(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (IsHigh(u) && i + 1 < text.size() && IsLow(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (u >= 0xDC80 && u <= 0xDCFF) {
      out += static_cast<char>(u & 0xFF);  // a byte that was not valid UTF-8
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

std::optional<std::string> EncodeNameStrict(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (IsHigh(u) && i + 1 < text.size() && IsLow(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (IsHigh(u) || IsLow(u)) {
      return std::nullopt;
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

}  // namespace quillon::posix
