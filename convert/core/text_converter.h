#pragma once
// Converts text one character at a time: read with the source's reader, bring it to or from CNS
// through the code tables (or the fixed EUC rule), substitute what cannot be converted, and write
// it with the target's writer.

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
  bool endReached = false;   // the reader met the end of the text (a zero byte, or the end of a final text)
};

class TextConverter {
 public:
  // Room one character may need in the output: a substitute widened for UCS-2 or EUC.
  static constexpr std::size_t kMaxCharacterOutput = 16;

  TextConverter(const CodeTables& tables, CnsCoder& coder, CharacterList* list = nullptr)
      : tables_(tables), coder_(coder), list_(list) {}

  // Converts characters of `text` into `out` until the text ends, a zero byte ends it (except for
  // UCS-2 sources) or fewer than kMaxCharacterOutput bytes of `out` are left. When `textContinues`
  // is set, a character that the end of `text` may cut short is left for the next call.
  ConvertOutcome convert(std::uint8_t source, std::uint8_t target, std::span<const std::uint8_t> text,
                         bool textContinues, std::span<std::uint8_t> out);

 private:
  struct SourceChar {
    std::uint8_t bytes[4] = {};
    std::uint8_t length = 0;  // g: 0 at the end of the text
    std::size_t taken = 0;    // c
    bool needMore = false;
  };

  SourceChar read(std::uint8_t source, std::span<const std::uint8_t> text, bool textContinues);
  std::size_t toCns(std::uint8_t source, const SourceChar& c, std::uint8_t* cns) const;
  std::size_t fromCns(std::uint8_t target, const std::uint8_t* cns, std::size_t length, std::uint8_t* out) const;
  std::size_t writeSingleByte(std::uint8_t target, std::uint8_t b, std::uint8_t* out);
  std::size_t writeCharacter(std::uint8_t target, const std::uint8_t* bytes, std::size_t length, std::uint8_t* out);
  std::size_t writeSubstitute(std::uint8_t target, std::uint32_t value, std::uint8_t* out);

  const CodeTables& tables_;
  CnsCoder& coder_;
  CharacterList* list_;
};

}  // namespace tessel
