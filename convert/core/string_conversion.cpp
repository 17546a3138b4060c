#include "string_conversion.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "code_selector.h"
#include "text_converter.h"

namespace tessel {

namespace {

#if defined(__SSE2__)
// The offset of the first zero code unit of UCS-2 text starting at an even address, found 16
// aligned bytes at a time: an aligned load never reaches into another page, so the bytes it reads
// around the text (never used) can always be read, though they lie outside it.
__attribute__((no_sanitize("address"))) std::size_t ZeroUnitOffset(const std::uint8_t* text) {
  const auto start = reinterpret_cast<std::uintptr_t>(text);
  const std::uint8_t* block = text - (start & 15);
  // Bytes before the text are not looked at.
  auto mask = static_cast<std::uint32_t>(0xFFFF) << (start & 15);
  for (;;) {
    const __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
    mask &= static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi16(v, _mm_setzero_si128())));
    if (mask != 0) return static_cast<std::size_t>(block + std::countr_zero(mask) - text);
    block += 16;
    mask = 0xFFFF;
  }
}
#endif

}  // namespace

std::size_t StringInputLength(const std::uint8_t* input, std::uint8_t source) {
  std::size_t k = 0;
  if (source == kSelectorUcs) {
#if defined(__SSE2__)
    // The units of text at an even address lie in the 16-bit lanes of aligned loads.
    if ((reinterpret_cast<std::uintptr_t>(input) & 1) == 0) return ZeroUnitOffset(input);
#endif
    while (input[k] != 0 || input[k + 1] != 0) k += 2;
    return k;
  }
  // The library's string search finds each zero byte; the text ends at the first one followed by
  // another.
  for (;;) {
    k += std::strlen(reinterpret_cast<const char*>(input + k));
    if (input[k + 1] == 0) return k;
    ++k;
  }
}

std::int32_t CheckConversion(const CodeTables& tables, std::uint8_t source, std::uint8_t target) {
  if (const std::int32_t pair = CheckSelectorPair(source, target); pair != kResultOk) return pair;
  if (tables.Status() & kAnyTableMissing) return kResultNoTable;
  if (tables.Status() & TS_HEADER_BAD) return kResultBadTable;
  return kResultOk;
}

std::int32_t ConvertString(const CodeTables& tables, CnsCoder& coder, CharacterList* list, std::int32_t source,
                           std::int32_t target, const std::uint8_t* input_text, std::uint8_t* output) {
  const auto s = static_cast<std::uint8_t>(source & 0xFF);
  const auto t = static_cast<std::uint8_t>(target & 0xFF);
  if (const std::int32_t refusal = CheckConversion(tables, s, t); refusal != kResultOk) return refusal;

  const std::span<const std::uint8_t> input(input_text, StringInputLength(input_text, s));

  coder.Reset();
  std::size_t produced;
  if (s == kSelectorCns && t == kSelectorCns) {
    // Seven-bit CNS to itself: nothing to convert, the text passes through unchanged.
    if (!input.empty()) std::memcpy(output, input.data(), input.size());
    produced = input.size();
  } else {
    TextConverter converter(tables, coder, list);
    produced =
        converter.Convert(s, t, input, false, std::span<std::uint8_t>(output, MaxStringOutput(input.size()))).produced;
  }
  std::memset(output + produced, 0, kStringTerminatorLength);
  return kResultOk;
}

}  // namespace tessel
