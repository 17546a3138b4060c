#include "cns_coder.h"

namespace tessel {

DecodedChar CnsCoder::DecodeInDetail(std::span<const std::uint8_t> text, bool text_continues) {
  DecodedChar result;
  const std::uint8_t* t = text.data();
  const std::size_t size = text.size();
  // Bytes are read in order, so every byte before `at` is known not to be zero.
  auto available = [&](std::size_t at) { return at < size && t[at] != 0; };
  // Only the end of the span may be continued; a zero byte is a real end.
  auto cut_by_span_end = [&](std::size_t at) { return text_continues && at >= size; };

  if (!available(0)) return result;  // empty text: the pending byte, if any, waits

  // The decoder works on copies of its state and commits them when a character is complete, so a
  // character that waits for more text leaves the state as it was.
  std::array<std::int32_t, 4> designation = state_.designation;
  std::int32_t shift = state_.shift;
  std::int32_t saved_shift = 0;
  std::uint8_t pending_byte = state_.pending_byte;
  std::int32_t error = 0;
  auto commit = [&](std::size_t taken) {
    state_.designation = designation;
    state_.shift = shift;
    state_.saved_shift = saved_shift;
    state_.pending_byte = pending_byte;
    state_.error = error;
    result.taken = taken;
    return result;
  };
  auto need_more = [&] {
    DecodedChar more;
    more.need_more = true;
    return more;
  };

  std::size_t pos = 0;
  // The byte after an escape: the terminating zero counts as a byte here.
  auto take_escape_byte = [&](std::uint8_t& byte) {
    if (cut_by_span_end(pos)) return false;
    byte = available(pos) ? t[pos] : 0;
    ++pos;
    return true;
  };

  while (available(pos) && error == 0) {
    std::uint8_t b;
    if (pending_byte != 0) {
      b = pending_byte;
      pending_byte = 0;
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
      if (!take_escape_byte(x)) return need_more();
      if (x == iso2022::kMultiByteDesignation) {
        std::uint8_t y;
        if (!take_escape_byte(y)) return need_more();
        if (y >= iso2022::kDesignationSet[1] && y <= iso2022::kDesignationSet[3]) {
          std::uint8_t z;
          if (!take_escape_byte(z)) return need_more();
          if (z >= iso2022::kFirstPlaneFinal && z <= iso2022::kLastPlaneFinal) {
            designation[y - iso2022::kDesignationSet[1] + 1u] = z - iso2022::kPlaneFinalBase;
          } else {
            error = 4;
          }
        } else {
          error = 3;
        }
      } else if (x == iso2022::kSingleShift[2] || x == iso2022::kSingleShift[3]) {
        saved_shift = shift | 0x10;
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
      if (cut_by_span_end(pos)) return need_more();
      pending_byte = b;
      result.bytes = {0xFF, b, 0};
      result.length = 2;
    }
    if (saved_shift & 0x10) shift = saved_shift & 0x0F;
    return commit(pos);
  }

  // No data byte: the text ran out after shifts or escapes, or an escape sequence failed. The
  // byte that stood first is handed on by itself.
  if (error == 0 && cut_by_span_end(pos)) return need_more();
  result.bytes = {t[0], 0, 0};
  result.length = 1;
  return commit(pos);
}

}  // namespace tessel
