#pragma once
// The seven-bit (ISO 2022) form of CNS 11643: a decoder that reads one character and an encoder
// that writes one, sharing the process-wide state that both keep between characters.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "iso2022_sequences.h"
#include "substitute.h"

namespace tessel {

using iso2022::kEscape;
using iso2022::kShiftIn;
using iso2022::kShiftOut;
inline constexpr int kMaxPlane = 16;

struct Iso2022CnsState {
  // Decoder side.
  std::array<std::int32_t, 4> designation{0, 1, 2, 3};  // plane in G0..G3 (G0: single bytes)
  std::int32_t shift = 0;                               // invoked set
  std::int32_t saved_shift = 0;                         // 0x10 | set to return to after a single shift
  std::uint8_t pending_byte = 0;                        // first byte of a character cut off at the text's end
  std::int32_t error = 0;                               // 2, 3 or 4 after a bad escape sequence
  // Encoder side.
  std::array<std::int32_t, kMaxPlane + 1> plane_set{0, 1, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  std::uint8_t g3_plane = 3;
  std::uint8_t shifted_out = 0;

  friend bool operator==(const Iso2022CnsState&, const Iso2022CnsState&) = default;
};

// A seven-bit file's header designates what both sides start from: plane 1 in G1, plane 2 in G2.
static_assert(iso2022::kFileHeader[4] == iso2022::kPlaneFinalBase + Iso2022CnsState{}.designation[1] &&
              iso2022::kFileHeader[8] == iso2022::kPlaneFinalBase + Iso2022CnsState{}.designation[2] &&
              Iso2022CnsState{}.plane_set[1] == 1 && Iso2022CnsState{}.plane_set[2] == 2);

struct DecodedChar {
  // Plane 0 and a byte for a single byte; plane, first, second for a CNS character; 0xFF and the
  // byte for a character cut off at the end of the text; one byte when an escape sequence failed
  // or only shifts were left.
  std::array<std::uint8_t, 3> bytes{};
  std::uint8_t length = 0;  // 0 when the text was empty
  std::size_t taken = 0;    // text bytes used, escape sequences and shifts included
  bool need_more = false;   // the text ends inside a character and more text follows
};

class CnsCoder {
 public:
  void Reset() { state_ = Iso2022CnsState{}; }
  const Iso2022CnsState& State() const { return state_; }
  Iso2022CnsState& State() { return state_; }

  // Reads one character from `text`, which ends at its first zero byte or at its end. When
  // `textContinues` is set and the text's end (not a zero byte) cuts a character or escape
  // sequence short, nothing is consumed, the state is left as it was and `needMore` is set.
  DecodedChar Decode(std::span<const std::uint8_t> text, bool text_continues = false) {
    // Most characters are a data byte, or two, in the invoked set, or a single shift and two data
    // bytes, with nothing pending; the rest take the detailed path.
    if (state_.pending_byte == 0 && text.size() >= 2) {
      const std::uint8_t* t = text.data();
      if (IsDataByte(t[0]) && IsDataByte(t[1])) {
        const std::int32_t plane = state_.designation[static_cast<std::size_t>(state_.shift)];
        if (plane == 0) return DecodedFast({0, t[0], 0}, 2, 1, 0);
        return DecodedFast({static_cast<std::uint8_t>(plane), t[0], t[1]}, 3, 2, 0);
      }
      if (t[0] == kEscape && (t[1] == iso2022::kSingleShift[2] || t[1] == iso2022::kSingleShift[3]) &&
          text.size() >= 4 && IsDataByte(t[2]) && IsDataByte(t[3])) {
        const std::int32_t plane = state_.designation[t[1] - iso2022::kSingleShift[2] + 2u];
        if (plane != 0) return DecodedFast({static_cast<std::uint8_t>(plane), t[2], t[3]}, 3, 4, state_.shift | 0x10);
      }
    }
    return DecodeInDetail(text, text_continues);
  }

  // Writes plane `plane` with bytes b1, b2 (plane 0: the byte in b1) and returns the count written,
  // at most kMaxEncodedLength. Planes above 16 are written as the substitute character.
  std::size_t Encode(std::uint8_t plane, std::uint8_t b1, std::uint8_t b2, std::uint8_t* out);

  static constexpr std::size_t kMaxEncodedLength = 9;

 private:
  static bool IsDataByte(std::uint8_t b) { return b != 0 && b != kShiftOut && b != kShiftIn && b != kEscape; }

  DecodedChar DecodedFast(std::array<std::uint8_t, 3> bytes, std::uint8_t length, std::size_t taken,
                          std::int32_t saved_shift) {
    state_.saved_shift = saved_shift;
    state_.error = 0;
    DecodedChar result;
    result.bytes = bytes;
    result.length = length;
    result.taken = taken;
    return result;
  }

  DecodedChar DecodeInDetail(std::span<const std::uint8_t> text, bool text_continues);

  Iso2022CnsState state_;
};

// Inline: every character written in seven-bit form passes here.
inline std::size_t CnsCoder::Encode(std::uint8_t plane, std::uint8_t b1, std::uint8_t b2, std::uint8_t* out) {
  if (plane > kMaxPlane) {
    plane = kSubstituteCns[0];
    b1 = kSubstituteCns[1];
    b2 = kSubstituteCns[2];
  }
  std::int32_t set = state_.plane_set[plane];
  std::uint8_t shifted_out = state_.shifted_out;
  if (set > 0 && shifted_out) {
    // Already shifted out with the plane designated: the two bytes, after a single shift for G2
    // and G3. Written without a branch on the set; the escape bytes are overwritten for G1.
    const std::size_t shift_length = set >= 2 ? 2 : 0;
    out[0] = kEscape;
    out[1] = iso2022::kSingleShift[static_cast<std::size_t>(set)];
    out[shift_length] = b1;
    out[shift_length + 1] = b2;
    return shift_length + 2;
  }
  // The state is read into locals and written back once: stores through `out` could otherwise
  // alias it and force reloads after every byte.
  std::uint8_t* p = out;
  if (set < 0) {
    // Planes from 3 up share G3, the latest designation replacing the one before.
    state_.plane_set[state_.g3_plane] = -1;
    state_.g3_plane = plane;
    state_.plane_set[plane] = 3;
    set = 3;
    const auto sequence = iso2022::Designation(3, plane);
    std::copy(sequence.begin(), sequence.end(), p);
    p += sequence.size();
  }

  if (set == 0) {
    if (shifted_out) *p++ = kShiftIn;
    shifted_out = 0;
  } else {
    if (!shifted_out) *p++ = kShiftOut;
    shifted_out = 1;
    if (set >= 2) {
      p[0] = kEscape;
      p[1] = iso2022::kSingleShift[static_cast<std::size_t>(set)];
      p += 2;
    }
  }

  *p++ = b1;
  if (shifted_out) *p++ = b2;
  state_.shifted_out = shifted_out;
  return static_cast<std::size_t>(p - out);
}

}  // namespace tessel
