// String conversion on the full default tables: the indexed look-ups against the plain scan in
// file order, look-up cost against table size, and the time to load all five tables.
//
//   cmake --preset bench && cmake --build --preset bench && build-bench/bin/tessel_string_bench

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <vector>

#include "cns_coder.h"
#include "code_selector.h"
#include "code_tables.h"
#include "string_conversion.h"
#include "table_platform_factory.h"
#include "text_converter.h"

namespace tessel {
namespace {

const CodeTables& DefaultTables() {
  static const CodeTables tables = [] {
    std::filesystem::current_path(TESSEL_BUILD_DIR);
    auto platform = MakeTablePlatform();
    CodeTables t = CodeTables::Load(*platform);
    if (t.Status() & (kAnyTableMissing | TS_HEADER_BAD)) throw std::runtime_error("default tables missing");
    return t;
  }();
  return tables;
}

// The same tables answering by scanning their records in file order.
const CodeTables& ScanningTables() {
  static const CodeTables tables = [] {
    const CodeTables& t = DefaultTables();
    auto copy = [&](TableId id) {
      auto r = t.Table(id).Records();
      return CodeTable::WithoutIndex(std::vector<TableRecord>(r.begin(), r.end()));
    };
    return CodeTables({copy(TableId::kBig5), copy(TableId::kBig5Eudc), copy(TableId::kBig5Last), copy(TableId::kUcs),
                       copy(TableId::kGbk)},
                      t.Status());
  }();
  return tables;
}

// Random Big5 Han characters of the tables, 40 to a line, about `bytes` long, zero-terminated.
std::vector<std::uint8_t> Big5Text(std::size_t bytes) {
  std::vector<std::uint16_t> codes;
  for (const TableRecord& r : DefaultTables().Table(TableId::kBig5).Records())
    if (r.other >= 0xA440) codes.push_back(static_cast<std::uint16_t>(r.other));
  std::mt19937 random(1);
  std::vector<std::uint8_t> text;
  while (text.size() < bytes) {
    for (int i = 0; i < 40; ++i) {
      const std::uint16_t c = codes[random() % codes.size()];
      text.push_back(static_cast<std::uint8_t>(c >> 8));
      text.push_back(static_cast<std::uint8_t>(c));
    }
    text.push_back('\r');
    text.push_back('\n');
  }
  text.insert(text.end(), {0, 0, 0, 0});
  return text;
}

std::vector<std::uint8_t> ConvertWhole(std::uint8_t s, std::uint8_t t, const std::vector<std::uint8_t>& in) {
  CnsCoder coder;
  std::vector<std::uint8_t> out(MaxStringOutput(in.size()) + kStringTerminatorLength);
  ConvertString(DefaultTables(), coder, nullptr, s, t, in.data(), out.data());
  std::size_t n = 0;
  while (!(out[n] == 0 && out[n + 1] == 0 && out[n + 2] == 0 && (t != kSelectorUcs || n % 2 == 0))) ++n;
  out.resize(n);
  out.insert(out.end(), {0, 0, 0, 0});
  return out;
}

void RunConversion(benchmark::State& state, const CodeTables& tables, std::uint8_t s, std::uint8_t t,
                   const std::vector<std::uint8_t>& input) {
  CnsCoder coder;
  std::vector<std::uint8_t> out(MaxStringOutput(input.size()) + kStringTerminatorLength);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ConvertString(tables, coder, nullptr, s, t, input.data(), out.data()));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(input.size() - 4));
}

// Inputs of 1 MB for the index; the scan gets 16 KB, so that a run ends in reasonable time.
constexpr std::size_t kIndexedBytes = 1 << 20;
constexpr std::size_t kScanBytes = 16 << 10;

void BM_Big5ToCns(benchmark::State& state) {
  const bool scan = state.range(0) != 0;
  const auto input = Big5Text(scan ? kScanBytes : kIndexedBytes);
  RunConversion(state, scan ? ScanningTables() : DefaultTables(), kSelectorBig5, kSelectorCns, input);
}

void BM_CnsToBig5(benchmark::State& state) {
  const bool scan = state.range(0) != 0;
  const auto input = ConvertWhole(kSelectorBig5, kSelectorCns, Big5Text(scan ? kScanBytes : kIndexedBytes));
  RunConversion(state, scan ? ScanningTables() : DefaultTables(), kSelectorCns, kSelectorBig5, input);
}

void BM_UcsToCns(benchmark::State& state) {
  const bool scan = state.range(0) != 0;
  const auto input =
      ConvertWhole(kSelectorCns, kSelectorUcs,
                   ConvertWhole(kSelectorBig5, kSelectorCns, Big5Text(scan ? kScanBytes : kIndexedBytes)));
  RunConversion(state, scan ? ScanningTables() : DefaultTables(), kSelectorUcs, kSelectorCns, input);
}

BENCHMARK(BM_Big5ToCns)->ArgName("scan")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CnsToBig5)->ArgName("scan")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UcsToCns)->ArgName("scan")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One look-up in each direction on a table of N records with random keys.
void BM_LookupByTableSize(benchmark::State& state) {
  const bool scan = state.range(1) != 0;
  const auto size = static_cast<std::size_t>(state.range(0));
  std::mt19937 random(2);
  std::vector<TableRecord> records;
  for (std::size_t i = 0; i < size; ++i)
    records.push_back({static_cast<std::uint32_t>(random() & 0x0F7F7F), static_cast<std::uint32_t>(random() & 0xFFFF)});
  const CodeTable table = scan ? CodeTable::WithoutIndex(records) : CodeTable(records);
  std::vector<std::uint32_t> keys;
  for (int i = 0; i < 1024; ++i) keys.push_back(records[random() % size].cns);
  std::size_t k = 0;
  for (auto _ : state) {
    const std::uint32_t key = keys[k++ & 1023];
    benchmark::DoNotOptimize(table.FindByCns(key));
    benchmark::DoNotOptimize(table.FindByOther(static_cast<std::uint16_t>(key)));
  }
}
BENCHMARK(BM_LookupByTableSize)
    ->ArgNames({"records", "scan"})
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Args({100000, 1});

// Reading, parsing and indexing all five default tables, as the library does when attached.
void BM_LoadDefaultTables(benchmark::State& state) {
  DefaultTables();  // sets the current directory
  auto platform = MakeTablePlatform();
  for (auto _ : state) benchmark::DoNotOptimize(CodeTables::Load(*platform));
}
BENCHMARK(BM_LoadDefaultTables)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessel

BENCHMARK_MAIN();
