#pragma once
// Writes a code table file: the 128-byte header and records of a 3-byte CNS value and a 2-byte
// other code, little-endian.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "table_record.h"

namespace tessel::mktables {

inline void WriteTableFile(const std::filesystem::path& path, const std::vector<TableRecord>& records) {
  std::vector<std::uint8_t> bytes(128, 0);
  const auto count = static_cast<std::uint32_t>(records.size());
  bytes[0] = 128;
  for (int i = 0; i < 4; ++i) bytes[16 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(count >> (8 * i));
  bytes[20] = 3;
  bytes[22] = 2;
  for (const TableRecord& r : records) {
    bytes.push_back(static_cast<std::uint8_t>(r.cns));
    bytes.push_back(static_cast<std::uint8_t>(r.cns >> 8));
    bytes.push_back(static_cast<std::uint8_t>(r.cns >> 16));
    bytes.push_back(static_cast<std::uint8_t>(r.other));
    bytes.push_back(static_cast<std::uint8_t>(r.other >> 8));
  }
  // Written beside the target and renamed over it, so a build never leaves half a table.
  const std::filesystem::path partial = path.string() + ".part";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + partial.string());
  }
  std::filesystem::rename(partial, path);
}

}  // namespace tessel::mktables
