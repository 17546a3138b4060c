#include "table_file.h"

#include <algorithm>
#include <new>

namespace tessel {
namespace {

std::uint32_t ReadLittleEndian(const std::uint8_t* p, std::size_t width) {
  // Every record of a file has the same widths, so the branches below always go the same way.
  switch (width) {
    case 0:
      return 0;
    case 1:
      return p[0];
    case 2:
      return static_cast<std::uint32_t>(p[0] | (p[1] << 8));
    case 3:
      return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
             (static_cast<std::uint32_t>(p[2]) << 16);
    default:  // wider fields keep their low 4 bytes
      return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
             (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  }
}

std::int16_t ReadInt16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)));
}

std::int32_t ReadInt32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int32_t>(ReadLittleEndian(b.data() + at, 4));
}

}  // namespace

ParsedTable ParseTableFile(std::span<const std::uint8_t> bytes) {
  ParsedTable parsed;
  if (bytes.size() < kTableHeaderLength || ReadInt16(bytes, 0) != static_cast<std::int16_t>(kTableHeaderLength)) {
    parsed.outcome = ParsedTable::Outcome::kHeaderBad;
    return parsed;
  }

  const std::int32_t count = ReadInt32(bytes, 16);
  const std::int16_t cns_width = ReadInt16(bytes, 20);
  const std::int16_t other_width = ReadInt16(bytes, 22);
  if (count < 0 || cns_width < 0 || other_width < 0 || (count > 0 && cns_width + other_width == 0)) {
    parsed.outcome = ParsedTable::Outcome::kUnreadable;
    return parsed;
  }

  const std::size_t record_size = static_cast<std::size_t>(cns_width) + static_cast<std::size_t>(other_width);
  const std::span<const std::uint8_t> body = bytes.subspan(kTableHeaderLength);
  const std::size_t present = record_size == 0 ? 0 : body.size() / record_size;
  const std::size_t wanted = std::min(static_cast<std::size_t>(count), present);

  // When memory runs short the records read until then are kept.
  try {
    parsed.records.reserve(wanted);
  } catch (const std::bad_alloc&) {
    parsed.out_of_memory = true;
  }
  const std::uint8_t* p = body.data();
  const auto w1 = static_cast<std::size_t>(cns_width);
  const auto w2 = static_cast<std::size_t>(other_width);
  if (!parsed.out_of_memory) {
    // Room for every record: no allocation can fail below.
    parsed.records.resize(wanted);
    for (TableRecord& record : parsed.records) {
      record = TableRecord{ReadLittleEndian(p, w1), ReadLittleEndian(p + w1, w2)};
      p += record_size;
    }
    return parsed;
  }
  for (std::size_t i = 0; i < wanted; ++i, p += record_size) {
    try {
      parsed.records.push_back(TableRecord{ReadLittleEndian(p, w1), ReadLittleEndian(p + w1, w2)});
    } catch (const std::bad_alloc&) {
      break;
    }
  }
  return parsed;
}

}  // namespace tessel
