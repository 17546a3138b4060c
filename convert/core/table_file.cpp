#include "table_file.h"

#include <algorithm>
#include <new>

namespace tessel {
namespace {

std::uint32_t readLittleEndian(const std::uint8_t* p, std::size_t width) {
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

std::int16_t readInt16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)));
}

std::int32_t readInt32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int32_t>(readLittleEndian(b.data() + at, 4));
}

}  // namespace

ParsedTable parseTableFile(std::span<const std::uint8_t> bytes) {
  ParsedTable parsed;
  if (bytes.size() < kTableHeaderLength || readInt16(bytes, 0) != static_cast<std::int16_t>(kTableHeaderLength)) {
    parsed.outcome = ParsedTable::Outcome::kHeaderBad;
    return parsed;
  }

  const std::int32_t count = readInt32(bytes, 16);
  const std::int16_t cnsWidth = readInt16(bytes, 20);
  const std::int16_t otherWidth = readInt16(bytes, 22);
  if (count < 0 || cnsWidth < 0 || otherWidth < 0 || (count > 0 && cnsWidth + otherWidth == 0)) {
    parsed.outcome = ParsedTable::Outcome::kUnreadable;
    return parsed;
  }

  const std::size_t recordSize = static_cast<std::size_t>(cnsWidth) + static_cast<std::size_t>(otherWidth);
  const std::span<const std::uint8_t> body = bytes.subspan(kTableHeaderLength);
  const std::size_t present = recordSize == 0 ? 0 : body.size() / recordSize;
  const std::size_t wanted = std::min(static_cast<std::size_t>(count), present);

  // When memory runs short the records read until then are kept.
  try {
    parsed.records.reserve(wanted);
  } catch (const std::bad_alloc&) {
    parsed.outOfMemory = true;
  }
  const std::uint8_t* p = body.data();
  const auto w1 = static_cast<std::size_t>(cnsWidth);
  const auto w2 = static_cast<std::size_t>(otherWidth);
  if (!parsed.outOfMemory) {
    // Room for every record: no allocation can fail below.
    parsed.records.resize(wanted);
    for (TableRecord& record : parsed.records) {
      record = TableRecord{readLittleEndian(p, w1), readLittleEndian(p + w1, w2)};
      p += recordSize;
    }
    return parsed;
  }
  for (std::size_t i = 0; i < wanted; ++i, p += recordSize) {
    try {
      parsed.records.push_back(TableRecord{readLittleEndian(p, w1), readLittleEndian(p + w1, w2)});
    } catch (const std::bad_alloc&) {
      break;
    }
  }
  return parsed;
}

}  // namespace tessel
