// Whole-file reading, and writing that replaces a file only once the new contents are complete
// on disk, so that a write cut short leaves the old file as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pictor::posix {

// The file's bytes; nullopt when it does not exist. Throws std::system_error on other failures.
std::optional<std::vector<std::uint8_t>> ReadFileIfExists(const std::string& path);

// Writes the bytes to a temporary file beside the target, flushes it to disk, then renames it
// over the target (through a symbolic link, to the file it names). Missing folders are created.
// The file keeps the permissions of the file it replaces; a new one is readable by its owner only.
// Throws std::system_error; the target is then untouched and no temporary file is left.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace pictor::posix
