// The roots that the user gave to user-defined characters in the Phonetic, Changjie and Quick
// input methods, read from the input methods' dictionary files into tables indexed by EUDC
// ordinal, and the text of a character's roots for printing.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "code_space.h"
#include "fixed_text.h"
#include "platform_ports.h"

namespace pictor {

inline constexpr std::size_t kPhoneticReadingSlots = 7;
inline constexpr std::size_t kPhoneticPositions = 4;
inline constexpr std::size_t kRadicalPositions = 5;

// Four 2-byte symbols then a zero byte; all zero while never written.
using PhoneticReading = std::array<char, kPhoneticPositions * 2 + 1>;
using PhoneticEntry = std::array<PhoneticReading, kPhoneticReadingSlots>;
// Five 2-byte symbols then a zero byte; all zero while never written.
using RadicalEntry = std::array<char, kRadicalPositions * 2 + 1>;

using PhoneticRootTable = std::array<PhoneticEntry, EUDC_CHARACTER_COUNT>;
using ChangjieRootTable = std::array<RadicalEntry, EUDC_CHARACTER_COUNT>;
using QuickRootTable = std::array<RadicalEntry, EUDC_CHARACTER_COUNT>;

// About half a megabyte: allocate it, do not put it on the stack.
struct RootTables {
  PhoneticRootTable phonetic{};
  ChangjieRootTable changjie{};
  QuickRootTable quick{};
};

// Sets every entry of the three tables to zero (an empty text).
void ClearRootTables(RootTables& tables);

// 7 readings of 8 bytes, 6 full-width spaces between them, the terminator.
inline constexpr std::size_t kRootTextSize = kPhoneticReadingSlots * 8 + (kPhoneticReadingSlots - 1) * 2 + 1;
using RootText = FixedText<kRootTextSize>;

// Fills the table of `hkl` (Phonetic, Changjie or Quick) from the bytes of a dictionary file; any
// other hkl leaves every table alone. Character codes are Big5 on the 9x family and private-use
// UTF-16 code units on the NT family; reading stops at the first code outside the user-defined
// area and at the end of the bytes, whatever count the file claims.
void ReadRootDictionary(RootTables& tables, std::span<const std::uint8_t> file, PlatformFamily family,
                        std::uint32_t hkl);

// Reads the dictionary file at `path` into the table of `hkl`. A file that cannot be read is
// reported through `warnings` with the input method's display name and leaves the tables alone.
void LoadRootDictionary(RootTables& tables, FileReaderPort& files, MessagePort& warnings, PlatformFamily family,
                        std::string_view path, std::string_view layout_text, std::uint32_t hkl);

// The roots of a user-defined character in an input method: Phonetic readings joined by
// full-width spaces, or the Changjie or Quick entry. Empty for other codes and input methods.
RootText LookupRoots(const RootTables& tables, std::uint16_t code, std::uint32_t hkl);

}  // namespace pictor
