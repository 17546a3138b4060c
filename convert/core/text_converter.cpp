#include "text_converter.h"

#include <bit>
#include <cstring>

#include "code_selector.h"
#include "substitute.h"

#if defined(__SSE2__)
#include <tmmintrin.h>
#endif

namespace tessel {
namespace {

// The value of a character's bytes, most significant first, up to the first zero byte.
std::uint32_t ValueUpToZero(const std::uint8_t* bytes, std::size_t length) {
  if (length == 3 && bytes[0] != 0 && bytes[1] != 0 && bytes[2] != 0)
    return (static_cast<std::uint32_t>(bytes[0]) << 16) | (static_cast<std::uint32_t>(bytes[1]) << 8) | bytes[2];
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < length && bytes[i] != 0; ++i) value = (value << 8) | bytes[i];
  return value;
}

std::uint32_t ValueOf(const std::uint8_t* bytes, std::size_t length) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < length; ++i) value = (value << 8) | bytes[i];
  return value;
}

void PutCns(std::uint32_t cns, std::uint8_t* out) {
  out[0] = static_cast<std::uint8_t>(cns >> 16);
  out[1] = static_cast<std::uint8_t>(cns >> 8);
  out[2] = static_cast<std::uint8_t>(cns);
}

constexpr std::uint8_t kEucSingleShift = 0x8E;
// Rows and columns of a CNS plane: bytes 0x21 to 0x7E.
constexpr std::uint32_t kCells = CnsToCodeIndex::kCellsPerRow;
// Planes the direct arrays by CNS value cover: 1 to 16.
constexpr std::uint32_t kPlanes = kMaxPlane;
// Shifts and escape sequences the seven-bit common road reads before one character.
constexpr int kMaxCommonControls = 8;

// `n` bytes as one number, the first byte lowest (compilers make one load of it).
template <int n>
std::uint64_t LoadLittleEndian(const std::uint8_t* p) {
  std::uint64_t value = 0;
  for (int i = 0; i < n; ++i) value |= std::uint64_t{p[i]} << (8 * i);
  return value;
}

struct SourceChar {
  std::uint8_t bytes[4] = {};
  std::uint16_t code = 0;   // the first two bytes as one number, for the table look-ups
  std::uint8_t length = 0;  // 0 at the end of the text
  std::size_t taken = 0;    // input bytes used
  bool need_more = false;
};

#if defined(__SSE2__)
// A plane's array of codes where the target has none for the plane: no code for any character.
constexpr std::array<std::uint16_t, kCells * kCells> kNoCodes{};

// For each set of eight 16-bit lanes (bit k: lane k), the byte shuffle that moves those lanes to
// the front in order and clears the rest; with `swap`, the two bytes of each lane change places.
constexpr std::array<std::array<std::uint8_t, 16>, 256> PackLanes(bool swap) {
  std::array<std::array<std::uint8_t, 16>, 256> shuffles{};
  for (std::size_t lanes = 0; lanes < shuffles.size(); ++lanes) {
    std::size_t at = 0;
    for (std::uint8_t k = 0; k < 8; ++k) {
      if ((lanes >> k & 1) == 0) continue;
      shuffles[lanes][at++] = static_cast<std::uint8_t>(2 * k + (swap ? 1 : 0));
      shuffles[lanes][at++] = static_cast<std::uint8_t>(2 * k + (swap ? 0 : 1));
    }
    while (at < 16) shuffles[lanes][at++] = 0x80;
  }
  return shuffles;
}
// The count of bytes the shuffle for a set of lanes keeps.
constexpr auto kPackedBytes = [] {
  std::array<std::uint8_t, 256> bytes{};
  for (std::size_t lanes = 0; lanes < bytes.size(); ++lanes)
    bytes[lanes] = static_cast<std::uint8_t>(2 * std::popcount(static_cast<std::uint8_t>(lanes)));
  return bytes;
}();
// Little-endian lanes written as they are (UCS-2) and turned round (Big5, GBK: lead byte first).
constexpr auto kPackLanes = PackLanes(false);
constexpr auto kPackSwappedLanes = PackLanes(true);

// Whether the 16 bytes at p are four characters of the EUC form of planes 1 to 16: each 8E, A1 to
// B0, then two bytes from A1 to FE. Unsigned ranges as signed comparisons, the top bit flipped.
bool FourEucCharacters(const std::uint8_t* p) {
  const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i s = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), flip);
  auto place = [&](std::uint32_t shift, std::uint32_t plane, std::uint32_t code) {
    return _mm_xor_si128(_mm_set1_epi32(static_cast<int>(shift | plane << 8 | code << 16 | code << 24)), flip);
  };
  const __m128i above = _mm_cmpgt_epi8(s, place(kEucSingleShift - 1, 0xA0, 0xA0));
  const __m128i below = _mm_cmplt_epi8(s, place(kEucSingleShift + 1, 0xA0 + kPlanes + 1, 0xFF));
  return _mm_movemask_epi8(_mm_and_si128(above, below)) == 0xFFFF;
}

// Whether any of the eight little-endian UCS-2 code units is below 0x80 (a single byte's unit).
bool AnyUnitBelow80(__m128i units) {
  const __m128i high_bits = _mm_and_si128(units, _mm_set1_epi16(static_cast<short>(0xFF80)));
  return _mm_movemask_epi8(_mm_cmpeq_epi16(high_bits, _mm_setzero_si128())) != 0;
}

// The two bytes of each 16-bit lane in the other order.
__m128i SwapLaneBytes(__m128i lanes) { return _mm_or_si128(_mm_slli_epi16(lanes, 8), _mm_srli_epi16(lanes, 8)); }

// Converts eight UCS-2 code units (16 bytes at p, little-endian) from 0x80 up through the composed
// array `big5_by_ucs` and writes their Big5 codes at o, lead byte first; false when a unit is
// below 0x80 or has no code (bytes written at o then do not count).
bool EightUnitsToBig5(const std::uint8_t* p, const std::uint16_t* big5_by_ucs, std::uint8_t* o) {
  if (AnyUnitBelow80(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)))) return false;
  const __m128i zero = _mm_setzero_si128();
  alignas(16) std::uint16_t codes[8];
  for (std::size_t k = 0; k < 8; ++k) codes[k] = big5_by_ucs[p[2 * k] | p[2 * k + 1] << 8];
  __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(codes));
  if (_mm_movemask_epi8(_mm_cmpeq_epi16(v, zero)) != 0) return false;
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o), SwapLaneBytes(v));
  return true;
}

// Converts eight UCS-2 code units (16 bytes at p) from 0x80 up through `cns_by_ucs` and writes
// the characters in the EUC form (8E, A0 + plane, first | 80, second | 80; 32 bytes) at o; false
// when a unit is below 0x80 or has no character (bytes written at o then do not count).
bool EightUnitsToEuc(const std::uint8_t* p, const std::uint32_t* cns_by_ucs, std::uint8_t* o) {
  if (AnyUnitBelow80(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)))) return false;
  const __m128i zero = _mm_setzero_si128();
  alignas(16) std::uint32_t found[8];
  for (std::size_t k = 0; k < 8; ++k) found[k] = cns_by_ucs[p[2 * k] | p[2 * k + 1] << 8];
  for (std::size_t half = 0; half < 2; ++half) {
    const __m128i cns = _mm_load_si128(reinterpret_cast<const __m128i*>(found + 4 * half));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(cns, zero)) != 0) return false;
    const __m128i byte = _mm_set1_epi32(0xFF);
    const __m128i plane = _mm_and_si128(_mm_add_epi32(_mm_srli_epi32(cns, 16), _mm_set1_epi32(0xA0)), byte);
    const __m128i first = _mm_or_si128(_mm_and_si128(_mm_srli_epi32(cns, 8), byte), _mm_set1_epi32(0x80));
    const __m128i second = _mm_or_si128(_mm_and_si128(cns, byte), _mm_set1_epi32(0x80));
    const __m128i euc = _mm_or_si128(_mm_or_si128(_mm_set1_epi32(kEucSingleShift), _mm_slli_epi32(plane, 8)),
                                     _mm_or_si128(_mm_slli_epi32(first, 16), _mm_slli_epi32(second, 24)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 16 * half), euc);
  }
  return true;
}

// Converts eight characters (32 bytes at p) of the EUC form of planes 1 to 16 through the arrays
// of codes by plane (`arrays`: planes without one read as no code) and writes their codes at o,
// lead byte first or last; false when any of them is no such character or has no code (bytes
// written at o then do not count). The look-ups take their planes and cells from the vectors, so
// that none waits for another.
template <bool kLeadByteFirst>
bool EightEucCharacters(const std::uint8_t* p, const std::array<const std::uint16_t*, 17>& arrays, std::uint8_t* o) {
  if (!FourEucCharacters(p) || !FourEucCharacters(p + 16)) return false;
  // Each character (8E, A0 + plane, A1 + row, A1 + column, in a 32-bit lane) as its plane in
  // bits 16 to 20 (A1 to B0 masked to 1 to 16) and its cell in bits 0 to 15.
  auto plane_and_cell = [](__m128i v) {
    const __m128i bytes_three_four = _mm_srli_epi32(v, 16);
    const __m128i row = _mm_and_si128(bytes_three_four, _mm_set1_epi32(0xFF));
    const __m128i column = _mm_srli_epi32(bytes_three_four, 8);
    const __m128i cell =
        _mm_sub_epi16(_mm_add_epi16(_mm_mullo_epi16(row, _mm_set1_epi32(static_cast<int>(kCells))), column),
                      _mm_set1_epi32(static_cast<int>(0xA1 * kCells + 0xA1)));
    const __m128i plane = _mm_and_si128(_mm_srli_epi32(v, 8), _mm_set1_epi32(0x1F));
    return _mm_or_si128(cell, _mm_slli_epi32(plane, 16));
  };
  alignas(16) std::uint32_t found[8];
  _mm_store_si128(reinterpret_cast<__m128i*>(found),
                  plane_and_cell(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
  _mm_store_si128(reinterpret_cast<__m128i*>(found + 4),
                  plane_and_cell(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16))));
  alignas(16) std::uint16_t codes[8];
  for (std::size_t k = 0; k < 8; ++k) codes[k] = arrays[found[k] >> 16][found[k] & 0xFFFF];
  __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(codes));
  if (_mm_movemask_epi8(_mm_cmpeq_epi16(v, _mm_setzero_si128())) != 0) return false;
  if constexpr (kLeadByteFirst) v = SwapLaneBytes(v);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o), v);
  return true;
}
#endif

// One conversion loop per pair of selectors, so that the readers, look-ups and writers of the pair
// are resolved when compiling and not once per character. Big5 selector 3 runs as 2.
template <std::uint8_t S, std::uint8_t T>
class PairConverter {
 public:
  PairConverter(const CodeTables& tables, CnsCoder& coder, CharacterList* list)
      : tables_(tables), coder_(coder), list_(list) {}

  ConvertOutcome Run(std::span<const std::uint8_t> text, bool text_continues, std::span<std::uint8_t> out,
                     OffCommonRoad off_common_road) {
    ConvertOutcome outcome;
    std::size_t i = 0;
    std::size_t m = 0;
    const DirectLookups direct = tables_.Lookups();
    auto room_left = [&] { return out.size() - m >= TextConverter::kMaxCharacterOutput; };
    while (i < text.size() && room_left()) {
      ConvertCommon(direct, text, i, out, m);
      if (i >= text.size() || !room_left()) break;
      if (off_common_road == OffCommonRoad::kStop) {
        outcome.uncommon = true;
        break;
      }
      const SourceChar c = Read(text.subspan(i), text_continues);
      if (c.need_more) {
        outcome.waiting = true;
        break;
      }
      if (c.length == 0) {
        outcome.end_reached = true;
        break;
      }
      i += c.taken;
      m += ConvertOne(c, out.data() + m);
    }
    if (i >= text.size() && !text_continues) outcome.end_reached = true;
    outcome.consumed = i;
    outcome.produced = m;
    return outcome;
  }

 private:
  // The common road: converts the characters from text[i] on that the direct arrays answer and
  // whose reading needs no more than the bytes at hand, advancing i and m, and stops before the
  // first other one (or when the output has less than one character's room left). Each character
  // is read and written exactly as read() and convertOne() would; a character that the arrays do
  // not answer after it has been read goes to convertOne(). What the loops read often is copied
  // into locals first: a write through the output pointer may alias anything else. Tables that
  // scan have no common road: everything goes character by character, as the rules describe it.
  void ConvertCommon(const DirectLookups& d, std::span<const std::uint8_t> text, std::size_t& i,
                     std::span<std::uint8_t> out, std::size_t& m) {
    if (!d.indexed || out.size() - m < TextConverter::kMaxCharacterOutput) return;
    const std::uint8_t* p = text.data() + i;
    const std::uint8_t* const end = text.data() + text.size();
    std::uint8_t* o = out.data() + m;
    std::uint8_t* const o_last = out.data() + out.size() - TextConverter::kMaxCharacterOutput;

    // The target's array by CNS plane (Big5, UCS-2 and GBK targets).
    const std::array<const std::uint16_t*, 17> codes_by_plane = T == kSelectorBig5  ? d.big5_by_cns
                                                                : T == kSelectorUcs ? d.ucs_by_cns
                                                                                    : d.gbk_by_cns;
    // Writes a CNS character of planes 1 to 16 with bytes 0x21 to 0x7E; false when the target's
    // array has no answer.
    auto put_cns = [&](std::uint32_t plane, std::uint32_t first, std::uint32_t second) -> bool {
      if constexpr (T == kSelectorCns) {
        o += coder_.Encode(static_cast<std::uint8_t>(plane), static_cast<std::uint8_t>(first),
                           static_cast<std::uint8_t>(second), o);
        return true;
      } else if constexpr (T == kSelectorEuc) {
        PutEuc(plane, first, second, o);
        return true;
      } else {
        const std::uint16_t* codes = codes_by_plane[plane];
        if (codes == nullptr) return false;
        const std::uint16_t code = codes[(first - 0x21) * kCells + (second - 0x21)];
        if (code == 0) return false;
        PutCode(code, o);
        return true;
      }
    };
    // Writes what a first step through CNS found, as convertOne() writes it: the three bytes as
    // they are for seven-bit CNS and EUC targets; otherwise the second step looks up the value up
    // to its first zero byte, which the arrays answer only for planes 1 to 16 and bytes 0x21 to
    // 0x7E.
    auto put_found_cns = [&](std::uint32_t cns) -> bool {
      const std::uint32_t plane = (cns >> 16) & 0xFF;
      const std::uint32_t first = (cns >> 8) & 0xFF;
      const std::uint32_t second = cns & 0xFF;
      if constexpr (T != kSelectorCns && T != kSelectorEuc) {
        if (plane - 1 >= kPlanes || first - 0x21 >= kCells || second - 0x21 >= kCells) return false;
      }
      return put_cns(plane, first, second);
    };

    if constexpr (S == kSelectorCns) {
      CommonFromSevenBit(p, end, o, o_last, codes_by_plane, put_cns);
    } else if constexpr (S == kSelectorEuc) {
#if defined(__SSE2__)
      // Planes without an array read as an array of zeros (no code), for the eight and four at a
      // time below.
      std::array<const std::uint16_t*, 17> arrays{};
      if constexpr (T != kSelectorCns && T != kSelectorEuc) {
        for (std::size_t k = 0; k < arrays.size(); ++k)
          arrays[k] = codes_by_plane[k] != nullptr ? codes_by_plane[k] : kNoCodes.data();
      }
#endif
      while (p < end && o <= o_last) {
#if defined(__SSE2__)
        if constexpr (T != kSelectorCns && T != kSelectorEuc) {
          // Eight, or four, characters at a time where the next 32 or 16 bytes are characters of
          // planes 1 to 16 and the arrays answer all of them; otherwise one by one below.
          if (end - p >= 32 && EightEucCharacters<T != kSelectorUcs>(p, arrays, o)) {
            p += 32;
            o += 16;
            continue;
          }
          if (end - p >= 16 && o_last - o >= 6 && FourEucCharacters(p)) {
            std::uint16_t codes[4];
            for (int k = 0; k < 4; ++k) {
              const std::uint8_t* c = p + 4 * k;
              codes[k] = arrays[c[1] - 0xA0u][(c[2] - 0xA1u) * kCells + (c[3] - 0xA1u)];
            }
            if ((codes[0] != 0) & (codes[1] != 0) & (codes[2] != 0) & (codes[3] != 0)) {
              for (const std::uint16_t code : codes) PutCode(code, o);
              p += 16;
              continue;
            }
          }
        }
#endif
        const std::uint8_t b = *p;
        if (b < 0x80) {
          if (b == 0) break;
          o += WriteSingleByte(b, o);
          ++p;
          continue;
        }
        // 8E, A0 + plane for planes 1 to 16, two code bytes: plane 0 and stray bytes read the
        // detailed way.
        if (b != kEucSingleShift || end - p < 4) break;
        const std::uint32_t plane = static_cast<std::uint32_t>(p[1]) - 0xA0;
        const std::uint32_t row = static_cast<std::uint32_t>(p[2]) - 0xA1;
        const std::uint32_t column = static_cast<std::uint32_t>(p[3]) - 0xA1;
        if (plane - 1 >= kPlanes || row >= kCells || column >= kCells) break;
        if (!put_cns(plane, row + 0x21, column + 0x21)) break;
        p += 4;
      }
    } else if constexpr (S == kSelectorUcs) {
      const std::uint16_t* const big5_by_ucs = d.big5_by_ucs;
      const std::uint32_t* const cns_by_ucs = d.cns_by_ucs;
      while (end - p >= 2 && o <= o_last) {
#if defined(__SSE2__)
        if constexpr (T == kSelectorBig5) {
          // Eight units at a time where all eight have codes; otherwise one by one below.
          if (end - p >= 16 && big5_by_ucs != nullptr && EightUnitsToBig5(p, big5_by_ucs, o)) {
            p += 16;
            o += 16;
            continue;
          }
        } else if constexpr (T == kSelectorEuc) {
          // Eight units at a time where all eight have characters; otherwise one by one below.
          if (end - p >= 16 && o_last - o >= 16 && cns_by_ucs != nullptr && EightUnitsToEuc(p, cns_by_ucs, o)) {
            p += 16;
            o += 32;
            continue;
          }
        }
#endif
        const std::uint16_t unit = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
        if (unit < 0x80) {
          // Plane 0 and the byte: written as that single byte (a zero unit too).
          o += WriteSingleByte(p[0], o);
          p += 2;
          continue;
        }
        if constexpr (T == kSelectorBig5) {
          const std::uint16_t big5 = big5_by_ucs == nullptr ? 0 : big5_by_ucs[unit];
          if (big5 == 0) break;
          PutCode(big5, o);
        } else {
          const std::uint32_t cns = cns_by_ucs == nullptr ? 0 : cns_by_ucs[unit];
          if (cns == 0 || !put_found_cns(cns)) break;
        }
        p += 2;
      }
    } else {  // Big5 and GBK
      const std::uint32_t* const cns_by_code = S == kSelectorBig5 ? d.cns_by_big5 : d.cns_by_gbk;
      const std::uint16_t* const ucs_by_big5 = d.ucs_by_big5;
      while (p < end && o <= o_last) {
        const std::uint8_t lead = *p;
        if (lead < 0x80) {
          if (lead == 0) break;
          o += WriteSingleByte(lead, o);
          ++p;
          continue;
        }
        if (end - p < 2 || p[1] == 0) break;
        const std::uint16_t code = static_cast<std::uint16_t>((lead << 8) | p[1]);
        if constexpr (S == kSelectorBig5 && T == kSelectorUcs) {
          const std::uint16_t unit = ucs_by_big5 == nullptr ? 0 : ucs_by_big5[code];
          if (unit == 0) break;
          PutCode(unit, o);
        } else {
          const std::uint32_t cns = cns_by_code == nullptr ? 0 : cns_by_code[code];
          if (cns == 0 || !put_found_cns(cns)) break;
        }
        p += 2;
      }
    }
    i = static_cast<std::size_t>(p - text.data());
    m = static_cast<std::size_t>(o - out.data());
  }

  // The seven-bit reader's common road, with the decoder's state in locals, stored once at the
  // end. Most characters are two bytes from 0x21 to 0x7E in the invoked set or after a single
  // shift: runs of them go 16 bytes at a time where the processor has byte shuffles
  // (SevenBitBlocks), then by the loops below. Everything else goes by ReadSevenBitCharacter(),
  // which reads shifts and escape sequences before one character and leaves what it cannot finish
  // to the detailed reading.
  template <typename PutCns>
  void CommonFromSevenBit(const std::uint8_t*& pos, const std::uint8_t* const end, std::uint8_t*& out,
                          std::uint8_t* const o_last,
                          [[maybe_unused]] const std::array<const std::uint16_t*, 17>& codes_by_plane,
                          PutCns& put_cns) {
    Iso2022CnsState& state = coder_.State();
    if (state.pending_byte != 0) return;
    SevenBitReading r{state.designation, state.shift, 0};
#if defined(__SSE2__)
    const bool can_shuffle = __builtin_cpu_supports("ssse3");
#endif
    bool converted = false;
    // `out` is what putCns writes through and advances.
    std::uint8_t*& o = out;
    const std::uint8_t* p = pos;
    while (o <= o_last && p < end) {
      if constexpr (T != kSelectorCns) {
        // The four bytes as one little-endian number: ESC N or ESC O in the low half, or the
        // character's two bytes. Which of the two it is is taken without a branch, as text mixes
        // them at random.
        const std::uint8_t* const before = p;
        std::uint32_t single_mask = 0;
#if defined(__SSE2__)
        if constexpr (T != kSelectorEuc) {
          if (can_shuffle) SevenBitBlocks(p, end, o, o_last, r, codes_by_plane, single_mask);
        }
#endif
        // One character of the eight bytes in `w`: its two bytes, its set, its length.
        const auto shift = static_cast<std::uint32_t>(r.shift);
        auto take = [&](std::uint64_t w, std::uint32_t& first, std::uint32_t& second, std::uint32_t& plane,
                        std::uint32_t& mask) {
          const auto single =
              static_cast<std::uint32_t>((w & 0xFEFF) == (iso2022::kEscape | (iso2022::kSingleShift[2] << 8)));
          const std::uint64_t bytes = w >> (single * 16);
          first = static_cast<std::uint32_t>(bytes & 0xFF);
          second = static_cast<std::uint32_t>((bytes >> 8) & 0xFF);
          // The set: 2 or 3 after a single shift (N or O), else the invoked one.
          mask = 0u - single;
          const std::uint32_t set = (shift & ~mask) | ((2 + static_cast<std::uint32_t>((w >> 8) & 1)) & mask);
          plane = static_cast<std::uint32_t>(r.designation[set]);
          return 2 + single * 2;
        };
        auto valid = [](std::uint32_t plane, std::uint32_t first, std::uint32_t second) {
          return ((plane - 1 < kPlanes) & (first - 0x21 < kCells) & (second - 0x21 < kCells)) != 0;
        };
        // Two characters from each eight bytes read: the position moves once for both.
        while (o <= o_last && end - p >= 8) {  // room for two: each writes at most four bytes
          const std::uint64_t w = LoadLittleEndian<8>(p);
          std::uint32_t first, second, plane, mask;
          const std::uint32_t length = take(w, first, second, plane, mask);
          if (!valid(plane, first, second) || !put_cns(plane, first, second)) break;
          p += length;
          single_mask = mask;
          const std::uint32_t next_length = take(w >> (8 * length), first, second, plane, mask);
          if (!valid(plane, first, second) || !put_cns(plane, first, second)) break;
          p += next_length;
          single_mask = mask;
        }
        while (o <= o_last && end - p >= 4) {
          std::uint32_t first, second, plane, mask;
          const std::uint32_t length = take(LoadLittleEndian<4>(p), first, second, plane, mask);
          if (!valid(plane, first, second) || !put_cns(plane, first, second)) break;
          p += length;
          single_mask = mask;
        }
        if (p != before) {
          r.saved_shift = static_cast<std::int32_t>((static_cast<std::uint32_t>(r.shift) | 0x10) & single_mask);
          converted = true;
          continue;
        }
      }

      SourceChar c;
      if (!ReadSevenBitCharacter(p, end, r, c)) break;
      converted = true;
      if (c.length == 1) {
        o += WriteSingleByte(c.bytes[0], o);
        continue;
      }
      if constexpr (T == kSelectorEuc) {
        PutEuc(c.bytes[0], c.bytes[1], c.bytes[2], o);
        continue;
      } else if constexpr (T != kSelectorCns) {
        const std::uint32_t plane = c.bytes[0];
        const std::uint32_t first = c.bytes[1];
        const std::uint32_t second = c.bytes[2];
        if (plane - 1 < kPlanes && first - 0x21 < kCells && second - 0x21 < kCells && put_cns(plane, first, second))
          continue;
      }
      o += ConvertOne(c, o);
    }
    pos = p;
    if (!converted) return;
    state.designation = r.designation;
    state.shift = r.shift;
    state.saved_shift = r.saved_shift;
    state.error = 0;
  }

  // The seven-bit decoder's state while the common road reads.
  struct SevenBitReading {
    std::array<std::int32_t, 4> designation;
    std::int32_t shift;
    std::int32_t saved_shift;  // of the last character read
  };

#if defined(__SSE2__)
  // Sixteen bytes at a time while they are eight pairs, each either a single shift (ESC N, ESC O)
  // or a character's two bytes from 0x21 to 0x7E, and the arrays answer every character: where
  // each character starts is then known from the block's masks, not from the character before
  // it, so the look-ups of a block do not wait for each other. A block is read up to its first
  // other pair (a single shift right before it waits with it); the line end the encoder writes
  // (SI CR LF SO) is read here too. Stops before anything else, with `r.shift` as read and
  // `single_mask` all ones when the last character read came after a single shift.
  __attribute__((target("ssse3"))) void SevenBitBlocks(const std::uint8_t*& pos, const std::uint8_t* const end,
                                                       std::uint8_t*& out, std::uint8_t* const o_last,
                                                       SevenBitReading& r,
                                                       const std::array<const std::uint16_t*, 17>& codes_by_plane,
                                                       std::uint32_t& single_mask) {
    constexpr std::size_t kBlock = 16;
    constexpr std::uint32_t kPairs = kBlock / 2;
    constexpr std::uint32_t kLineEnd =
        iso2022::kShiftIn | 0x0Du << 8 | 0x0Au << 16 | static_cast<std::uint32_t>(iso2022::kShiftOut) << 24;
    if (r.designation[static_cast<std::size_t>(r.shift)] == 0) return;  // single bytes
    auto array_of = [&](std::int32_t plane) {
      const std::uint16_t* codes = codes_by_plane[static_cast<std::size_t>(plane)];
      return codes != nullptr ? codes : kNoCodes.data();
    };
    // By set: the invoked one, G2 after ESC N, G3 after ESC O.
    const std::uint16_t* arrays[3] = {array_of(r.designation[static_cast<std::size_t>(r.shift)]),
                                      array_of(r.designation[2]), array_of(r.designation[3])};
    const __m128i single_g2 = _mm_set1_epi16(static_cast<short>(iso2022::kEscape | iso2022::kSingleShift[2] << 8));
    const __m128i single_g3 = _mm_set1_epi16(static_cast<short>(iso2022::kEscape | iso2022::kSingleShift[3] << 8));
    const __m128i zero = _mm_setzero_si128();
    // One bit per pair from a mask of 16-bit lanes.
    auto pair_bits = [&](__m128i lanes) {
      return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(lanes, zero)));
    };

    const std::uint8_t* p = pos;
    std::uint8_t* o = out;
    // Set after a line end whose SO has been read: without a character after it, SO is left to
    // the character-wise reading (which hands a lone SO at the text's end on as a byte).
    bool shift_out_unread = false;
    while (end - p >= static_cast<std::ptrdiff_t>(kBlock) && o_last - o >= static_cast<std::ptrdiff_t>(kBlock)) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      // Bytes 0x21 to 0x7E as signed comparisons: bytes from 0x80 up are negative.
      const __m128i in_range =
          _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(0x20)), _mm_cmplt_epi8(v, _mm_set1_epi8(0x7F)));
      const __m128i character_lanes = _mm_cmpeq_epi16(in_range, _mm_set1_epi32(-1));
      const __m128i g2_lanes = _mm_cmpeq_epi16(v, single_g2);
      const __m128i g3_lanes = _mm_cmpeq_epi16(v, single_g3);
      std::uint32_t characters = pair_bits(character_lanes);
      const std::uint32_t shifts = pair_bits(_mm_or_si128(g2_lanes, g3_lanes));
      const std::uint32_t unread = ~(characters | shifts) | (shifts & (shifts >> 1));
      const auto stop = static_cast<std::uint32_t>(std::countr_zero(unread | 1u << kPairs));
      const std::uint32_t pairs = stop == 0 ? 0 : stop - ((shifts >> (stop - 1)) & 1);
      characters &= (1u << pairs) - 1;

      // Each pair's cell in its plane (0 for a single shift) and set: 1 or 2 when the pair before
      // is ESC N or ESC O, else 0.
      const __m128i first = _mm_sub_epi16(_mm_and_si128(v, _mm_set1_epi16(0xFF)), _mm_set1_epi16(0x21));
      const __m128i second = _mm_sub_epi16(_mm_srli_epi16(v, 8), _mm_set1_epi16(0x21));
      const __m128i cell = _mm_add_epi16(_mm_mullo_epi16(first, _mm_set1_epi16(kCells)), second);
      alignas(16) std::uint16_t cells[kPairs];
      alignas(16) std::uint16_t sets[kPairs];
      _mm_store_si128(reinterpret_cast<__m128i*>(cells), _mm_and_si128(cell, character_lanes));
      _mm_store_si128(reinterpret_cast<__m128i*>(sets),
                      _mm_or_si128(_mm_and_si128(_mm_slli_si128(g2_lanes, 2), _mm_set1_epi16(1)),
                                   _mm_and_si128(_mm_slli_si128(g3_lanes, 2), _mm_set1_epi16(2))));
      alignas(16) std::uint16_t codes[kPairs];
      for (std::size_t k = 0; k < kPairs; ++k) codes[k] = arrays[sets[k]][cells[k]];
      __m128i found = _mm_load_si128(reinterpret_cast<const __m128i*>(codes));
      if (pairs == 0 || (pair_bits(_mm_cmpeq_epi16(found, zero)) & characters) != 0) break;
      shift_out_unread = false;
      // The characters' codes one after the other, in the target's byte order.
      const auto& shuffles = T == kSelectorUcs ? kPackLanes : kPackSwappedLanes;
      const __m128i packed =
          _mm_shuffle_epi8(found, _mm_loadu_si128(reinterpret_cast<const __m128i*>(shuffles[characters].data())));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o), packed);
      o += kPackedBytes[characters];
      p += 2 * pairs;
      const std::uint32_t last = static_cast<std::uint32_t>(std::bit_width(characters)) - 1;
      single_mask = 0u - ((shifts << 1) >> last & 1);
      if (stop == kPairs) continue;

      // SI, CR and LF as single bytes, then SO: the single shift that came before it is over.
      if (end - p < static_cast<std::ptrdiff_t>(4 + kBlock) || LoadLittleEndian<4>(p) != kLineEnd) break;
      o += WriteSingleByte(0x0D, o);
      o += WriteSingleByte(0x0A, o);
      p += 4;
      single_mask = 0;
      r.shift = 1;
      arrays[0] = array_of(r.designation[1]);
      shift_out_unread = true;
    }
    if (shift_out_unread) {
      --p;
      r.shift = 0;
    }
    pos = p;
    out = o;
  }
#endif

  // Reads shifts, single shifts, locking shifts and designations (a few at most) and then a single
  // byte or a two-byte character, as the decoder would, when all of it lies within the text at
  // hand and holds no zero byte. A first byte 0A of a two-byte character is left alone: its line
  // ends after it, which cuts the character off. Returns false, leaving `p` and `r` as they were,
  // for anything else.
  static bool ReadSevenBitCharacter(const std::uint8_t*& pos, const std::uint8_t* const end, SevenBitReading& r,
                                    SourceChar& c) {
    const std::uint8_t* p = pos;
    std::array<std::int32_t, 4> designation = r.designation;
    std::int32_t shift = r.shift;
    std::int32_t single_shift = 0;
    for (int controls = 0; p < end; ++controls) {
      if (controls > kMaxCommonControls) return false;
      const std::uint8_t b = *p;
      if (b == iso2022::kShiftOut) {
        shift = 1;
        ++p;
      } else if (b == iso2022::kShiftIn) {
        shift = 0;
        ++p;
      } else if (b == iso2022::kEscape) {
        if (end - p < 2) return false;
        const std::uint8_t x = p[1];
        if (x == iso2022::kSingleShift[2] || x == iso2022::kSingleShift[3]) {
          single_shift = shift | 0x10;
          shift = x - iso2022::kSingleShift[2] + 2;
          p += 2;
        } else if (x == iso2022::kLockingShift[2] || x == iso2022::kLockingShift[3]) {
          shift = x - iso2022::kLockingShift[2] + 2;
          p += 2;
        } else if (x == iso2022::kMultiByteDesignation && end - p >= 4 && p[2] >= iso2022::kDesignationSet[1] &&
                   p[2] <= iso2022::kDesignationSet[3] && p[3] >= iso2022::kFirstPlaneFinal &&
                   p[3] <= iso2022::kLastPlaneFinal) {
          designation[p[2] - iso2022::kDesignationSet[1] + 1u] = p[3] - iso2022::kPlaneFinalBase;
          p += 4;
        } else {
          return false;
        }
      } else if (b == 0) {
        return false;
      } else {
        // A data byte.
        const std::int32_t plane = designation[static_cast<std::size_t>(shift)];
        if (plane == 0) {
          c.length = 1;
          c.bytes[0] = b;
          p += 1;
        } else {
          if (b == 0x0A || end - p < 2 || p[1] == 0) return false;
          c.length = 3;
          c.bytes[0] = static_cast<std::uint8_t>(plane);
          c.bytes[1] = b;
          c.bytes[2] = p[1];
          p += 2;
        }
        if (single_shift & 0x10) shift = single_shift & 0x0F;
        r.designation = designation;
        r.shift = shift;
        r.saved_shift = single_shift;
        pos = p;
        return true;
      }
    }
    return false;
  }

  // The EUC form of a CNS character: 8E, A0 + plane, first | 80, second | 80.
  static void PutEuc(std::uint32_t plane, std::uint32_t first, std::uint32_t second, std::uint8_t*& o) {
    o[0] = kEucSingleShift;
    o[1] = static_cast<std::uint8_t>(plane + 0xA0);
    o[2] = static_cast<std::uint8_t>(first | 0x80);
    o[3] = static_cast<std::uint8_t>(second | 0x80);
    o += 4;
  }

  // A Big5 or GBK code (lead byte first) or a UCS-2 code unit (little-endian).
  static void PutCode(std::uint16_t code, std::uint8_t*& o) {
    if constexpr (T == kSelectorUcs) {
      o[0] = static_cast<std::uint8_t>(code);
      o[1] = static_cast<std::uint8_t>(code >> 8);
    } else {
      o[0] = static_cast<std::uint8_t>(code >> 8);
      o[1] = static_cast<std::uint8_t>(code);
    }
    o += 2;
  }

  std::size_t ConvertOne(const SourceChar& c, std::uint8_t* o) {
    if (c.length == 1) return WriteSingleByte(c.bytes[0], o);

    std::uint8_t converted[4] = {};
    if constexpr (S == kSelectorCns) {
      // From CNS: a character the target cannot hold is listed, then substituted.
      const std::size_t n = T == kSelectorCns ? 0 : FromCns(c.bytes, c.length, converted);
      if (n != 0) return WriteCharacter(converted, n, o);
      if (list_) list_->append(std::span<const std::uint8_t>(c.bytes, c.length));
      return WriteSubstitute(ValueUpToZero(c.bytes, c.length), o);
    } else {
      if constexpr ((S == kSelectorBig5 && T == kSelectorUcs) || (S == kSelectorUcs && T == kSelectorBig5)) {
        // Both steps at once where both succeed; otherwise the steps below find which one fails.
        const auto composed =
            S == kSelectorBig5 ? tables_.Big5ToUcsComposed(c.code) : tables_.UcsToBig5Composed(c.code);
        if (composed && c.code >= 0x80) {
          if constexpr (T == kSelectorUcs) {
            o[0] = static_cast<std::uint8_t>(*composed);
            o[1] = static_cast<std::uint8_t>(*composed >> 8);
          } else {
            o[0] = static_cast<std::uint8_t>(*composed >> 8);
            o[1] = static_cast<std::uint8_t>(*composed);
          }
          return 2;
        }
      }
      std::uint8_t cns[3] = {};
      const std::size_t n = ToCns(c, cns);
      if (n == 0) return WriteSubstitute(ValueOf(c.bytes, c.length), o);
      if constexpr (T == kSelectorCns) {
        return WriteCharacter(cns, n, o);
      } else {
        // Neither side is CNS: a plane-0 result is the single byte it stands for, and anything
        // else takes a second step from CNS to the target.
        if (n == 2) return WriteSingleByte(cns[1], o);
        const std::size_t n2 = FromCns(cns, 3, converted);
        return n2 == 0 ? WriteSubstitute(ValueUpToZero(cns, 3), o) : WriteCharacter(converted, n2, o);
      }
    }
  }

  SourceChar Read(std::span<const std::uint8_t> text, bool text_continues) {
    SourceChar c;
    auto available = [&](std::size_t at) { return at < text.size() && text[at] != 0; };
    // A character cut off by the end of a text that goes on waits for the rest.
    auto waits_for_more = [&](std::size_t at) { return text_continues && at >= text.size(); };

    if constexpr (S == kSelectorCns) {
      const DecodedChar d = coder_.Decode(text, text_continues);
      c.need_more = d.need_more;
      c.taken = d.taken;
      if (d.length == 3 || (d.length == 2 && d.bytes[0] != 0)) {
        c.length = d.length;
        c.bytes[0] = d.bytes[0];
        c.bytes[1] = d.bytes[1];
        c.bytes[2] = d.bytes[2];
      } else if (d.length == 2) {
        c.length = 1;
        c.bytes[0] = d.bytes[1];
      } else if (d.length == 1) {
        c.length = 1;
        c.bytes[0] = d.bytes[0];
      }
    } else if constexpr (S == kSelectorEuc) {
      if (!available(0)) return c;
      static constexpr std::uint8_t kLow[4] = {0x8E, 0xA0, 0xA1, 0xA1};
      static constexpr std::uint8_t kHigh[4] = {0x8E, 0xB0, 0xFE, 0xFE};
      std::size_t valid = 0;
      while (valid < 4 && available(valid) && text[valid] >= kLow[valid] && text[valid] <= kHigh[valid]) ++valid;
      if (valid == 4) {
        c.length = 4;
        c.bytes[1] = text[1];
        c.bytes[2] = text[2];
        c.bytes[3] = text[3];
      } else if (valid > 0 && waits_for_more(valid)) {
        c.need_more = true;
        return c;
      } else {
        c.length = 1;
      }
      c.bytes[0] = text[0];
      c.taken = c.length;
    } else if constexpr (S == kSelectorUcs) {
      if (text.size() < 2 && waits_for_more(text.size())) {
        c.need_more = true;
        return c;
      }
      // The high byte of the little-endian code unit first; past the end of the text stands its zero.
      c.bytes[0] = text.size() > 1 ? text[1] : 0;
      c.bytes[1] = text[0];
      c.code = static_cast<std::uint16_t>((c.bytes[0] << 8) | c.bytes[1]);
      c.length = 2;
      c.taken = 2;
    } else {  // Big5 and GBK
      const std::uint8_t lead = text[0];
      if (lead == 0) return c;
      c.bytes[0] = lead;
      c.length = 1;
      if (lead >= 0x80) {
        if (available(1)) {
          c.bytes[1] = text[1];
          // Formed from the text, not from `bytes`: reading back two bytes just stored stalls.
          c.code = static_cast<std::uint16_t>((lead << 8) | text[1]);
          c.length = 2;
        } else if (waits_for_more(1)) {
          c.length = 0;
          c.need_more = true;
          return c;
        }
      }
      c.taken = c.length;
    }
    return c;
  }

  std::size_t ToCns(const SourceChar& c, std::uint8_t* cns) const {
    const std::uint16_t code = c.code;
    std::optional<std::uint32_t> found;
    if constexpr (S == kSelectorEuc) {
      cns[0] = static_cast<std::uint8_t>(c.bytes[1] - 0xA0);
      cns[1] = c.bytes[2] & 0x7F;
      cns[2] = c.bytes[3] & 0x7F;
      return 3;
    } else if constexpr (S == kSelectorBig5) {
      found = tables_.Big5ToCns(code);
    } else {
      if (code < 0x80) {
        // Plane 0 and the byte: written as that single byte.
        cns[0] = c.bytes[0];
        cns[1] = c.bytes[1];
        return 2;
      }
      found = S == kSelectorUcs ? tables_.UcsToCns(code) : tables_.GbkToCns(code);
    }
    if (!found) return 0;
    PutCns(*found, cns);
    return 3;
  }

  std::size_t FromCns(const std::uint8_t* cns, std::size_t length, std::uint8_t* out) const {
    if constexpr (T == kSelectorEuc) {
      out[0] = 0x8E;
      out[1] = static_cast<std::uint8_t>(cns[0] + 0xA0);
      out[2] = cns[1] | 0x80;
      out[3] = cns[2] | 0x80;
      return 4;
    } else {
      const std::uint32_t value = ValueUpToZero(cns, length);
      std::optional<std::uint16_t> found;
      if constexpr (T == kSelectorBig5) {
        found = tables_.CnsToBig5(value);
      } else if constexpr (T == kSelectorGbk) {
        found = tables_.CnsToGbk(value);
      } else if constexpr (T == kSelectorUcs) {
        const auto unit = tables_.CnsToUcs(value);
        if (!unit) return 0;
        out[0] = static_cast<std::uint8_t>(*unit);
        out[1] = static_cast<std::uint8_t>(*unit >> 8);
        return 2;
      }
      if (!found) return 0;
      out[0] = static_cast<std::uint8_t>(*found >> 8);
      out[1] = static_cast<std::uint8_t>(*found);
      return 2;
    }
  }

  std::size_t WriteSingleByte(std::uint8_t b, std::uint8_t* out) {
    if constexpr (T == kSelectorCns) return coder_.Encode(0, b, 0, out);
    out[0] = b;
    if constexpr (T == kSelectorUcs) {
      out[1] = 0;
      return 2;
    }
    return 1;
  }

  std::size_t WriteCharacter(const std::uint8_t* bytes, std::size_t length, std::uint8_t* out) {
    if constexpr (T == kSelectorCns) return coder_.Encode(bytes[0], bytes[1], length > 2 ? bytes[2] : 0, out);
    std::memcpy(out, bytes, length);
    return length;
  }

  std::size_t WriteSubstitute(std::uint32_t value, std::uint8_t* out) {
    if constexpr (T == kSelectorCns) return coder_.Encode(kSubstituteCns[0], kSubstituteCns[1], kSubstituteCns[2], out);
    return WriteSubstituteText(value, T, out);
  }

  const CodeTables& tables_;
  CnsCoder& coder_;
  CharacterList* list_;
};

template <std::uint8_t S>
ConvertOutcome DispatchTarget(std::uint8_t target, const CodeTables& tables, CnsCoder& coder, CharacterList* list,
                              std::span<const std::uint8_t> text, bool text_continues, std::span<std::uint8_t> out,
                              OffCommonRoad off_common_road) {
  switch (target) {
    case kSelectorCns:
      return PairConverter<S, kSelectorCns>(tables, coder, list).Run(text, text_continues, out, off_common_road);
    case kSelectorEuc:
      return PairConverter<S, kSelectorEuc>(tables, coder, list).Run(text, text_continues, out, off_common_road);
    case kSelectorBig5:
    case kSelectorBig5Alt:
      return PairConverter<S, kSelectorBig5>(tables, coder, list).Run(text, text_continues, out, off_common_road);
    case kSelectorUcs:
      return PairConverter<S, kSelectorUcs>(tables, coder, list).Run(text, text_continues, out, off_common_road);
    default:
      return PairConverter<S, kSelectorGbk>(tables, coder, list).Run(text, text_continues, out, off_common_road);
  }
}

}  // namespace

std::size_t TextConverter::WriteSingleByte(std::uint8_t target, std::uint8_t byte, std::uint8_t* out) {
  if (target == kSelectorCns) return coder_.Encode(0, byte, 0, out);
  out[0] = byte;
  if (target == kSelectorUcs) {
    out[1] = 0;
    return 2;
  }
  return 1;
}

ConvertOutcome TextConverter::Convert(std::uint8_t source, std::uint8_t target, std::span<const std::uint8_t> text,
                                      bool text_continues, std::span<std::uint8_t> out, OffCommonRoad off_common_road) {
  switch (source) {
    case kSelectorCns:
      return DispatchTarget<kSelectorCns>(target, tables_, coder_, list_, text, text_continues, out, off_common_road);
    case kSelectorEuc:
      return DispatchTarget<kSelectorEuc>(target, tables_, coder_, list_, text, text_continues, out, off_common_road);
    case kSelectorBig5:
    case kSelectorBig5Alt:
      return DispatchTarget<kSelectorBig5>(target, tables_, coder_, list_, text, text_continues, out, off_common_road);
    case kSelectorUcs:
      return DispatchTarget<kSelectorUcs>(target, tables_, coder_, list_, text, text_continues, out, off_common_road);
    default:
      return DispatchTarget<kSelectorGbk>(target, tables_, coder_, list_, text, text_continues, out, off_common_road);
  }
}

}  // namespace tessel
