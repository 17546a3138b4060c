#pragma once
// The seven-bit (ISO 2022) form of CNS 11643: a decoder that reads one character and an encoder
// that writes one, sharing the process-wide state that both keep between characters.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tessel {

inline constexpr std::uint8_t kShiftOut = 0x0E;
inline constexpr std::uint8_t kShiftIn = 0x0F;
inline constexpr std::uint8_t kEscape = 0x1B;
inline constexpr int kMaxPlane = 16;

struct Iso2022CnsState {
  // Decoder side.
  std::array<std::int32_t, 4> designation{0, 1, 2, 3};  // plane in G0..G3 (G0: single bytes)
  std::int32_t shift = 0;                               // invoked set
  std::int32_t savedShift = 0;                          // 0x10 | set to return to after a single shift
  std::uint8_t pendingByte = 0;                         // first byte of a character cut off at the text's end
  std::int32_t error = 0;                               // 2, 3 or 4 after a bad escape sequence
  // Encoder side.
  std::array<std::int32_t, kMaxPlane + 1> planeSet{0, 1, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  std::uint8_t g3Plane = 3;
  std::uint8_t shiftedOut = 0;

  friend bool operator==(const Iso2022CnsState&, const Iso2022CnsState&) = default;
};

struct DecodedChar {
  // Plane 0 and a byte for a single byte; plane, first, second for a CNS character; 0xFF and the
  // byte for a character cut off at the end of the text; one byte when an escape sequence failed
  // or only shifts were left.
  std::array<std::uint8_t, 3> bytes{};
  std::uint8_t length = 0;  // 0 when the text was empty
  std::size_t taken = 0;    // text bytes used, escape sequences and shifts included
  bool needMore = false;    // the text ends inside a character and more text follows
};

class CnsCoder {
 public:
  void reset() { state_ = Iso2022CnsState{}; }
  const Iso2022CnsState& state() const { return state_; }
  Iso2022CnsState& state() { return state_; }

  // Reads one character from `text`, which ends at its first zero byte or at its end. When
  // `textContinues` is set and the text's end (not a zero byte) cuts a character or escape
  // sequence short, nothing is consumed, the state is left as it was and `needMore` is set.
  DecodedChar decode(std::span<const std::uint8_t> text, bool textContinues = false);

  // Writes plane `plane` with bytes b1, b2 (plane 0: the byte in b1) and returns the count written,
  // at most kMaxEncodedLength. Planes above 16 are written as the substitute character.
  std::size_t encode(std::uint8_t plane, std::uint8_t b1, std::uint8_t b2, std::uint8_t* out);

  static constexpr std::size_t kMaxEncodedLength = 9;

 private:
  Iso2022CnsState state_;
};

}  // namespace tessel
