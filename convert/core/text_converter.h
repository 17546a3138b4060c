#pragma once
// Converts text one character at a time: read with the source's reader, bring it to or from CNS
// through the code tables (or the fixed EUC rule), substitute what cannot be converted, and write
// it with the target's writer. Most characters take a common road through the tables' direct
// arrays, which gives exactly what the character-by-character road gives.

#include <cstddef>
#include <cstdint>
#include <span>

#include "character_list.h"
#include "cns_coder.h"
#include "code_tables.h"

namespace tessel {

struct ConvertOutcome {
  std::size_t consumed = 0;  // input bytes used (may pass the end when the text's end was taken)
  std::size_t produced = 0;  // output bytes written
  bool end_reached = false;  // the reader met the end of the text (a zero byte, or the end of a final text)
  bool waiting = false;      // stopped before a character that the text's continuation may complete
  bool uncommon = false;     // stopped before a character off the common road (when asked to)
};

// What convert() does at a character off the common road: convert it the detailed way, or stop
// before it. A seven-bit source read in blocks of many lines stops, because only the detailed
// reading of such a character may depend on where its line ends (see file_conversion.cpp).
enum class OffCommonRoad { kConvert, kStop };

class TextConverter {
 public:
  // Room one character may need in the output: a substitute widened for UCS-2 or EUC.
  static constexpr std::size_t kMaxCharacterOutput = 16;

  TextConverter(const CodeTables& tables, CnsCoder& coder, CharacterList* list = nullptr)
      : tables_(tables), coder_(coder), list_(list) {}

  // Converts characters of `text` into `out` until the text ends, a zero byte ends it (except for
  // UCS-2 sources) or fewer than kMaxCharacterOutput bytes of `out` are left. When `textContinues`
  // is set, a character that the end of `text` may cut short is left for the next call.
  ConvertOutcome Convert(std::uint8_t source, std::uint8_t target, std::span<const std::uint8_t> text,
                         bool text_continues, std::span<std::uint8_t> out,
                         OffCommonRoad off_common_road = OffCommonRoad::kConvert);

  // Writes one byte of text as the target's writer writes a single byte; returns the count
  // written (at most 2).
  std::size_t WriteSingleByte(std::uint8_t target, std::uint8_t byte, std::uint8_t* out);

 private:
  const CodeTables& tables_;
  CnsCoder& coder_;
  CharacterList* list_;
};

}  // namespace tessel
