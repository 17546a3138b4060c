#pragma once
// The five code tables, loaded once per process, and the single-character look-ups on them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "code_table.h"
#include "platform_port.h"
#include "table_status.h"

namespace tessel {

enum class TableId : std::size_t { Big5 = 0, Big5Eudc = 1, Big5Last = 2, Ucs = 3, Gbk = 4 };

struct TableFileInfo {
  const char* fileName;
  std::uint16_t missingFlag;  // 0: the table is optional
};

// In load order.
inline constexpr std::array<TableFileInfo, 5> kTableFiles{{
    {"CNS_B5.TBL", TS_B5_MISSING},
    {"CNS_B5E.TBL", TS_B5E_MISSING},
    {"CNS_B5U.TBL", 0},
    {"CNS_UCS.TBL", TS_UCS_MISSING},
    {"CNS_GBK.TBL", TS_GBK_MISSING},
}};

// Big5 codes that belong to the user-defined areas.
constexpr bool isBig5UserDefined(std::uint16_t v) {
  return (v >= 0x8140 && v <= 0x8DFE) || (v >= 0x8E40 && v <= 0xA0FE) || (v >= 0xFA40 && v <= 0xFEFE);
}

class CodeTables {
 public:
  // Finds the configuration, the marker file and the table directory, and reads the five tables.
  static CodeTables load(TablePlatform& platform);

  CodeTables() = default;
  CodeTables(std::array<CodeTable, 5> tables, std::uint16_t status, std::string configuredPath = ".",
             std::string tableDirectory = ".");

  std::uint16_t status() const { return status_; }
  // The value of TablePath as read.
  const std::string& configuredPath() const { return configuredPath_; }
  // The folder the tables were read from.
  const std::string& tableDirectory() const { return tableDirectory_; }
  const CodeTable& table(TableId id) const { return tables_[static_cast<std::size_t>(id)]; }

  std::optional<std::uint16_t> cnsToBig5(std::uint32_t cnsValue) const;
  std::optional<std::uint32_t> big5ToCns(std::uint16_t big5) const;
  std::optional<std::uint16_t> cnsToUcs(std::uint32_t cnsValue) const;
  std::optional<std::uint32_t> ucsToCns(std::uint16_t unit) const;
  std::optional<std::uint16_t> cnsToGbk(std::uint32_t cnsValue) const;
  std::optional<std::uint32_t> gbkToCns(std::uint16_t gbk) const;

 private:
  std::array<CodeTable, 5> tables_;
  std::uint16_t status_ = 0;
  std::string configuredPath_ = ".";
  std::string tableDirectory_ = ".";
};

}  // namespace tessel
