// The tables of a TrueType or OpenType font file, as far as pictor reads them: a table's bytes
// and the family name, by which the platform creates a font of a file it has loaded.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pictor {

// The bytes of the table `tag` (four characters, e.g. "head") of the file's font, or of the first
// font of a collection; nullopt when the file is no font file, lacks the table, or the table runs
// past the file's end.
std::optional<std::span<const std::uint8_t>> FindFontTable(std::span<const std::uint8_t> file, std::string_view tag);

// The font's family name (name id 1) from its Windows Unicode records, the American English one
// where there is one, else the first; nullopt when the file has none.
std::optional<std::u16string> FontFamilyName(std::span<const std::uint8_t> file);

}  // namespace pictor
