#include "cns_coder.h"

namespace tessel {

DecodedChar CnsCoder::decodeInDetail(std::span<const std::uint8_t> text, bool textContinues) {
  DecodedChar result;
  const std::uint8_t* t = text.data();
  const std::size_t size = text.size();
  // Bytes are read in order, so every byte before `at` is known not to be zero.
  auto available = [&](std::size_t at) { return at < size && t[at] != 0; };
  // Only the end of the span may be continued; a zero byte is a real end.
  auto cutBySpanEnd = [&](std::size_t at) { return textContinues && at >= size; };

  if (!available(0)) return result;  // empty text: the pending byte, if any, waits

  // The decoder works on copies of its state and commits them when a character is complete, so a
  // character that waits for more text leaves the state as it was.
  std::array<std::int32_t, 4> designation = state_.designation;
  std::int32_t shift = state_.shift;
  std::int32_t savedShift = 0;
  std::uint8_t pendingByte = state_.pendingByte;
  std::int32_t error = 0;
  auto commit = [&](std::size_t taken) {
    state_.designation = designation;
    state_.shift = shift;
    state_.savedShift = savedShift;
    state_.pendingByte = pendingByte;
    state_.error = error;
    result.taken = taken;
    return result;
  };
  auto needMore = [&] {
    DecodedChar more;
    more.needMore = true;
    return more;
  };

  std::size_t pos = 0;
  // The byte after an escape: the terminating zero counts as a byte here.
  auto takeEscapeByte = [&](std::uint8_t& byte) {
    if (cutBySpanEnd(pos)) return false;
    byte = available(pos) ? t[pos] : 0;
    ++pos;
    return true;
  };

  while (available(pos) && error == 0) {
    std::uint8_t b;
    if (pendingByte != 0) {
      b = pendingByte;
      pendingByte = 0;
    } else {
      b = t[pos++];
    }

    if (b == kShiftOut) {
      shift = 1;
      continue;
    }
    if (b == kShiftIn) {
      shift = 0;
      continue;
    }
    if (b == kEscape) {
      std::uint8_t x;
      if (!takeEscapeByte(x)) return needMore();
      if (x == iso2022::kMultiByteDesignation) {
        std::uint8_t y;
        if (!takeEscapeByte(y)) return needMore();
        if (y >= iso2022::kDesignationSet[1] && y <= iso2022::kDesignationSet[3]) {
          std::uint8_t z;
          if (!takeEscapeByte(z)) return needMore();
          if (z >= iso2022::kFirstPlaneFinal && z <= iso2022::kLastPlaneFinal) {
            designation[y - iso2022::kDesignationSet[1] + 1u] = z - iso2022::kPlaneFinalBase;
          } else {
            error = 4;
          }
        } else {
          error = 3;
        }
      } else if (x == iso2022::kSingleShift[2] || x == iso2022::kSingleShift[3]) {
        savedShift = shift | 0x10;
        shift = x - iso2022::kSingleShift[2] + 2;
      } else if (x == iso2022::kLockingShift[2] || x == iso2022::kLockingShift[3]) {
        shift = x - iso2022::kLockingShift[2] + 2;
      } else {
        error = 2;
      }
      continue;
    }

    const std::int32_t plane = designation[static_cast<std::size_t>(shift)];
    if (plane == 0) {
      result.bytes = {0, b, 0};
      result.length = 2;
    } else if (available(pos)) {
      result.bytes = {static_cast<std::uint8_t>(plane), b, t[pos++]};
      result.length = 3;
    } else {
      if (cutBySpanEnd(pos)) return needMore();
      pendingByte = b;
      result.bytes = {0xFF, b, 0};
      result.length = 2;
    }
    if (savedShift & 0x10) shift = savedShift & 0x0F;
    return commit(pos);
  }

  // No data byte: the text ran out after shifts or escapes, or an escape sequence failed. The
  // byte that stood first is handed on by itself.
  if (error == 0 && cutBySpanEnd(pos)) return needMore();
  result.bytes = {t[0], 0, 0};
  result.length = 1;
  return commit(pos);
}

}  // namespace tessel
