#include "cns_coder.h"

#include "substitute.h"

namespace tessel {

DecodedChar CnsCoder::decode(std::span<const std::uint8_t> text, bool textContinues) {
  Iso2022CnsState& s = state_;
  DecodedChar result;

  // Bytes are read in order, so every byte before `at` is known not to be zero.
  auto available = [&](std::size_t at) { return at < text.size() && text[at] != 0; };
  // Only the end of the span may be continued; a zero byte is a real end.
  auto cutBySpanEnd = [&](std::size_t at) { return textContinues && at >= text.size(); };

  if (!available(0)) return result;  // empty text: the pending byte, if any, waits

  const Iso2022CnsState before = s;
  auto needMore = [&] {
    s = before;
    DecodedChar more;
    more.needMore = true;
    return more;
  };

  s.savedShift = 0;
  s.error = 0;
  std::size_t pos = 0;
  // The byte after an escape: the terminating zero counts as a byte here.
  auto takeEscapeByte = [&](std::uint8_t& byte) {
    if (cutBySpanEnd(pos)) return false;
    byte = available(pos) ? text[pos] : 0;
    ++pos;
    return true;
  };

  while (available(pos) && s.error == 0) {
    std::uint8_t b;
    if (s.pendingByte != 0) {
      b = s.pendingByte;
      s.pendingByte = 0;
    } else {
      b = text[pos++];
    }

    if (b == kShiftOut) {
      s.shift = 1;
      continue;
    }
    if (b == kShiftIn) {
      s.shift = 0;
      continue;
    }
    if (b == kEscape) {
      std::uint8_t x;
      if (!takeEscapeByte(x)) return needMore();
      if (x == 0x24) {
        std::uint8_t y;
        if (!takeEscapeByte(y)) return needMore();
        if (y >= 0x29 && y <= 0x2B) {
          std::uint8_t z;
          if (!takeEscapeByte(z)) return needMore();
          if (z >= 0x47 && z <= 0x56) {
            s.designation[y - 0x28] = z - 0x46;
          } else {
            s.error = 4;
          }
        } else {
          s.error = 3;
        }
      } else if (x == 0x4E || x == 0x4F) {
        s.savedShift = s.shift | 0x10;
        s.shift = x - 0x4C;
      } else if (x == 0x6E || x == 0x6F) {
        s.shift = x - 0x6C;
      } else {
        s.error = 2;
      }
      continue;
    }

    const std::int32_t plane = s.designation[static_cast<std::size_t>(s.shift)];
    if (plane == 0) {
      result.bytes = {0, b, 0};
      result.length = 2;
    } else if (available(pos)) {
      result.bytes = {static_cast<std::uint8_t>(plane), b, text[pos++]};
      result.length = 3;
    } else {
      if (cutBySpanEnd(pos)) return needMore();
      s.pendingByte = b;
      result.bytes = {0xFF, b, 0};
      result.length = 2;
    }
    if (s.savedShift & 0x10) s.shift = s.savedShift & 0x0F;
    result.taken = pos;
    return result;
  }

  // No data byte: the text ran out after shifts or escapes, or an escape sequence failed. The
  // byte that stood first is handed on by itself.
  if (s.error == 0 && cutBySpanEnd(pos)) return needMore();
  result.bytes = {text[0], 0, 0};
  result.length = 1;
  result.taken = pos;
  return result;
}

std::size_t CnsCoder::encode(std::uint8_t plane, std::uint8_t b1, std::uint8_t b2, std::uint8_t* out) {
  Iso2022CnsState& s = state_;
  if (plane > kMaxPlane) {
    plane = kSubstituteCns[0];
    b1 = kSubstituteCns[1];
    b2 = kSubstituteCns[2];
  }

  std::uint8_t* p = out;
  if (s.planeSet[plane] < 0) {
    // Planes from 3 up share G3, the latest designation replacing the one before.
    s.planeSet[s.g3Plane] = -1;
    s.g3Plane = plane;
    s.planeSet[plane] = 3;
    *p++ = kEscape;
    *p++ = 0x24;
    *p++ = 0x2B;
    *p++ = static_cast<std::uint8_t>(0x46 + plane);
  }

  const std::int32_t set = s.planeSet[plane];
  if (set == 0) {
    if (s.shiftedOut) *p++ = kShiftIn;
    s.shiftedOut = 0;
  } else {
    if (!s.shiftedOut) *p++ = kShiftOut;
    s.shiftedOut = 1;
    if (set >= 2) {
      *p++ = kEscape;
      *p++ = static_cast<std::uint8_t>(set == 2 ? 0x4E : 0x4F);
    }
  }

  *p++ = b1;
  if (s.shiftedOut) *p++ = b2;
  return static_cast<std::size_t>(p - out);
}

}  // namespace tessel
