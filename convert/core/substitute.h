#pragma once
// What a character that cannot be converted becomes.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tessel {

// Seven-bit CNS targets get this visible CNS character (plane 1, 0x21 0x7B).
inline constexpr std::array<std::uint8_t, 3> kSubstituteCns{1, 0x21, 0x7B};

// Other targets get "<%X%X%X>" of bits 16-23, 8-15 and 0-7 of the value, in upper-case hexadecimal
// without leading zeros, each character widened for the target: UCS-2 appends 0x00, EUC appends
// 0x80, Big5 and GBK use the text as it is. Returns the byte count (at most kMaxSubstituteLength).
std::size_t WriteSubstituteText(std::uint32_t value, std::uint8_t target, std::uint8_t* out);

inline constexpr std::size_t kMaxSubstituteLength = 16;

}  // namespace tessel
