#pragma once
// The five code tables, loaded once per process, and the single-character look-ups on them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "cns_to_code_index.h"
#include "code_table.h"
#include "platform_port.h"
#include "table_status.h"

namespace tessel {

enum class TableId : std::size_t { kBig5 = 0, kBig5Eudc = 1, kBig5Last = 2, kUcs = 3, kGbk = 4 };

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

// The look-ups' indexes as plain arrays, for loops that convert many characters: an entry of 0
// means "no direct answer" (nothing stored, or a stored 0), and the loop then asks the look-up.
// Arrays by a 16-bit code hold 65536 entries; arrays by CNS value hold one per plane from 1 to 16,
// indexed by cell (see CnsToCodeIndex::planeCodes). Null where there is no array; all null, and
// `indexed` false, while the tables answer by scanning.
struct DirectLookups {
  bool indexed = false;
  const std::uint32_t* cnsByBig5 = nullptr;
  const std::uint32_t* cnsByUcs = nullptr;
  const std::uint32_t* cnsByGbk = nullptr;
  const std::uint16_t* ucsByBig5 = nullptr;  // both steps composed
  const std::uint16_t* big5ByUcs = nullptr;  // both steps composed
  std::array<const std::uint16_t*, 17> big5ByCns{};
  std::array<const std::uint16_t*, 17> ucsByCns{};
  std::array<const std::uint16_t*, 17> gbkByCns{};
};

class CodeTables {
 public:
  // Finds the configuration, the marker file and the table directory, and reads the five tables.
  static CodeTables load(TablePlatform& platform);

  CodeTables() = default;
  // Indexes the look-ups of all tables together when every table is indexed; tables that scan
  // (CodeTable::withoutIndex) make the look-ups scan.
  CodeTables(std::array<CodeTable, 5> tables, std::uint16_t status, std::string configuredPath = ".",
             std::string tableDirectory = ".");

  std::uint16_t status() const { return status_; }
  // The value of TablePath as read.
  const std::string& configuredPath() const { return configuredPath_; }
  // The folder the tables were read from.
  const std::string& tableDirectory() const { return tableDirectory_; }
  const CodeTable& table(TableId id) const { return tables_[static_cast<std::size_t>(id)]; }

  // The single-character look-ups, in the search order of each direction; inline because every
  // converted character makes one.
  std::optional<std::uint16_t> cnsToBig5(std::uint32_t cnsValue) const {
    if (merged_) return big5ByCns_.find(cnsValue);
    if (auto hit = table(TableId::kBig5).findByCns(cnsValue)) return low16(*hit);
    if (status_ & TS_USER_EUDC) {
      if (auto hit = table(TableId::kBig5Eudc).findByCns(cnsValue)) return low16(*hit);
    }
    if (auto hit = table(TableId::kBig5Last).findByCns(cnsValue)) return low16(*hit);
    return std::nullopt;
  }

  std::optional<std::uint32_t> big5ToCns(std::uint16_t big5) const {
    if (merged_) return cnsByBig5_.find(big5);
    if (isBig5UserDefined(big5)) {
      if (status_ & TS_USER_EUDC) {
        if (auto hit = table(TableId::kBig5Eudc).findByOther(big5)) return hit;
      }
    } else if (auto hit = table(TableId::kBig5).findByOther(big5)) {
      return hit;
    }
    return table(TableId::kBig5Last).findByOther(big5);
  }

  std::optional<std::uint16_t> cnsToUcs(std::uint32_t cnsValue) const {
    if (merged_) return ucsByCns_.find(cnsValue);
    if (auto hit = table(TableId::kUcs).findByCns(cnsValue)) return low16(*hit);
    return std::nullopt;
  }
  std::optional<std::uint32_t> ucsToCns(std::uint16_t unit) const {
    if (merged_) return cnsByUcs_.find(unit);
    return table(TableId::kUcs).findByOther(unit);
  }

  std::optional<std::uint16_t> cnsToGbk(std::uint32_t cnsValue) const {
    if (merged_) return gbkByCns_.find(cnsValue);
    if (auto hit = table(TableId::kGbk).findByCns(cnsValue)) return low16(*hit);
    return std::nullopt;
  }
  std::optional<std::uint32_t> gbkToCns(std::uint16_t gbk) const {
    if (merged_) return cnsByGbk_.find(gbk);
    return table(TableId::kGbk).findByOther(gbk);
  }

  // Big5 to UCS-2 and back through CNS, both steps at once where both succeed: the commonest pair
  // without CNS on either side, answered as the two look-ups above would answer it.
  std::optional<std::uint16_t> big5ToUcsComposed(std::uint16_t big5) const {
    if (!merged_) return std::nullopt;
    return ucsByBig5_.find(big5);
  }
  std::optional<std::uint16_t> ucsToBig5Composed(std::uint16_t unit) const {
    if (!merged_) return std::nullopt;
    return big5ByUcs_.find(unit);
  }

  // The arrays behind the look-ups above; all null while the tables answer by scanning.
  DirectLookups directLookups() const;

 private:
  enum class Indexing { kWhenTablesAreIndexed, kAlways };
  CodeTables(std::array<CodeTable, 5> tables, std::uint16_t status, std::string configuredPath,
             std::string tableDirectory, Indexing indexing);

  // Builds one index per look-up direction, filled in search order: the Big5 tables fold into one
  // index per direction, and the directions from CNS keep only the 16 bits their callers use.
  // Without memory for them the look-ups go to the tables.
  void buildLookupIndexes();

  static std::uint16_t low16(std::uint32_t other) { return static_cast<std::uint16_t>(other & 0xFFFF); }

  std::array<CodeTable, 5> tables_;
  std::uint16_t status_ = 0;
  std::string configuredPath_ = ".";
  std::string tableDirectory_ = ".";
  bool merged_ = false;
  CnsToCodeIndex big5ByCns_;
  CodeUnitIndex cnsByBig5_;
  CnsToCodeIndex ucsByCns_;
  CodeUnitIndex cnsByUcs_;
  CodeUnitIndex cnsByGbk_;
  CnsToCodeIndex gbkByCns_;
  CodeUnitIndex16 ucsByBig5_;
  CodeUnitIndex16 big5ByUcs_;
};

}  // namespace tessel
