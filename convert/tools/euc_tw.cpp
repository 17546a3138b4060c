#include "euc_tw.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// Where the compiler can build a function for a processor feature beyond the baseline, the widener
// spreads units with byte shuffles when the processor has them (checked at run time).
#if defined(__SSE2__) && defined(__x86_64__) && defined(__GNUC__)
#include <tmmintrin.h>
#define TESSEL_UNIT_SHUFFLE 1
#endif

namespace tessel::tools {
namespace {

enum class Piece { kSingle, kTwoByte, kFourByte, kIncomplete };

// What starts at p, with `left` bytes from there on. A character cut off by the end of the block
// is Incomplete unless the block is the last, where its first byte is a single byte.
Piece PieceAt(const std::uint8_t* p, std::size_t left, bool last) {
  const std::uint8_t b = p[0];
  if (b == kSingleShift2) {
    if (left < 4) return last ? Piece::kSingle : Piece::kIncomplete;
    return IsEucPlaneByte(p[1]) && IsEucCodeByte(p[2]) && IsEucCodeByte(p[3]) ? Piece::kFourByte : Piece::kSingle;
  }
  if (IsEucCodeByte(b)) {
    if (left < 2) return last ? Piece::kSingle : Piece::kIncomplete;
    return IsEucCodeByte(p[1]) ? Piece::kTwoByte : Piece::kSingle;
  }
  return Piece::kSingle;
}

std::size_t PieceLength(Piece piece) {
  switch (piece) {
    case Piece::kTwoByte:
      return 2;
    case Piece::kFourByte:
      return 4;
    default:
      return 1;
  }
}

// The longest piece.
constexpr std::size_t kMaxPiece = 4;
// Bytes of two-byte units widened at once.
constexpr std::size_t kUnitBlock = 32;
// Bytes the widener's stores may write past the end of its result (16-byte stores of units).
constexpr std::size_t kStoreSlack = 16;

// Calls `emit(piece, bytes, length)` for each piece that begins in `pending`, reading the block's
// first bytes after them from a small copy, and returns where in the block the next piece begins;
// std::string_view::npos when everything is still held back (in `pending`).
template <typename Emit>
std::size_t ScanHeld(std::string& pending, std::string_view block, bool last, Emit&& emit) {
  if (pending.empty()) return 0;
  std::uint8_t head[2 * kMaxPiece];
  const std::size_t held = pending.size();
  const std::size_t taken = std::min(block.size(), sizeof head - held);
  std::memcpy(head, pending.data(), held);
  if (taken > 0) std::memcpy(head + held, block.data(), taken);
  const std::size_t head_size = held + taken;
  const bool head_last = last && taken == block.size();
  std::size_t h = 0;
  while (h < held) {
    const Piece piece = PieceAt(head + h, head_size - h, head_last);
    if (piece == Piece::kIncomplete) {
      // Only when the block was too short to finish it: everything left waits.
      pending.assign(reinterpret_cast<const char*>(head + h), head_size - h);
      return std::string_view::npos;
    }
    const std::size_t length = PieceLength(piece);
    emit(piece, head + h, length);
    h += length;
  }
  pending.clear();
  return h - held;
}

// Calls `emit(piece, bytes, length)` for each piece of pending + block, in place, and keeps an
// incomplete tail in `pending`.
template <typename Emit>
void Scan(std::string& pending, std::string_view block, bool last, Emit&& emit) {
  std::size_t i = ScanHeld(pending, block, last, emit);
  if (i == std::string_view::npos) return;
  const auto* text = reinterpret_cast<const std::uint8_t*>(block.data());
  const std::size_t size = block.size();
  while (i < size) {
    const Piece piece = PieceAt(text + i, size - i, last);
    if (piece == Piece::kIncomplete) {
      pending.assign(block.substr(i));
      return;
    }
    const std::size_t length = PieceLength(piece);
    emit(piece, text + i, length);
    i += length;
  }
}

// Room for the converted pending bytes and block, at most `factor` times their size, and for the
// four-byte stores of the last piece.
std::uint8_t* Reserve(std::vector<char>& buffer, std::size_t bytes, std::size_t factor) {
  static_assert(EucTwWidener::kSpareBytes <= kMaxPiece);
  const std::size_t needed = bytes * factor + kMaxPiece + kStoreSlack;
  if (buffer.size() < needed) buffer.resize(needed);
  return reinterpret_cast<std::uint8_t*>(buffer.data());
}

std::span<char> ViewOf(std::vector<char>& buffer, const std::uint8_t* end) {
  return {buffer.data(), static_cast<std::size_t>(end - reinterpret_cast<const std::uint8_t*>(buffer.data()))};
}

// Copies a piece of 1, 2 or 4 bytes with fixed-size moves.
void CopyPiece(std::uint8_t*& o, const std::uint8_t* bytes, std::size_t length) {
  if (length == 4) {
    std::memcpy(o, bytes, 4);
  } else {
    o[0] = bytes[0];
    if (length == 2) o[1] = bytes[1];
  }
  o += length;
}

#if defined(__SSE2__)
// Bit j of each mask says something of byte j of 16.
struct ByteMasks {
  std::uint32_t high;          // from 0x80 up
  std::uint32_t single_shift;  // 8E
  std::uint32_t plane;         // A0 to B0: the plane byte of a four-byte character
  std::uint32_t code;          // A1 to FE
};

ByteMasks MasksAt(const std::uint8_t* p) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // Unsigned ranges as signed comparisons, with the top bit flipped.
  const __m128i s = _mm_xor_si128(v, _mm_set1_epi8(static_cast<char>(0x80)));
  auto in_range = [&](int low, int high) {
    return _mm_and_si128(_mm_cmpgt_epi8(s, _mm_set1_epi8(static_cast<char>((low ^ 0x80) - 1))),
                         _mm_cmplt_epi8(s, _mm_set1_epi8(static_cast<char>((high ^ 0x80) + 1))));
  };
  return {
      static_cast<std::uint32_t>(_mm_movemask_epi8(v)),
      static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(kSingleShift2))))),
      static_cast<std::uint32_t>(_mm_movemask_epi8(in_range(kPlaneByteBase, kPlaneByteBase + 16))),
      static_cast<std::uint32_t>(_mm_movemask_epi8(in_range(kFirstCodeByte, kLastCodeByte)))};
}

#if defined(TESSEL_UNIT_SHUFFLE)
// Four units (eight bytes) at a time: for each set of widened units among the four, the shuffle
// that spreads them (lanes 0 to 7 the units, 8 and 9 the bytes 8E A1 put before a widened unit).
struct UnitShuffles {
  alignas(16) std::uint8_t lanes[16][16];
  std::uint8_t length[16];  // the bytes written for four units
};

constexpr UnitShuffles MakeUnitShuffles() {
  UnitShuffles table{};
  for (unsigned widened = 0; widened < 16; ++widened) {
    unsigned n = 0;
    for (unsigned k = 0; k < 4; ++k) {
      if ((widened >> k) & 1) {
        table.lanes[widened][n++] = 8;
        table.lanes[widened][n++] = 9;
      }
      table.lanes[widened][n++] = static_cast<std::uint8_t>(2 * k);
      table.lanes[widened][n++] = static_cast<std::uint8_t>(2 * k + 1);
    }
    table.length[widened] = static_cast<std::uint8_t>(n);
    while (n < 16) table.lanes[widened][n++] = 0x80;  // zero, past the end of the result
  }
  return table;
}

constexpr UnitShuffles kUnitShuffles = MakeUnitShuffles();

// Writes `units` (at most 16) units from p, those with bit k of `widened` set (unit k) after
// 8E A1, and returns the bytes written; stores 16 bytes at a time, up to 16 past the result.
__attribute__((target("ssse3"))) inline std::size_t SpreadUnits(const std::uint8_t* p, std::uint32_t units,
                                                                std::uint32_t widened, std::uint8_t* o) {
  const __m128i prefix = _mm_set_epi8(0, 0, 0, 0, 0, 0, static_cast<char>(kPlaneOneByte),
                                      static_cast<char>(kSingleShift2), 0, 0, 0, 0, 0, 0, 0, 0);
  std::uint8_t* const start = o;
  if (units > 12) {
    // All of them or all but a few, the common case (a four-byte character whose first unit is
    // the last one waits): four whole groups, the last one's units past `units` (never widened)
    // written and then taken back, so at most 16 bytes past the result.
    for (std::uint32_t k = 0; k < 16; k += 4) {
      const std::uint32_t group = (widened >> k) & 0xF;
      const __m128i source = _mm_or_si128(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 2 * k)), prefix);
      const __m128i lanes = _mm_load_si128(reinterpret_cast<const __m128i*>(kUnitShuffles.lanes[group]));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_shuffle_epi8(source, lanes));
      o += kUnitShuffles.length[group];
    }
    return static_cast<std::size_t>(o - start) - 2 * (16 - units);
  }
  for (std::uint32_t k = 0; k < units; k += 4) {
    const std::uint32_t in_group = std::min<std::uint32_t>(units - k, 4);
    const std::uint32_t group = (widened >> k) & ((1u << in_group) - 1);
    const __m128i source = _mm_or_si128(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 2 * k)), prefix);
    const __m128i lanes = _mm_load_si128(reinterpret_cast<const __m128i*>(kUnitShuffles.lanes[group]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_shuffle_epi8(source, lanes));
    o += kUnitShuffles.length[group] - 2 * (4 - in_group);
  }
  return static_cast<std::size_t>(o - start);
}

#endif

// Widens EUC-TW from p (a piece boundary) as far as its next 32 bytes are two-byte units of
// characters: high bytes, 8E only at the start of a unit and then with a plane byte, every other
// unit two code bytes. Inside a run of such bytes every piece has an even length, so the pieces
// begin at the units: a unit that starts with 8E and the unit after it are a four-byte character
// and are copied, every other unit is a two-byte character and gains 8E A1. Nothing depends on the
// piece before, so the units are told apart all at once. Stops before the first unit that is none
// of these, and before an 8E unit whose second half it does not reach. Returns the bytes used.
// Bit k of each mask says something of unit k (bytes 2k and 2k + 1) of 16 bytes' eight units, for
// 32 bytes taken as two halves.
struct UnitMasks {
  std::uint32_t shift = 0;         // 8E and a plane byte
  std::uint32_t code = 0;          // two code bytes
  std::uint32_t recent_shift = 0;  // 8E and the plane byte `recent`
};

[[gnu::always_inline]] inline UnitMasks UnitMasksAt(const std::uint8_t* p, __m128i recent) {
  const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
  auto in_range = [&](__m128i s, int low, int high) {
    return _mm_and_si128(_mm_cmpgt_epi8(s, _mm_set1_epi8(static_cast<char>((low ^ 0x80) - 1))),
                         _mm_cmplt_epi8(s, _mm_set1_epi8(static_cast<char>((high ^ 0x80) + 1))));
  };
  // A unit's lane is all ones when the first byte's mask (moved into the high byte) and the second
  // byte's mask are both set there.
  auto both_halves = [](__m128i first, __m128i second) {
    return _mm_srai_epi16(_mm_and_si128(_mm_slli_epi16(first, 8), second), 15);
  };
  __m128i shift[2], code[2], recent_shift[2];
  for (int half = 0; half < 2; ++half) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * half));
    const __m128i s = _mm_xor_si128(v, flip);
    const __m128i single_shift = _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(kSingleShift2)));
    const __m128i code_byte = in_range(s, kFirstCodeByte, kLastCodeByte);
    shift[half] = both_halves(single_shift, in_range(s, kPlaneByteBase, kPlaneByteBase + 16));
    code[half] = both_halves(code_byte, code_byte);
    recent_shift[half] = both_halves(single_shift, _mm_cmpeq_epi8(v, recent));
  }
  auto bits = [](const __m128i(&lanes)[2]) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(lanes[0], lanes[1])));
  };
  return {bits(shift), bits(code), bits(recent_shift)};
}

// Widens EUC-TW from p as far as its next 32 bytes are two-byte units of characters: 8E and a
// plane byte, or two code bytes, and after each 8E unit two code bytes. Inside a run of such units
// every piece has an even length, so the pieces begin at the units: an 8E unit and the unit after
// it are a four-byte character and are copied, every other unit is a two-byte character and gains
// 8E A1. Nothing depends on the piece before, so the units are told apart all at once. `carry`,
// when not zero, says that the last unit of the 32 bytes before was an 8E unit (p then starts with
// its second half) and holds the bit of its plane, which counts among the planes seen once the
// second half is read; it is left so when the last unit here is one: runs go on from block to
// block without a character cut by a block's end stopping them. Stops before the first unit that
// is none of these, and before an 8E unit whose second half is not two code bytes; returns the
// bytes used.
template <bool kShuffle>
[[gnu::always_inline]] inline std::size_t WidenUnits(const std::uint8_t* p, std::uint8_t*& q, std::uint32_t& planes,
                                                     std::uint8_t& recent_plane, std::uint32_t& carry) {
  const UnitMasks m = UnitMasksAt(p, _mm_set1_epi8(static_cast<char>(recent_plane)));
  // The units that are the second half of a four-byte character.
  const std::uint32_t second_halves = ((m.shift << 1) | static_cast<std::uint32_t>(carry != 0)) & 0xFFFF;
  // Bit k for each unit k that is neither kind, or a second half that is not two code bytes.
  const std::uint32_t bad = (~(m.shift | m.code) | (second_halves & ~m.code)) & 0xFFFF;
  std::uint32_t units = 16;
  if (bad != 0) {
    units = static_cast<std::uint32_t>(std::countr_zero(bad));
    if (units == 0) return 0;               // an 8E unit before p whose second half is bad stays in `carry`
    units -= (m.shift >> (units - 1)) & 1;  // an 8E unit whose second half is bad is not read
  }
  const std::uint32_t used = (1u << units) - 1;
  const std::uint32_t two_byte = m.code & ~second_halves & used;
  // The 8E units whose second halves are read here; the one in the last unit waits in `carry`.
  const std::uint32_t fours = m.shift & (used >> 1);
  std::uint32_t seen = carry;
  const std::uint32_t waits = (m.shift >> 15) & static_cast<std::uint32_t>(units == 16);
  carry = waits << ((p[31] - kPlaneByteBase) & 31);

  seen |= static_cast<std::uint32_t>(two_byte != 0) << (kPlaneOneByte - kPlaneByteBase);
  // Text mostly keeps to one plane: the plane bytes are compared with the last plane seen (already
  // among `planes`), and only when one differs are they read one by one.
  if ((fours & ~m.recent_shift) != 0) {
    for (std::uint32_t f = fours; f != 0; f &= f - 1) {
      recent_plane = p[2 * std::countr_zero(f) + 1];
      seen |= 1u << (recent_plane - kPlaneByteBase);
    }
  }
  planes |= seen;

  if constexpr (kShuffle) {
#if defined(TESSEL_UNIT_SHUFFLE)
    q += SpreadUnits(p, units, two_byte, q);
    return 2 * static_cast<std::size_t>(units);
#endif
  }

  // In a local: the stores through `o` might otherwise alias what the loop reads.
  std::uint8_t* o = q;
  std::uint32_t widen = two_byte;
  for (std::uint32_t k = 0; k < units; ++k, widen >>= 1) {
    std::uint16_t unit;
    std::memcpy(&unit, p + 2 * k, 2);
    const std::uint32_t widened = widen & 1;
    const std::uint32_t word =
        widened != 0 ? (kSingleShift2 | (kPlaneOneByte << 8) | (std::uint32_t{unit} << 16)) : unit;
    std::memcpy(o, &word, 4);
    o += 2 + 2 * widened;
  }
  q = o;
  return 2 * static_cast<std::size_t>(units);
}
#endif

// Whether the byte shuffles can be used: built for them and the processor has them.
#if defined(TESSEL_UNIT_SHUFFLE)
bool CanShuffleBytes() { return __builtin_cpu_supports("ssse3"); }
#else
bool CanShuffleBytes() { return false; }
#endif

// How far from text[0], a piece boundary, the text is plainly the library's form: every byte from
// 0x80 up lies within three bytes after an 8E, and every 8E begins a four-byte character. The
// pieces there are then single bytes and four-byte characters, one after the other (an 8E is never
// inside a four-byte character, so each one begins a piece), and none is a two-byte character.
// Returns a piece boundary in that stretch (its last 8E or byte below 0x80), 0 when there is none;
// checks 16 bytes at a time where the processor has the instructions for it.
std::size_t PlainStretch(const std::uint8_t* text, std::size_t size) {
  std::size_t boundary = 0;
#if defined(__SSE2__)
  // The classes of 64 bytes at a time, bit j for byte j.
  struct Window {
    std::uint64_t high = 0, single_shift = 0, plane = 0, code = 0;
  };
  auto window_at = [](const std::uint8_t* p) {
    Window w;
    for (int k = 0; k < 4; ++k) {
      const ByteMasks m = MasksAt(p + 16 * k);
      w.high |= std::uint64_t{m.high} << (16 * k);
      w.single_shift |= std::uint64_t{m.single_shift} << (16 * k);
      w.plane |= std::uint64_t{m.plane} << (16 * k);
      w.code |= std::uint64_t{m.code} << (16 * k);
    }
    return w;
  };
  constexpr std::size_t kStep = 64;
  if (size < 2 * kStep) return 0;
  Window current = window_at(text);
  std::uint64_t previous_shifts = 0;  // 8E before text[0] does not count
  for (std::size_t k = 0; k + 2 * kStep <= size; k += kStep) {
    const Window next = window_at(text + k + kStep);
    // Byte j is covered when an 8E stands at j, j-1, j-2 or j-3.
    const std::uint64_t e = current.single_shift;
    const std::uint64_t covered = e | (e << 1) | (e << 2) | (e << 3) | (previous_shifts >> 61) |
                                  (previous_shifts >> 62) | (previous_shifts >> 63);
    if (current.high & ~covered) break;
    // An 8E at j needs a plane byte at j+1 and code bytes at j+2 and j+3.
    const std::uint64_t plane = (current.plane >> 1) | (next.plane << 63);
    const std::uint64_t code2 = (current.code >> 2) | (next.code << 62);
    const std::uint64_t code3 = (current.code >> 3) | (next.code << 61);
    if (e & ~(plane & code2 & code3)) break;
    const std::uint64_t starts = e | ~current.high;
    if (starts != 0) boundary = k + 63 - static_cast<std::size_t>(std::countl_zero(starts));
    previous_shifts = e;
    current = next;
  }
#else
  (void)text;
  (void)size;
#endif
  return boundary;
}

// What the widener's in-line pass leaves: where it stopped reading and writing, and whether it
// wrote a zero byte.
struct InLine {
  std::size_t next;
  std::uint8_t* end;
  bool zero;
};

// Widens text[i..size) to q as long as four bytes are left, where no piece is cut off: the pieces
// are told apart in line here, with the output position in a local.
template <bool kShuffle>
[[gnu::always_inline]] inline InLine WidenInLine(const std::uint8_t* text, std::size_t size, std::size_t i,
                                                 std::uint8_t* q, std::uint32_t& planes_seen) {
  // In locals: the stores through `q` might otherwise alias them.
  std::uint32_t planes = planes_seen;
  bool zero = false;
  // A plane among `planes` (until one is seen, a byte no plane byte equals).
  [[maybe_unused]] std::uint8_t recent_plane = 0;
  while (i + kMaxPiece <= size) {
#if defined(__SSE2__)
    if (i + kUnitBlock <= size) {
      // Units as far as they go; a piece that is no unit goes one by one below.
      std::uint32_t carry = 0;
      std::size_t used;
      do {
        used = WidenUnits<kShuffle>(text + i, q, planes, recent_plane, carry);
        i += used;
      } while (used == kUnitBlock && i + kUnitBlock <= size);
      if (carry != 0) {
        // The last 8E unit read is taken back: its second half was not read, or was bad.
        i -= 2;
        q -= 2;
      }
      if (i + kMaxPiece > size) break;
    }
#endif
    const std::uint8_t b = text[i];
    if (IsEucCodeByte(b) && IsEucCodeByte(text[i + 1])) {
      q[0] = kSingleShift2;
      q[1] = kPlaneOneByte;
      q[2] = b;
      q[3] = text[i + 1];
      q += 4;
      planes |= 1u << (kPlaneOneByte - kPlaneByteBase);
      i += 2;
    } else if (b == kSingleShift2 && IsEucPlaneByte(text[i + 1]) && IsEucCodeByte(text[i + 2]) &&
               IsEucCodeByte(text[i + 3])) {
      std::memcpy(q, text + i, 4);
      q += 4;
      planes |= 1u << (text[i + 1] - kPlaneByteBase);
      i += 4;
    } else {
      *q++ = b;
      zero |= b == 0;
      ++i;
      // Bytes below 0x80 are single pieces: a run of them (a line end, ASCII) is copied here, not
      // looked at as units.
      if (b < 0x80) {
        while (i + kMaxPiece <= size && text[i] < 0x80) {
          zero |= text[i] == 0;
          *q++ = text[i++];
        }
      }
    }
  }
  planes_seen = planes;
  return {i, q, zero};
}

InLine WidenInLinePlain(const std::uint8_t* text, std::size_t size, std::size_t i, std::uint8_t* q,
                        std::uint32_t& planes) {
  return WidenInLine<false>(text, size, i, q, planes);
}

#if defined(TESSEL_UNIT_SHUFFLE)
__attribute__((target("ssse3"))) InLine WidenInLineShuffled(const std::uint8_t* text, std::size_t size, std::size_t i,
                                                            std::uint8_t* q, std::uint32_t& planes) {
  return WidenInLine<true>(text, size, i, q, planes);
}
#else
InLine WidenInLineShuffled(const std::uint8_t* text, std::size_t size, std::size_t i, std::uint8_t* q,
                           std::uint32_t& planes) {
  return WidenInLine<false>(text, size, i, q, planes);
}
#endif

#if defined(__SSE2__)
// Whether the 16 bytes of v are four characters in the library's four-byte form: each 8E, a plane
// byte, two code bytes. Unsigned ranges as signed comparisons, the top bit flipped.
[[gnu::always_inline]] inline bool FourCharacters(__m128i v) {
  const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i s = _mm_xor_si128(v, flip);
  auto place = [](int shift, int plane, int code) {
    return _mm_set1_epi32(static_cast<int>(static_cast<std::uint32_t>(shift) | static_cast<std::uint32_t>(plane) << 8 |
                                           static_cast<std::uint32_t>(code) << 16 |
                                           static_cast<std::uint32_t>(code) << 24));
  };
  const __m128i low = _mm_xor_si128(place(kSingleShift2 - 1, kPlaneByteBase - 1, kFirstCodeByte - 1), flip);
  const __m128i high = _mm_xor_si128(place(kSingleShift2 + 1, kPlaneByteBase + 17, kLastCodeByte + 1), flip);
  const __m128i in_range = _mm_and_si128(_mm_cmpgt_epi8(s, low), _mm_cmplt_epi8(s, high));
  return _mm_movemask_epi8(in_range) == 0xFFFF;
}
#endif

#if defined(TESSEL_UNIT_SHUFFLE)
// Four four-byte characters (16 bytes) at a time: for each set of plane-1 characters among the
// four, the shuffle that keeps their last two bytes and all four of the others.
struct CharacterShuffles {
  alignas(16) std::uint8_t lanes[16][16];
  std::uint8_t length[16];  // the bytes written
};

constexpr CharacterShuffles MakeCharacterShuffles() {
  CharacterShuffles table{};
  for (unsigned plane_one = 0; plane_one < 16; ++plane_one) {
    unsigned n = 0;
    for (unsigned c = 0; c < 4; ++c) {
      for (unsigned b = ((plane_one >> c) & 1) != 0 ? 2 : 0; b < 4; ++b)
        table.lanes[plane_one][n++] = static_cast<std::uint8_t>(4 * c + b);
    }
    table.length[plane_one] = static_cast<std::uint8_t>(n);
    while (n < 16) table.lanes[plane_one][n++] = 0x80;
  }
  return table;
}

constexpr CharacterShuffles kCharacterShuffles = MakeCharacterShuffles();

// Narrows the 16 bytes at p when they are four characters in the library's four-byte form,
// storing 16 bytes at o; returns the bytes written, 0 (nothing used) otherwise.
__attribute__((target("ssse3"))) inline std::size_t NarrowCharacters(const std::uint8_t* p, std::uint8_t* o) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  if (!FourCharacters(v)) return 0;
  const __m128i plane_bytes = _mm_and_si128(v, _mm_set1_epi32(0xFF00));
  const int plane_one =
      _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(plane_bytes, _mm_set1_epi32(kPlaneOneByte << 8))));
  const __m128i lanes = _mm_load_si128(reinterpret_cast<const __m128i*>(kCharacterShuffles.lanes[plane_one]));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_shuffle_epi8(v, lanes));
  return kCharacterShuffles.length[plane_one];
}
#endif

// Narrows text[i..size) to q as long as four bytes are left, where no piece is cut off: the
// pieces are told apart in line here, with the output position in a local.
template <bool kShuffle>
[[gnu::always_inline]] inline InLine NarrowInLine(const std::uint8_t* text, std::size_t size, std::size_t i,
                                                  std::uint8_t* q) {
  while (i + kMaxPiece <= size) {
#if defined(TESSEL_UNIT_SHUFFLE)
    if constexpr (kShuffle) {
      if (i + 16 <= size) {
        if (const std::size_t written = NarrowCharacters(text + i, q); written != 0) {
          q += written;
          i += 16;
          continue;
        }
      }
    }
#endif
    const std::uint8_t b = text[i];
    if (b == kSingleShift2 && IsEucPlaneByte(text[i + 1]) && IsEucCodeByte(text[i + 2]) && IsEucCodeByte(text[i + 3])) {
      // Plane 1 loses its 8E A1; the other planes keep all four bytes (one four-byte store
      // either way, of which a plane-1 character keeps the first two).
      std::uint32_t word;
      std::memcpy(&word, text + i, 4);
      const std::uint32_t plane_one = static_cast<std::uint32_t>(text[i + 1] == kPlaneOneByte);
      word >>= 16 * plane_one;
      std::memcpy(q, &word, 4);
      q += 4 - 2 * plane_one;
      i += 4;
    } else if (IsEucCodeByte(b) && IsEucCodeByte(text[i + 1])) {
      std::memcpy(q, text + i, 2);
      q += 2;
      i += 2;
    } else {
      *q++ = b;
      ++i;
    }
  }
  return {i, q, false};
}

InLine NarrowInLinePlain(const std::uint8_t* text, std::size_t size, std::size_t i, std::uint8_t* q) {
  return NarrowInLine<false>(text, size, i, q);
}

#if defined(TESSEL_UNIT_SHUFFLE)
__attribute__((target("ssse3"))) InLine NarrowInLineShuffled(const std::uint8_t* text, std::size_t size, std::size_t i,
                                                             std::uint8_t* q) {
  return NarrowInLine<true>(text, size, i, q);
}
#else
InLine NarrowInLineShuffled(const std::uint8_t* text, std::size_t size, std::size_t i, std::uint8_t* q) {
  return NarrowInLine<false>(text, size, i, q);
}
#endif

}  // namespace

EucTwWidener::EucTwWidener(bool use_shuffles) : spread_units_(use_shuffles && CanShuffleBytes()) {}

EucTwNarrower::EucTwNarrower(bool use_shuffles) : shuffles_(use_shuffles && CanShuffleBytes()) {}

std::span<char> EucTwWidener::ConvertInBuffer(std::string_view block, bool last) {
  // A two-byte character becomes four bytes: at most twice the size.
  std::uint8_t* o = Reserve(out_, pending_.size() + block.size(), 2);
  std::uint32_t planes = planes_;
  bool zero = zero_written_;
  auto emit = [&](Piece piece, const std::uint8_t* bytes, std::size_t length) {
    if (piece == Piece::kTwoByte) {
      o[0] = kSingleShift2;
      o[1] = kPlaneOneByte;
      o[2] = bytes[0];
      o[3] = bytes[1];
      o += 4;
      planes |= 1u << (kPlaneOneByte - kPlaneByteBase);
      return;
    }
    if (piece == Piece::kFourByte) planes |= 1u << (bytes[1] - kPlaneByteBase);
    if (piece == Piece::kSingle && bytes[0] == 0) zero = true;
    CopyPiece(o, bytes, length);
  };
  const std::size_t start = ScanHeld(pending_, block, last, emit);
  if (start != std::string_view::npos) {
    // Where four bytes are left no piece is cut off: the pieces are told apart in line here, with
    // the output position in a local that the emitting function above cannot reach.
    const auto* text = reinterpret_cast<const std::uint8_t*>(block.data());
    const InLine run = spread_units_ ? WidenInLineShuffled(text, block.size(), start, o, planes)
                                     : WidenInLinePlain(text, block.size(), start, o, planes);
    o = run.end;
    zero |= run.zero;
    Scan(pending_, block.substr(run.next), last, emit);
  }
  planes_ = planes;
  zero_written_ = zero;
  return ViewOf(out_, o);
}

std::span<char> EucTwNarrower::ConvertInBuffer(std::string_view block, bool last) {
  std::uint8_t* o = Reserve(out_, pending_.size() + block.size(), 1);
  auto emit = [&](Piece piece, const std::uint8_t* bytes, std::size_t length) {
    if (piece == Piece::kFourByte && bytes[1] == kPlaneOneByte) {
      o[0] = bytes[2];
      o[1] = bytes[3];
      o += 2;
      return;
    }
    CopyPiece(o, bytes, length);
  };
  const std::size_t start = ScanHeld(pending_, block, last, emit);
  if (start != std::string_view::npos) {
    // Where four bytes are left no piece is cut off: the pieces are told apart in line here, with
    // the output position in a local that the emitting function above cannot reach.
    const auto* text = reinterpret_cast<const std::uint8_t*>(block.data());
    const InLine run = shuffles_ ? NarrowInLineShuffled(text, block.size(), start, o)
                                 : NarrowInLinePlain(text, block.size(), start, o);
    const std::size_t i = run.next;
    o = run.end;
    Scan(pending_, block.substr(i), last, emit);
  }
  return ViewOf(out_, o);
}

void TwoByteCharacterCounter::Count(std::string_view block, bool last) {
  auto count_piece = [&](Piece piece, const std::uint8_t*, std::size_t) {
    if (piece == Piece::kTwoByte) ++found_;
  };
  std::size_t i = ScanHeld(pending_, block, last, count_piece);
  if (i == std::string_view::npos) return;
  // Four four-byte characters at a time where 16 bytes are such (no two-byte character among
  // them), otherwise piece by piece; where that goes on for a while, plain stretches in bulk from
  // the next byte below 0x80.
  const auto* text = reinterpret_cast<const std::uint8_t*>(block.data());
  const std::size_t size = block.size();
  constexpr int kPiecesBeforeStretch = 8;
  int pieces = 0;
  while (i < size) {
#if defined(__SSE2__)
    if (size - i >= 16 && FourCharacters(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i)))) {
      i += 16;
      pieces = 0;
      continue;
    }
#endif
    if (pieces >= kPiecesBeforeStretch && text[i] < 0x80) {
      pieces = 0;
      if (const std::size_t stretch = PlainStretch(text + i, size - i); stretch != 0) {
        i += stretch;
        continue;
      }
    }
    const Piece piece = PieceAt(text + i, size - i, last);
    if (piece == Piece::kIncomplete) {
      pending_.assign(block.substr(i));
      return;
    }
    count_piece(piece, text + i, 0);
    i += PieceLength(piece);
    ++pieces;
  }
}

}  // namespace tessel::tools
