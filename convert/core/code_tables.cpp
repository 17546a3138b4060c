#include "code_tables.h"

#include <new>

#include "messages.h"
#include "table_file.h"

namespace tessel {
namespace {

constexpr std::size_t kWindowsDirectoryCapacity = 160;
constexpr std::size_t kProfileCapacity = 260;

}  // namespace

CodeTables::CodeTables(std::array<CodeTable, 5> tables, std::uint16_t status, std::string configuredPath,
                       std::string tableDirectory)
    : CodeTables(std::move(tables), status, std::move(configuredPath), std::move(tableDirectory),
                 Indexing::kWhenTablesAreIndexed) {}

CodeTables::CodeTables(std::array<CodeTable, 5> tables, std::uint16_t status, std::string configuredPath,
                       std::string tableDirectory, Indexing indexing)
    : tables_(std::move(tables)),
      status_(status),
      configuredPath_(std::move(configuredPath)),
      tableDirectory_(std::move(tableDirectory)) {
  if (indexing == Indexing::kWhenTablesAreIndexed) {
    for (const CodeTable& t : tables_) {
      if (!t.indexed()) return;  // the tables answer by scanning
    }
  }
  buildLookupIndexes();
}

void CodeTables::buildLookupIndexes() {
  const bool userEudc = (status_ & TS_USER_EUDC) != 0;
  const CodeTable& big5 = table(TableId::kBig5);
  const CodeTable& eudc = table(TableId::kBig5Eudc);
  const CodeTable& last = table(TableId::kBig5Last);

  try {
    // Each code goes into an index in the order its search visits the tables, and the first
    // insertion of a key wins: so the index answers what the search finds first.
    for (const TableRecord& r : big5.records()) {
      big5ByCns_.insertIfAbsent(r.cns, low16(r.other));
      if (!isBig5UserDefined(low16(r.other))) cnsByBig5_.insertIfAbsent(low16(r.other), r.cns);
    }
    if (userEudc) {
      for (const TableRecord& r : eudc.records()) {
        big5ByCns_.insertIfAbsent(r.cns, low16(r.other));
        if (isBig5UserDefined(low16(r.other))) cnsByBig5_.insertIfAbsent(low16(r.other), r.cns);
      }
    }
    for (const TableRecord& r : last.records()) {
      big5ByCns_.insertIfAbsent(r.cns, low16(r.other));
      cnsByBig5_.insertIfAbsent(low16(r.other), r.cns);
    }
    for (const TableRecord& r : table(TableId::kUcs).records()) {
      ucsByCns_.insertIfAbsent(r.cns, low16(r.other));
      cnsByUcs_.insertIfAbsent(low16(r.other), r.cns);
    }
    for (const TableRecord& r : table(TableId::kGbk).records()) {
      gbkByCns_.insertIfAbsent(r.cns, low16(r.other));
      cnsByGbk_.insertIfAbsent(low16(r.other), r.cns);
    }
    merged_ = true;

    // Big5 to UCS-2 and back, both steps composed. The second step looks up the three CNS bytes
    // that the first step gives, up to the first zero.
    auto asLookedUp = [](std::uint32_t cns) {
      std::uint32_t value = 0;
      for (int shift = 16; shift >= 0 && ((cns >> shift) & 0xFF) != 0; shift -= 8) {
        value = (value << 8) | ((cns >> shift) & 0xFF);
      }
      return value;
    };
    // Only codes that some record holds can convert, so the records name every code to compose.
    for (TableId id : {TableId::kBig5, TableId::kBig5Eudc, TableId::kBig5Last}) {
      for (const TableRecord& r : table(id).records()) {
        const std::uint16_t c = low16(r.other);
        if (const auto cns = big5ToCns(c)) {
          if (const auto unit = cnsToUcs(asLookedUp(*cns))) ucsByBig5_.insertIfAbsent(c, *unit);
        }
      }
    }
    for (const TableRecord& r : table(TableId::kUcs).records()) {
      const std::uint16_t c = low16(r.other);
      if (const auto cns = ucsToCns(c)) {
        if (const auto found = cnsToBig5(asLookedUp(*cns))) big5ByUcs_.insertIfAbsent(c, *found);
      }
    }
  } catch (const std::bad_alloc&) {
    big5ByCns_ = {};
    cnsByBig5_ = {};
    ucsByCns_ = {};
    cnsByUcs_ = {};
    gbkByCns_ = {};
    cnsByGbk_ = {};
    ucsByBig5_ = {};
    big5ByUcs_ = {};
    merged_ = false;
  }
}

DirectLookups CodeTables::directLookups() const {
  DirectLookups d;
  if (!merged_) return d;
  d.indexed = true;
  d.cnsByBig5 = cnsByBig5_.values();
  d.cnsByUcs = cnsByUcs_.values();
  d.cnsByGbk = cnsByGbk_.values();
  d.ucsByBig5 = ucsByBig5_.values();
  d.big5ByUcs = big5ByUcs_.values();
  for (std::uint32_t plane = 1; plane < d.big5ByCns.size(); ++plane) {
    d.big5ByCns[plane] = big5ByCns_.planeCodes(plane);
    d.ucsByCns[plane] = ucsByCns_.planeCodes(plane);
    d.gbkByCns[plane] = gbkByCns_.planeCodes(plane);
  }
  return d;
}

CodeTables CodeTables::load(TablePlatform& platform) {
  const char sep = platform.pathSeparator();
  std::uint16_t status = 0;

  std::string windowsDirectory = platform.windowsDirectory();
  if (windowsDirectory.size() >= kWindowsDirectoryCapacity) windowsDirectory.resize(kWindowsDirectoryCapacity - 1);
  if (platform.fileExists(windowsDirectory + sep + "EUDC.USR")) status |= TS_USER_EUDC;

  const std::string iniPath = std::string(".") + sep + "CNSCVT.INI";
  std::string configured = platform.profileString(iniPath, "Setup", "TablePath", ".", kProfileCapacity);
  std::string directory = platform.isNtFamily() ? configured + sep + "share" : configured;

  std::array<CodeTable, 5> tables;
  for (std::size_t i = 0; i < kTableFiles.size(); ++i) {
    const TableFileInfo& info = kTableFiles[i];
    const auto bytes = platform.readFile(directory + sep + info.fileName);
    if (!bytes) {
      status |= info.missingFlag;
      continue;
    }
    ParsedTable parsed = parseTableFile(*bytes);
    if (parsed.outcome == ParsedTable::Outcome::kHeaderBad) {
      // The tables after a bad header are not even opened.
      status |= TS_HEADER_BAD;
      break;
    }
    if (parsed.outcome == ParsedTable::Outcome::kUnreadable) {
      status |= info.missingFlag;
      continue;
    }
    if (parsed.outOfMemory) platform.warn(messages::kOutOfMemoryCaption, messages::kOutOfMemoryText);
    // The look-up indexes cover all tables at once; a table of its own keeps only its records.
    tables[i] = CodeTable::withoutIndex(std::move(parsed.records));
  }
  return CodeTables(std::move(tables), status, std::move(configured), std::move(directory), Indexing::kAlways);
}

}  // namespace tessel
