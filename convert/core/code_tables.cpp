#include "code_tables.h"

#include <new>

#include "messages.h"
#include "table_file.h"

namespace tessel {
namespace {

constexpr std::size_t kWindowsDirectoryCapacity = 160;
constexpr std::size_t kProfileCapacity = 260;

}  // namespace

CodeTables::CodeTables(std::array<CodeTable, 5> tables, std::uint16_t status, std::string configured_path,
                       std::string table_directory)
    : CodeTables(std::move(tables), status, std::move(configured_path), std::move(table_directory),
                 Indexing::kWhenTablesAreIndexed) {}

CodeTables::CodeTables(std::array<CodeTable, 5> tables, std::uint16_t status, std::string configured_path,
                       std::string table_directory, Indexing indexing)
    : tables_(std::move(tables)),
      status_(status),
      configured_path_(std::move(configured_path)),
      table_directory_(std::move(table_directory)) {
  if (indexing == Indexing::kWhenTablesAreIndexed) {
    for (const CodeTable& t : tables_) {
      if (!t.Indexed()) return;  // the tables answer by scanning
    }
  }
  BuildLookupIndexes();
}

void CodeTables::BuildLookupIndexes() {
  const bool user_eudc = (status_ & TS_USER_EUDC) != 0;
  const CodeTable& big5 = Table(TableId::kBig5);
  const CodeTable& eudc = Table(TableId::kBig5Eudc);
  const CodeTable& last = Table(TableId::kBig5Last);

  try {
    // Each code goes into an index in the order its search visits the tables, and the first
    // insertion of a key wins: so the index answers what the search finds first.
    for (const TableRecord& r : big5.Records()) {
      big5_by_cns_.InsertIfAbsent(r.cns, Low16(r.other));
      if (!IsBig5UserDefined(Low16(r.other))) cns_by_big5_.InsertIfAbsent(Low16(r.other), r.cns);
    }
    if (user_eudc) {
      for (const TableRecord& r : eudc.Records()) {
        big5_by_cns_.InsertIfAbsent(r.cns, Low16(r.other));
        if (IsBig5UserDefined(Low16(r.other))) cns_by_big5_.InsertIfAbsent(Low16(r.other), r.cns);
      }
    }
    for (const TableRecord& r : last.Records()) {
      big5_by_cns_.InsertIfAbsent(r.cns, Low16(r.other));
      cns_by_big5_.InsertIfAbsent(Low16(r.other), r.cns);
    }
    for (const TableRecord& r : Table(TableId::kUcs).Records()) {
      ucs_by_cns_.InsertIfAbsent(r.cns, Low16(r.other));
      cns_by_ucs_.InsertIfAbsent(Low16(r.other), r.cns);
    }
    for (const TableRecord& r : Table(TableId::kGbk).Records()) {
      gbk_by_cns_.InsertIfAbsent(r.cns, Low16(r.other));
      cns_by_gbk_.InsertIfAbsent(Low16(r.other), r.cns);
    }
    merged_ = true;

    // Big5 to UCS-2 and back, both steps composed. The second step looks up the three CNS bytes
    // that the first step gives, up to the first zero.
    auto as_looked_up = [](std::uint32_t cns) {
      std::uint32_t value = 0;
      for (int shift = 16; shift >= 0 && ((cns >> shift) & 0xFF) != 0; shift -= 8) {
        value = (value << 8) | ((cns >> shift) & 0xFF);
      }
      return value;
    };
    // Only codes that some record holds can convert, so the records name every code to compose.
    for (TableId id : {TableId::kBig5, TableId::kBig5Eudc, TableId::kBig5Last}) {
      for (const TableRecord& r : Table(id).Records()) {
        const std::uint16_t c = Low16(r.other);
        if (const auto cns = Big5ToCns(c)) {
          if (const auto unit = CnsToUcs(as_looked_up(*cns))) ucs_by_big5_.InsertIfAbsent(c, *unit);
        }
      }
    }
    for (const TableRecord& r : Table(TableId::kUcs).Records()) {
      const std::uint16_t c = Low16(r.other);
      if (const auto cns = UcsToCns(c)) {
        if (const auto found = CnsToBig5(as_looked_up(*cns))) big5_by_ucs_.InsertIfAbsent(c, *found);
      }
    }
  } catch (const std::bad_alloc&) {
    big5_by_cns_ = {};
    cns_by_big5_ = {};
    ucs_by_cns_ = {};
    cns_by_ucs_ = {};
    gbk_by_cns_ = {};
    cns_by_gbk_ = {};
    ucs_by_big5_ = {};
    big5_by_ucs_ = {};
    merged_ = false;
  }
}

DirectLookups CodeTables::Lookups() const {
  DirectLookups d;
  if (!merged_) return d;
  d.indexed = true;
  d.cns_by_big5 = cns_by_big5_.Values();
  d.cns_by_ucs = cns_by_ucs_.Values();
  d.cns_by_gbk = cns_by_gbk_.Values();
  d.ucs_by_big5 = ucs_by_big5_.Values();
  d.big5_by_ucs = big5_by_ucs_.Values();
  for (std::uint32_t plane = 1; plane < d.big5_by_cns.size(); ++plane) {
    d.big5_by_cns[plane] = big5_by_cns_.PlaneCodes(plane);
    d.ucs_by_cns[plane] = ucs_by_cns_.PlaneCodes(plane);
    d.gbk_by_cns[plane] = gbk_by_cns_.PlaneCodes(plane);
  }
  return d;
}

CodeTables CodeTables::Load(TablePlatform& platform) {
  const char sep = platform.PathSeparator();
  std::uint16_t status = 0;

  std::string windows_directory = platform.WindowsDirectory();
  if (windows_directory.size() >= kWindowsDirectoryCapacity) windows_directory.resize(kWindowsDirectoryCapacity - 1);
  if (platform.FileExists(windows_directory + sep + "EUDC.USR")) status |= TS_USER_EUDC;

  const std::string ini_path = std::string(".") + sep + "CNSCVT.INI";
  std::string configured = platform.ProfileString(ini_path, "Setup", "TablePath", ".", kProfileCapacity);
  std::string directory = platform.IsNtFamily() ? configured + sep + "share" : configured;

  std::array<CodeTable, 5> tables;
  for (std::size_t i = 0; i < kTableFiles.size(); ++i) {
    const TableFileInfo& info = kTableFiles[i];
    const auto bytes = platform.ReadFile(directory + sep + info.file_name);
    if (!bytes) {
      status |= info.missing_flag;
      continue;
    }
    ParsedTable parsed = ParseTableFile(*bytes);
    if (parsed.outcome == ParsedTable::Outcome::kHeaderBad) {
      // The tables after a bad header are not even opened.
      status |= TS_HEADER_BAD;
      break;
    }
    if (parsed.outcome == ParsedTable::Outcome::kUnreadable) {
      status |= info.missing_flag;
      continue;
    }
    if (parsed.out_of_memory) platform.Warn(messages::kOutOfMemoryCaption, messages::kOutOfMemoryText);
    // The look-up indexes cover all tables at once; a table of its own keeps only its records.
    tables[i] = CodeTable::WithoutIndex(std::move(parsed.records));
  }
  return CodeTables(std::move(tables), status, std::move(configured), std::move(directory), Indexing::kAlways);
}

}  // namespace tessel
