#include "code_tables.h"

#include "messages.h"
#include "table_file.h"

namespace tessel {
namespace {

constexpr std::size_t kWindowsDirectoryCapacity = 160;
constexpr std::size_t kProfileCapacity = 260;

std::optional<std::uint16_t> low16(std::optional<std::uint32_t> other) {
  if (!other) return std::nullopt;
  return static_cast<std::uint16_t>(*other & 0xFFFF);
}

}  // namespace

CodeTables::CodeTables(std::array<CodeTable, 5> tables, std::uint16_t status, std::string configuredPath,
                       std::string tableDirectory)
    : tables_(std::move(tables)),
      status_(status),
      configuredPath_(std::move(configuredPath)),
      tableDirectory_(std::move(tableDirectory)) {}

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
    if (parsed.outcome == ParsedTable::Outcome::HeaderBad) {
      // The tables after a bad header are not even opened.
      status |= TS_HEADER_BAD;
      break;
    }
    if (parsed.outcome == ParsedTable::Outcome::Unreadable) {
      status |= info.missingFlag;
      continue;
    }
    if (parsed.outOfMemory) platform.warn(messages::kOutOfMemoryCaption, messages::kOutOfMemoryText);
    tables[i] = CodeTable(std::move(parsed.records));
  }
  return CodeTables(std::move(tables), status, std::move(configured), std::move(directory));
}

std::optional<std::uint16_t> CodeTables::cnsToBig5(std::uint32_t cnsValue) const {
  if (auto hit = table(TableId::Big5).findByCns(cnsValue)) return low16(hit);
  if (status_ & TS_USER_EUDC) {
    if (auto hit = table(TableId::Big5Eudc).findByCns(cnsValue)) return low16(hit);
  }
  return low16(table(TableId::Big5Last).findByCns(cnsValue));
}

std::optional<std::uint32_t> CodeTables::big5ToCns(std::uint16_t big5) const {
  if (isBig5UserDefined(big5)) {
    if (status_ & TS_USER_EUDC) {
      if (auto hit = table(TableId::Big5Eudc).findByOther(big5)) return hit;
    }
  } else if (auto hit = table(TableId::Big5).findByOther(big5)) {
    return hit;
  }
  return table(TableId::Big5Last).findByOther(big5);
}

std::optional<std::uint16_t> CodeTables::cnsToUcs(std::uint32_t cnsValue) const {
  return low16(table(TableId::Ucs).findByCns(cnsValue));
}

std::optional<std::uint32_t> CodeTables::ucsToCns(std::uint16_t unit) const {
  return table(TableId::Ucs).findByOther(unit);
}

std::optional<std::uint16_t> CodeTables::cnsToGbk(std::uint32_t cnsValue) const {
  return low16(table(TableId::Gbk).findByCns(cnsValue));
}

std::optional<std::uint32_t> CodeTables::gbkToCns(std::uint16_t gbk) const {
  return table(TableId::Gbk).findByOther(gbk);
}

}  // namespace tessel
