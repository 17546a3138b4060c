#pragma once
// EUC-TW as other tools write it, beside the library's own EUC form. The library writes every CNS
// character in four bytes (8E, A0 + plane, first | 80, second | 80); other tools write plane 1 in
// two bytes (first | 80, second | 80) and only the other planes after the single shift 8E. These
// converters translate between the two forms a block at a time, for the command-line host.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessel::tools {

inline constexpr std::uint8_t kSingleShift2 = 0x8E;
inline constexpr std::uint8_t kPlaneByteBase = 0xA0;  // the byte after 8E is A0 + plane
inline constexpr std::uint8_t kPlaneOneByte = kPlaneByteBase + 1;

// A byte of a two-byte CNS code with its high bit set: A1 to FE.
inline constexpr std::uint8_t kFirstCodeByte = 0xA1;
inline constexpr std::uint8_t kLastCodeByte = 0xFE;
constexpr bool IsEucCodeByte(std::uint8_t b) { return b >= kFirstCodeByte && b <= kLastCodeByte; }
// The byte after 8E in a four-byte character the library reads (A0 + plane, planes 0 to 16).
constexpr bool IsEucPlaneByte(std::uint8_t b) { return b >= kPlaneByteBase && b <= kPlaneByteBase + 16; }

// EUC-TW in either form to the library's four-byte form: a two-byte plane-1 character gains
// 8E A1; four-byte characters, single bytes and bytes that begin no character pass unchanged.
class EucTwWidener {
 public:
  // `useShuffles` false keeps to the instructions every processor of the build's kind has (for
  // comparing the two ways of widening); true uses byte shuffles where the processor has them.
  explicit EucTwWidener(bool use_shuffles = true);
  // `last` marks the final block: bytes held back as the start of a character are then passed on.
  // The result ends after a whole character (the bytes held back begin the next result).
  std::string Convert(std::string_view block, bool last) {
    const std::span<char> result = ConvertInBuffer(block, last);
    return std::string(result.begin(), result.end());
  }
  // The same into a buffer of the widener's own, valid until the next call; the buffer holds at
  // least kSpareBytes more bytes after the result, which the caller may overwrite.
  std::span<char> ConvertInBuffer(std::string_view block, bool last);
  static constexpr std::size_t kSpareBytes = 4;
  // The planes (bit n for plane n) of the four-byte characters written so far.
  std::uint32_t PlanesSeen() const { return planes_; }
  // Whether a zero byte was written so far.
  bool ZeroWritten() const { return zero_written_; }

 private:
  std::string pending_;
  std::vector<char> out_;
  std::uint32_t planes_ = 0;
  bool zero_written_ = false;
  bool spread_units_;
};

// The library's four-byte form to EUC-TW: a plane-1 character 8E A1 x y becomes x y; everything
// else passes unchanged.
class EucTwNarrower {
 public:
  // As for the widener: `useShuffles` false keeps to the instructions of every processor of the
  // build's kind.
  explicit EucTwNarrower(bool use_shuffles = true);
  std::string Convert(std::string_view block, bool last) {
    const std::span<char> result = ConvertInBuffer(block, last);
    return std::string(result.begin(), result.end());
  }
  // The same into a buffer of the narrower's own, valid until the next call.
  std::span<char> ConvertInBuffer(std::string_view block, bool last);

 private:
  std::string pending_;
  std::vector<char> out_;
  bool shuffles_;
};

// Counts the two-byte plane-1 characters in text that is read as the library's EUC form, which
// takes them for single bytes: two code bytes in a row outside a four-byte character.
class TwoByteCharacterCounter {
 public:
  void Count(std::string_view block, bool last);
  std::size_t Found() const { return found_; }

 private:
  std::string pending_;
  std::size_t found_ = 0;
};

}  // namespace tessel::tools
