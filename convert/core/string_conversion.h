#pragma once
// Converting one zero-terminated string held in the host's memory.

#include <cstddef>
#include <cstdint>
#include <span>

#include "character_list.h"
#include "cns_coder.h"
#include "code_tables.h"

namespace tessel {

// Length of a host string: it ends where two zero bytes follow each other, or for UCS-2 at the
// first zero code unit.
std::size_t StringInputLength(const std::uint8_t* input, std::uint8_t source);

// The zero bytes written after a converted string: three, so that the text ends at a zero whatever
// its encoding (a UCS-2 zero code unit at an even or odd offset).
inline constexpr std::size_t kStringTerminatorLength = 3;

// Output room that a string of `inputLength` bytes may need, not counting the kStringTerminatorLength
// zero bytes written after it.
constexpr std::size_t MaxStringOutput(std::size_t input_length) { return 8 * input_length + 16; }

// Checks the selectors and the table status, then measures `input` (see stringInputLength), resets
// the seven-bit state and converts it, writing the converted bytes and three zero bytes to
// `output`, which must hold maxStringOutput(length) + kStringTerminatorLength bytes. Returns a result code; on a
// refusal neither buffer is touched.
std::int32_t ConvertString(const CodeTables& tables, CnsCoder& coder, CharacterList* list, std::int32_t source,
                           std::int32_t target, const std::uint8_t* input, std::uint8_t* output);

// The pair check and table status check shared by the string and file conversions.
std::int32_t CheckConversion(const CodeTables& tables, std::uint8_t source, std::uint8_t target);

}  // namespace tessel
