#include "string_conversion.h"

#include <cstring>

#include "code_selector.h"
#include "text_converter.h"

namespace tessel {

std::size_t StringInputLength(const std::uint8_t* input, std::uint8_t source) {
  std::size_t k = 0;
  if (source == kSelectorUcs) {
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
