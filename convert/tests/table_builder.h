#pragma once
// Hand-made table files and an in-memory platform for tests of table loading and conversion.

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "code_tables.h"
#include "platform_port.h"
#include "table_record.h"

namespace tessel::testing {

// A table file: a 128-byte header (length, count, widths) and the records, little-endian.
inline std::vector<std::uint8_t> MakeTableFile(const std::vector<TableRecord>& records, int cns_width = 3,
                                               int other_width = 2, std::int16_t header_length = 128,
                                               std::optional<std::int32_t> count = std::nullopt) {
  std::vector<std::uint8_t> bytes(128, 0);
  auto put = [&](std::size_t at, std::uint32_t v, int width) {
    for (int i = 0; i < width; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  put(0, static_cast<std::uint16_t>(header_length), 2);
  put(16, static_cast<std::uint32_t>(count.value_or(static_cast<std::int32_t>(records.size()))), 4);
  put(20, static_cast<std::uint16_t>(cns_width), 2);
  put(22, static_cast<std::uint16_t>(other_width), 2);
  for (const TableRecord& r : records) {
    for (int i = 0; i < cns_width; ++i)
      bytes.push_back(i < 4 ? static_cast<std::uint8_t>(r.cns >> (8 * i)) : std::uint8_t{0});
    for (int i = 0; i < other_width; ++i)
      bytes.push_back(i < 4 ? static_cast<std::uint8_t>(r.other >> (8 * i)) : std::uint8_t{0});
  }
  return bytes;
}

// Files held in memory; remembers what was asked of it.
class FakePlatform : public TablePlatform {
 public:
  std::map<std::string, std::vector<std::uint8_t>> files;
  std::string windows_dir = "C:\\WINDOWS";
  bool nt_family = true;
  std::vector<std::string> opened;
  std::vector<std::pair<std::string, std::string>> warnings;

  void AddFile(const std::string& path, std::vector<std::uint8_t> bytes) { files[path] = std::move(bytes); }
  void AddText(const std::string& path, const std::string& text) { files[path] = {text.begin(), text.end()}; }

  char PathSeparator() const override { return '\\'; }
  std::string WindowsDirectory() override { return windows_dir; }
  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) override {
    opened.push_back(path);
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  std::string ProfileString(const std::string& file, std::string_view section, std::string_view key,
                            std::string_view default_value, std::size_t capacity) override;
  bool IsNtFamily() override { return nt_family; }
  void Warn(std::string_view caption, std::string_view text) override {
    warnings.emplace_back(std::string(caption), std::string(text));
  }
};

// Five tables in memory, each given by its records; `status` as the loader would have set it.
inline CodeTables MakeTables(std::vector<TableRecord> big5, std::vector<TableRecord> big5_eudc,
                             std::vector<TableRecord> big5_last, std::vector<TableRecord> ucs,
                             std::vector<TableRecord> gbk, std::uint16_t status = 0) {
  return CodeTables({CodeTable(std::move(big5)), CodeTable(std::move(big5_eudc)), CodeTable(std::move(big5_last)),
                     CodeTable(std::move(ucs)), CodeTable(std::move(gbk))},
                    status);
}

// A few characters of each table: Big5 A440/A4A4 (plane 1), C94A (plane 2), A441 (plane 3),
// FA40 (user-defined, plane 12); UCS-2 4E00, 4E42, E000, 00E9; GBK D2BB, D6D0.
inline CodeTables SmallTables(std::uint16_t status = 0) {
  return MakeTables(
      /*big5*/ {{0x014421, 0xA440}, {0x014463, 0xA4A4}, {0x024421, 0xC94A}, {0x034421, 0xA441}},
      /*big5Eudc*/ {{0x0C2121, 0xFA40}},
      /*big5Last*/ {},
      /*ucs*/ {{0x014421, 0x4E00}, {0x024421, 0x4E42}, {0x0C2121, 0xE000}, {0x034421, 0x00E9}},
      /*gbk*/ {{0x014421, 0xD2BB}, {0x014463, 0xD6D0}}, status);
}

// Random records full of duplicates, odd values and zero bytes: CNS values mostly of planes 1 to 3
// in rows 0x21 to 0x28, sometimes of any plane or with a zero byte or wider than three bytes; codes
// in a Big5 range (or a UCS-2 one), sometimes user-defined Big5, 0, holding a zero byte, or wider
// than 16 bits.
inline std::vector<TableRecord> RandomRecords(std::mt19937& engine, std::size_t n, bool big5_codes) {
  auto random = [&] { return static_cast<std::uint32_t>(engine()); };
  std::vector<TableRecord> records;
  for (std::size_t i = 0; i < n; ++i) {
    std::uint32_t plane = 1 + random() % 3;
    if (random() % 20 == 0) plane = random() % 256;
    std::uint32_t cns = (plane << 16) | ((0x21 + random() % 8) << 8) | (0x21 + random() % 94);
    if (random() % 40 == 0) cns &= 0xFF00FF;  // a zero byte in the middle
    if (random() % 40 == 0) cns |= 0x07000000;
    std::uint32_t other = big5_codes ? 0xA100 + random() % 0x600 : 0x4E00 + random() % 0x600;
    if (random() % 10 == 0) other = 0xFA40 + random() % 0x80;  // user-defined Big5
    if (random() % 20 == 0) other |= 0x30000;
    if (random() % 100 == 0) other = 0;
    if (random() % 100 == 0) other &= 0xFF00;
    records.push_back({cns, other});
  }
  return records;
}

// Five random tables of about `records` records each (the two Big5 tables for the user-defined
// areas smaller).
inline CodeTables RandomTables(std::mt19937& engine, std::uint16_t status, std::size_t records = 3000) {
  return MakeTables(RandomRecords(engine, records, true), RandomRecords(engine, records / 6, true),
                    RandomRecords(engine, records / 4, true), RandomRecords(engine, records, false),
                    RandomRecords(engine, records, true), status);
}

// The same tables answering every look-up by scanning their records, as the rules describe it.
inline CodeTables ScanningCopy(const CodeTables& tables) {
  auto copy = [&](TableId id) {
    const std::span<const TableRecord> r = tables.Table(id).Records();
    return CodeTable::WithoutIndex(std::vector<TableRecord>(r.begin(), r.end()));
  };
  return CodeTables({copy(TableId::kBig5), copy(TableId::kBig5Eudc), copy(TableId::kBig5Last), copy(TableId::kUcs),
                     copy(TableId::kGbk)},
                    tables.Status());
}

}  // namespace tessel::testing
