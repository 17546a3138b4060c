// tessel-mktables OUTDIR [--report]
//
// Writes the five default code tables from ICU's mapping data: CNS 11643 planes 1-7 (euc-tw-2014)
// paired with UCS-2 (BMP only), Big5 (windows-950-2000, A140-F9FE) and GBK; the Big5 user-defined
// areas paired with the CNS user-defined planes through the private-use code points both
// converters give them; and, as the last resort table, the Big5 codes that the others lack but a
// converter still maps. With --report, prints coverage per plane and per table beside what the C
// library's iconv maps.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "code_tables.h"
#include "glibc_iconv.h"
#include "icu_converter.h"
#include "mktables_options.h"
#include "table_writer.h"
#include "toolkit_version.h"

namespace tessel::mktables {
namespace {

constexpr int kPlanes = 7;

struct CnsEntry {
  std::uint32_t cns;
  char16_t unit;
  bool round_trip;  // the code unit converts back to the same CNS code
};

std::string EucBytes(std::uint32_t cns) {
  const auto plane = static_cast<char>(cns >> 16);
  const auto b1 = static_cast<char>(((cns >> 8) & 0x7F) | 0x80);
  const auto b2 = static_cast<char>((cns & 0x7F) | 0x80);
  if (plane == 1) return {b1, b2};
  return {'\x8E', static_cast<char>(0xA0 + plane), b1, b2};
}

std::optional<std::uint32_t> CnsFromEuc(const std::string& b) {
  auto u = [&](std::size_t i) { return static_cast<std::uint8_t>(b[i]); };
  if (b.size() == 2 && u(0) >= 0xA1 && u(1) >= 0xA1) return 0x010000u | ((u(0) & 0x7Fu) << 8) | (u(1) & 0x7Fu);
  if (b.size() == 4 && u(0) == 0x8E && u(1) >= 0xA1 && u(1) <= 0xB0)
    return (static_cast<std::uint32_t>(u(1) - 0xA0) << 16) | ((u(2) & 0x7Fu) << 8) | (u(3) & 0x7Fu);
  return std::nullopt;
}

std::string Big5Bytes(std::uint16_t code) { return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}; }

std::optional<std::uint16_t> TwoByteCode(const std::optional<std::string>& b) {
  if (!b || b->size() != 2) return std::nullopt;
  return static_cast<std::uint16_t>((static_cast<std::uint8_t>((*b)[0]) << 8) | static_cast<std::uint8_t>((*b)[1]));
}

std::vector<std::uint16_t> AllBig5Codes() {
  std::vector<std::uint16_t> codes;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail > 0x7E && trail < 0xA1) continue;
      codes.push_back(static_cast<std::uint16_t>((lead << 8) | trail));
    }
  }
  return codes;
}

struct DefaultTables {
  std::vector<CnsEntry> entries;  // round trips first, then by CNS value
  std::vector<TableRecord> big5, big5_eudc, big5_last, ucs, gbk;
};

DefaultTables Build() {
  const IcuConverter euc("euc-tw-2014");
  const IcuConverter big5("windows-950-2000");
  const IcuConverter gbk("GBK");
  DefaultTables t;

  for (std::uint32_t plane = 1; plane <= kPlanes; ++plane) {
    for (std::uint32_t b1 = 0x21; b1 <= 0x7E; ++b1) {
      for (std::uint32_t b2 = 0x21; b2 <= 0x7E; ++b2) {
        const std::uint32_t cns = (plane << 16) | (b1 << 8) | b2;
        const auto unit = euc.ToUnit(EucBytes(cns));
        if (!unit) continue;
        const auto back = euc.FromUnit(*unit);
        t.entries.push_back({cns, *unit, back && CnsFromEuc(*back) == cns});
      }
    }
  }
  // A code unit shared by several CNS codes finds the one it converts back to first.
  std::stable_sort(t.entries.begin(), t.entries.end(),
                   [](const CnsEntry& a, const CnsEntry& b) { return a.round_trip && !b.round_trip; });

  std::set<std::uint16_t> big5_covered;
  for (const CnsEntry& e : t.entries) {
    t.ucs.push_back({e.cns, e.unit});
    if (auto code = TwoByteCode(big5.FromUnit(e.unit)); code && *code >= 0xA140 && *code <= 0xF9FE &&
                                                        !IsBig5UserDefined(*code) &&
                                                        big5.ToUnit(Big5Bytes(*code)) == e.unit) {
      t.big5.push_back({e.cns, *code});
      big5_covered.insert(*code);
    }
    if (auto code = TwoByteCode(gbk.FromUnit(e.unit)); code && gbk.ToUnit(Big5Bytes(*code)) == e.unit) {
      t.gbk.push_back({e.cns, *code});
    }
  }

  for (std::uint16_t code : AllBig5Codes()) {
    const auto unit = big5.ToUnit(Big5Bytes(code));
    if (!unit) continue;
    const auto back = euc.FromUnit(*unit);
    const auto cns = back ? CnsFromEuc(*back) : std::nullopt;
    if (!cns) continue;
    if (IsBig5UserDefined(code)) {
      t.big5_eudc.push_back({*cns, code});
    } else if (!big5_covered.count(code)) {
      t.big5_last.push_back({*cns, code});
    }
  }
  return t;
}

int PlaneOf(std::uint32_t cns) { return static_cast<int>(cns >> 16); }

void PrintReport(const DefaultTables& t) {
  const GlibcIconv iconv_ucs("UCS-2LE", "EUC-TW");
  const GlibcIconv iconv_big5("BIG5", "EUC-TW");
  const GlibcIconv iconv_gbk("GBK", "EUC-TW");
  const GlibcIconv iconv_big5_to_euc("EUC-TW", "BIG5");

  std::map<int, int> icu_ucs, icu_big5, icu_gbk, libc_ucs, libc_big5, libc_gbk;
  for (const auto& r : t.ucs) ++icu_ucs[PlaneOf(r.cns)];
  for (const auto& r : t.big5) ++icu_big5[PlaneOf(r.cns)];
  for (const auto& r : t.gbk) ++icu_gbk[PlaneOf(r.cns)];
  for (std::uint32_t plane = 1; plane <= kPlanes; ++plane) {
    for (std::uint32_t b1 = 0x21; b1 <= 0x7E; ++b1) {
      for (std::uint32_t b2 = 0x21; b2 <= 0x7E; ++b2) {
        const std::string bytes = EucBytes((plane << 16) | (b1 << 8) | b2);
        const auto u = iconv_ucs.Convert(bytes);
        if (u && u->size() == 2) ++libc_ucs[static_cast<int>(plane)];
        if (const auto b = iconv_big5.Convert(bytes); b && b->size() == 2) ++libc_big5[static_cast<int>(plane)];
        if (const auto g = iconv_gbk.Convert(bytes); g && g->size() == 2) ++libc_gbk[static_cast<int>(plane)];
      }
    }
  }

  std::printf(
      "| plane | UCS-2 (tables) | UCS-2 (iconv) | Big5 (tables) | Big5 (iconv) | GBK (tables) | GBK (iconv) |\n");
  std::printf("|---|---|---|---|---|---|---|\n");
  for (int plane = 1; plane <= kPlanes; ++plane) {
    std::printf("| %d | %d | %d | %d | %d | %d | %d |\n", plane, icu_ucs[plane], libc_ucs[plane], icu_big5[plane],
                libc_big5[plane], icu_gbk[plane], libc_gbk[plane]);
  }

  int libc_user_defined = 0;
  for (std::uint16_t code : AllBig5Codes()) {
    if (IsBig5UserDefined(code) && iconv_big5_to_euc.Convert(Big5Bytes(code))) ++libc_user_defined;
  }
  std::printf("\n| table | records | by iconv |\n|---|---|---|\n");
  std::printf(
      "| CNS_B5.TBL | %zu | %d (EUC-TW to BIG5, planes 1-%d) |\n", t.big5.size(),
      [&] {
        int n = 0;
        for (auto& [p, c] : libc_big5) n += c;
        return n;
      }(),
      kPlanes);
  std::printf("| CNS_B5E.TBL | %zu | %d (BIG5 user-defined areas to EUC-TW) |\n", t.big5_eudc.size(),
              libc_user_defined);
  std::printf("| CNS_B5U.TBL | %zu | - |\n", t.big5_last.size());
  std::printf("| CNS_UCS.TBL | %zu | %d |\n", t.ucs.size(), [&] {
    int n = 0;
    for (auto& [p, c] : libc_ucs) n += c;
    return n;
  }());
  std::printf("| CNS_GBK.TBL | %zu | %d |\n", t.gbk.size(), [&] {
    int n = 0;
    for (auto& [p, c] : libc_gbk) n += c;
    return n;
  }());

  std::map<int, int> eudc_planes, last_planes;
  for (const auto& r : t.big5_eudc) ++eudc_planes[PlaneOf(r.cns)];
  for (const auto& r : t.big5_last) ++last_planes[PlaneOf(r.cns)];
  std::printf("\nCNS planes of CNS_B5E.TBL:");
  for (auto& [p, c] : eudc_planes) std::printf(" plane %d: %d;", p, c);
  std::printf("\nCNS planes of CNS_B5U.TBL:");
  for (auto& [p, c] : last_planes) std::printf(" plane %d: %d;", p, c);
  std::printf("\n");
}

}  // namespace
}  // namespace tessel::mktables

int main(int argc, char** argv) {
  using namespace tessel::mktables;
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  const auto parsed = ParseMktablesOptions(arguments);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "tessel-mktables: %s\n%s", parsed.error.c_str(), MktablesUsage().c_str());
    return 2;
  }
  const MktablesOptions& options = parsed.options;
  if (options.help) {
    std::fputs(MktablesHelp().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("tessel-mktables %s\n", TOOLKIT_VERSION);
    return 0;
  }
  try {
    const std::filesystem::path dir = options.out_dir;
    std::filesystem::create_directories(dir);
    const DefaultTables t = Build();
    WriteTableFile(dir / "CNS_B5.TBL", t.big5);
    WriteTableFile(dir / "CNS_B5E.TBL", t.big5_eudc);
    WriteTableFile(dir / "CNS_B5U.TBL", t.big5_last);
    WriteTableFile(dir / "CNS_UCS.TBL", t.ucs);
    WriteTableFile(dir / "CNS_GBK.TBL", t.gbk);
    if (options.report) PrintReport(t);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessel-mktables: %s\n", e.what());
    return 1;
  }
}
