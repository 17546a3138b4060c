#pragma once
// UTF-8 to and from UCS-2 little-endian, for the command-line host's convenience encoding.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessel::tools {

// UCS-2LE code units (characters beyond the BMP as surrogate pairs), or the offset of the first
// byte that is not valid UTF-8.
struct Utf8Decoded {
  std::string ucs2;
  std::optional<std::size_t> bad_offset;
};

// `pending` holds the bytes of a character cut off at the end of a block; `last` marks the final
// block, where a cut-off character is invalid.
inline Utf8Decoded Utf8ToUcs2(std::string_view bytes, std::string& pending, bool last, std::size_t offset) {
  Utf8Decoded out;
  std::string text = pending + std::string(bytes);
  pending.clear();
  auto put = [&](std::uint32_t unit) {
    out.ucs2 += static_cast<char>(unit & 0xFF);
    out.ucs2 += static_cast<char>(unit >> 8);
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<std::uint8_t>(text[i]);
    std::size_t length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (length == 0) {
      out.bad_offset = offset + i;
      return out;
    }
    if (i + length > text.size()) {
      if (last) {
        out.bad_offset = offset + i;
        return out;
      }
      pending = text.substr(i);
      break;
    }
    std::uint32_t cp = length == 1 ? b : b & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto c = static_cast<std::uint8_t>(text[i + k]);
      if ((c & 0xC0) != 0x80) {
        out.bad_offset = offset + i;
        return out;
      }
      cp = (cp << 6) | (c & 0x3F);
    }
    const bool overlong = (length == 2 && cp < 0x80) || (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.bad_offset = offset + i;
      return out;
    }
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
    i += length;
  }
  return out;
}

// UCS-2LE to UTF-8; surrogate pairs join, a lone surrogate becomes U+FFFD. `pending` carries an
// odd byte or a high surrogate to the next block.
inline std::string Ucs2ToUtf8(std::string_view bytes, std::string& pending, bool last) {
  std::string text = pending + std::string(bytes);
  pending.clear();
  std::string out;
  auto put = [&](std::uint32_t cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  };
  auto unit_at = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[i]) |
                                      (static_cast<std::uint8_t>(text[i + 1]) << 8));
  };
  std::size_t i = 0;
  while (i + 1 < text.size()) {
    const std::uint32_t unit = unit_at(i);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 3 >= text.size() && !last) break;  // the low surrogate may follow in the next block
      if (i + 3 < text.size()) {
        const std::uint32_t low = unit_at(i + 2);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          put(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
          i += 4;
          continue;
        }
      }
      put(0xFFFD);
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      put(0xFFFD);
    } else {
      put(unit);
    }
    i += 2;
  }
  pending = text.substr(i);
  if (last && !pending.empty()) {
    put(0xFFFD);
    pending.clear();
  }
  return out;
}

}  // namespace tessel::tools
