#pragma once
// The control bytes and escape sequences of the seven-bit (ISO 2022) form of CNS 11643, defined
// once for the decoder, the encoder and the file header.

#include <array>
#include <cstdint>

namespace tessel::iso2022 {

inline constexpr std::uint8_t kShiftOut = 0x0E;  // SO: invoke G1
inline constexpr std::uint8_t kShiftIn = 0x0F;   // SI: invoke G0, single bytes
inline constexpr std::uint8_t kEscape = 0x1B;

// ESC $ <set> <final>: designates the plane named by <final> to the graphic set named by <set>.
inline constexpr std::uint8_t kMultiByteDesignation = 0x24;
// <set> byte by graphic set; G0 holds single bytes and takes no designation.
inline constexpr std::array<std::uint8_t, 4> kDesignationSet{0x00, 0x29, 0x2A, 0x2B};
// <final> byte: plane + 0x46, "G" for plane 1 up to "V" for plane 16.
inline constexpr std::uint8_t kPlaneFinalBase = 0x46;
inline constexpr std::uint8_t kFirstPlaneFinal = kPlaneFinalBase + 1;
inline constexpr std::uint8_t kLastPlaneFinal = kPlaneFinalBase + 16;

// ESC N and ESC O take the next character from G2 or G3; ESC n and ESC o invoke G2 or G3 until
// the next shift (read, never written). Indexed by graphic set; G0 and G1 have none.
inline constexpr std::array<std::uint8_t, 4> kSingleShift{0x00, 0x00, 0x4E, 0x4F};
inline constexpr std::array<std::uint8_t, 4> kLockingShift{0x00, 0x00, 0x6E, 0x6F};

// The decoder maps these bytes back to sets by subtraction.
static_assert(kDesignationSet[2] == kDesignationSet[1] + 1 && kDesignationSet[3] == kDesignationSet[1] + 2);
static_assert(kSingleShift[3] == kSingleShift[2] + 1 && kLockingShift[3] == kLockingShift[2] + 1);

// The four bytes that designate `plane` (1-16) to graphic set `set` (1-3).
constexpr std::array<std::uint8_t, 4> Designation(int set, int plane) {
  return {kEscape, kMultiByteDesignation, kDesignationSet[static_cast<std::size_t>(set)],
          static_cast<std::uint8_t>(kPlaneFinalBase + plane)};
}

// The header of a seven-bit file: SI, then plane 1 in G1 and plane 2 in G2, the designations the
// encoder starts from.
inline constexpr std::array<std::uint8_t, 9> kFileHeader = [] {
  const auto g1 = Designation(1, 1);
  const auto g2 = Designation(2, 2);
  return std::array<std::uint8_t, 9>{kShiftIn, g1[0], g1[1], g1[2], g1[3], g2[0], g2[1], g2[2], g2[3]};
}();

}  // namespace tessel::iso2022
