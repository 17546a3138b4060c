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
  const char* file_name;
  std::uint16_t missing_flag;  // 0: the table is optional
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
constexpr bool IsBig5UserDefined(std::uint16_t v) {
  return (v >= 0x8140 && v <= 0x8DFE) || (v >= 0x8E40 && v <= 0xA0FE) || (v >= 0xFA40 && v <= 0xFEFE);
}

// The look-ups' indexes as plain arrays, for loops that convert many characters: an entry of 0
// means "no direct answer" (nothing stored, or a stored 0), and the loop then asks the look-up.
// Arrays by a 16-bit code hold 65536 entries; arrays by CNS value hold one per plane from 1 to 16,
// indexed by cell (see CnsToCodeIndex::planeCodes). Null where there is no array; all null, and
// `indexed` false, while the tables answer by scanning.
struct DirectLookups {
  bool indexed = false;
  const std::uint32_t* cns_by_big5 = nullptr;
  const std::uint32_t* cns_by_ucs = nullptr;
  const std::uint32_t* cns_by_gbk = nullptr;
  const std::uint16_t* ucs_by_big5 = nullptr;  // both steps composed
  const std::uint16_t* big5_by_ucs = nullptr;  // both steps composed
  std::array<const std::uint16_t*, 17> big5_by_cns{};
  std::array<const std::uint16_t*, 17> ucs_by_cns{};
  std::array<const std::uint16_t*, 17> gbk_by_cns{};
};

class CodeTables {
 public:
  // Finds the configuration, the marker file and the table directory, and reads the five tables.
  static CodeTables Load(TablePlatform& platform);

  CodeTables() = default;
  // Indexes the look-ups of all tables together when every table is indexed; tables that scan
  // (CodeTable::withoutIndex) make the look-ups scan.
  CodeTables(std::array<CodeTable, 5> tables, std::uint16_t status, std::string configured_path = ".",
             std::string table_directory = ".");

  std::uint16_t Status() const { return status_; }
  // The value of TablePath as read.
  const std::string& ConfiguredPath() const { return configured_path_; }
  // The folder the tables were read from.
  const std::string& TableDirectory() const { return table_directory_; }
  const CodeTable& Table(TableId id) const { return tables_[static_cast<std::size_t>(id)]; }

  // The single-character look-ups, in the search order of each direction; inline because every
  // converted character makes one.
  std::optional<std::uint16_t> CnsToBig5(std::uint32_t cns_value) const {
    if (merged_) return big5_by_cns_.Find(cns_value);
    if (auto hit = Table(TableId::kBig5).FindByCns(cns_value)) return Low16(*hit);
    if (status_ & TS_USER_EUDC) {
      if (auto hit = Table(TableId::kBig5Eudc).FindByCns(cns_value)) return Low16(*hit);
    }
    if (auto hit = Table(TableId::kBig5Last).FindByCns(cns_value)) return Low16(*hit);
    return std::nullopt;
  }

  std::optional<std::uint32_t> Big5ToCns(std::uint16_t big5) const {
    if (merged_) return cns_by_big5_.Find(big5);
    if (IsBig5UserDefined(big5)) {
      if (status_ & TS_USER_EUDC) {
        if (auto hit = Table(TableId::kBig5Eudc).FindByOther(big5)) return hit;
      }
    } else if (auto hit = Table(TableId::kBig5).FindByOther(big5)) {
      return hit;
    }
    return Table(TableId::kBig5Last).FindByOther(big5);
  }

  std::optional<std::uint16_t> CnsToUcs(std::uint32_t cns_value) const {
    if (merged_) return ucs_by_cns_.Find(cns_value);
    if (auto hit = Table(TableId::kUcs).FindByCns(cns_value)) return Low16(*hit);
    return std::nullopt;
  }
  std::optional<std::uint32_t> UcsToCns(std::uint16_t unit) const {
    if (merged_) return cns_by_ucs_.Find(unit);
    return Table(TableId::kUcs).FindByOther(unit);
  }

  std::optional<std::uint16_t> CnsToGbk(std::uint32_t cns_value) const {
    if (merged_) return gbk_by_cns_.Find(cns_value);
    if (auto hit = Table(TableId::kGbk).FindByCns(cns_value)) return Low16(*hit);
    return std::nullopt;
  }
  std::optional<std::uint32_t> GbkToCns(std::uint16_t gbk) const {
    if (merged_) return cns_by_gbk_.Find(gbk);
    return Table(TableId::kGbk).FindByOther(gbk);
  }

  // Big5 to UCS-2 and back through CNS, both steps at once where both succeed: the commonest pair
  // without CNS on either side, answered as the two look-ups above would answer it.
  std::optional<std::uint16_t> Big5ToUcsComposed(std::uint16_t big5) const {
    if (!merged_) return std::nullopt;
    return ucs_by_big5_.Find(big5);
  }
  std::optional<std::uint16_t> UcsToBig5Composed(std::uint16_t unit) const {
    if (!merged_) return std::nullopt;
    return big5_by_ucs_.Find(unit);
  }

  // The arrays behind the look-ups above; all null while the tables answer by scanning.
  DirectLookups Lookups() const;

 private:
  enum class Indexing { kWhenTablesAreIndexed, kAlways };
  CodeTables(std::array<CodeTable, 5> tables, std::uint16_t status, std::string configured_path,
             std::string table_directory, Indexing indexing);

  // Builds one index per look-up direction, filled in search order: the Big5 tables fold into one
  // index per direction, and the directions from CNS keep only the 16 bits their callers use.
  // Without memory for them the look-ups go to the tables.
  void BuildLookupIndexes();

  static std::uint16_t Low16(std::uint32_t other) { return static_cast<std::uint16_t>(other & 0xFFFF); }

  std::array<CodeTable, 5> tables_;
  std::uint16_t status_ = 0;
  std::string configured_path_ = ".";
  std::string table_directory_ = ".";
  bool merged_ = false;
  CnsToCodeIndex big5_by_cns_;
  CodeUnitIndex cns_by_big5_;
  CnsToCodeIndex ucs_by_cns_;
  CodeUnitIndex cns_by_ucs_;
  CodeUnitIndex cns_by_gbk_;
  CnsToCodeIndex gbk_by_cns_;
  CodeUnitIndex16 ucs_by_big5_;
  CodeUnitIndex16 big5_by_ucs_;
};

}  // namespace tessel
