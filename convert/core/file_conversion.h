#pragma once
// Converting a whole text file, line by line, with the encoding's file header; in place through a
// temporary file when the source and target name the same file.

#include <array>
#include <cstdint>
#include <string>

#include "character_list.h"
#include "cns_coder.h"
#include "code_tables.h"
#include "file_port.h"
#include "iso2022_sequences.h"

namespace tessel {

// SI, plane 1 designated to G1, plane 2 designated to G2.
inline constexpr std::array<std::uint8_t, 9> kSevenBitHeader = iso2022::kFileHeader;
inline constexpr std::array<std::uint8_t, 2> kUcsByteOrderMark{0xFF, 0xFE};

// Bytes of one line handed to the converter at a time; a longer line is split at a character
// boundary.
inline constexpr std::size_t kLineArea = 1023;

// Returns a result code: those of the string conversion, 5 when the source cannot be opened for
// reading and writing (or read), 6 when the target cannot be created (or written), -1 when the
// temporary file of an in-place conversion cannot be created, written or put in place. On any
// failure the source is untouched and no file this call created remains.
std::int32_t ConvertFile(const CodeTables& tables, CnsCoder& coder, CharacterList* list, FilePort& files,
                         std::int32_t source, std::int32_t target, const std::string& sourcePath,
                         const std::string& targetPath);

}  // namespace tessel
