#include "substitute.h"

#include "code_selector.h"

namespace tessel {
namespace {

std::size_t AppendHex(std::uint8_t v, char* out) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  if (v >= 0x10) {
    out[0] = kDigits[v >> 4];
    out[1] = kDigits[v & 0xF];
    return 2;
  }
  out[0] = kDigits[v];
  return 1;
}

}  // namespace

std::size_t WriteSubstituteText(std::uint32_t value, std::uint8_t target, std::uint8_t* out) {
  char text[8];
  std::size_t n = 0;
  text[n++] = '<';
  n += AppendHex(static_cast<std::uint8_t>(value >> 16), text + n);
  n += AppendHex(static_cast<std::uint8_t>(value >> 8), text + n);
  n += AppendHex(static_cast<std::uint8_t>(value), text + n);
  text[n++] = '>';

  std::uint8_t* p = out;
  for (std::size_t i = 0; i < n; ++i) {
    *p++ = static_cast<std::uint8_t>(text[i]);
    if (target == kSelectorUcs) *p++ = 0x00;
    if (target == kSelectorEuc) *p++ = 0x80;
  }
  return static_cast<std::size_t>(p - out);
}

}  // namespace tessel
