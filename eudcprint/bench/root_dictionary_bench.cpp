// Speed of what pictor does per printed character (LookupRoots) and at start-up (reading
// dictionaries, reading and writing the registry file).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "core/code_space.h"
#include "core/known_input_methods.h"
#include "core/reg_file.h"
#include "core/root_dictionary.h"
#include "tools/fixtures/dictionary_builder.h"

namespace pictor {
namespace {

using testsupport::DictionaryBuilder;
using testsupport::DictionaryForm;

// Every user-defined character with two toned readings.
std::vector<std::uint8_t> FullPhoneticFile() {
  DictionaryBuilder builder(DictionaryForm::kPhonetic);
  for (std::uint16_t ordinal = 0; ordinal < EUDC_CHARACTER_COUNT; ++ordinal) {
    const auto code = OrdinalToPrivateUse(ordinal);
    builder.Add(code, {1, 22, 33, 39}).Add(code, {2, 0, 25, 41});
  }
  return builder.Build();
}

std::vector<std::uint8_t> FullChangjieFile() {
  DictionaryBuilder builder(DictionaryForm::kRadical);
  for (std::uint16_t ordinal = 0; ordinal < EUDC_CHARACTER_COUNT; ++ordinal) {
    builder.Add(OrdinalToPrivateUse(ordinal), {1, 2, 3, 4, 5});
  }
  return builder.Build();
}

void BM_ReadPhoneticDictionary(benchmark::State& state) {
  const auto file = FullPhoneticFile();
  auto tables = std::make_unique<RootTables>();
  for (auto _ : state) {
    ReadRootDictionary(*tables, file, PlatformFamily::kWindowsNT, kPhoneticHkl);
    benchmark::DoNotOptimize(tables->phonetic[0][0][0]);
  }
  state.SetItemsProcessed(state.iterations() * 2 * EUDC_CHARACTER_COUNT);
}
BENCHMARK(BM_ReadPhoneticDictionary);

void BM_ReadChangjieDictionary(benchmark::State& state) {
  const auto file = FullChangjieFile();
  auto tables = std::make_unique<RootTables>();
  for (auto _ : state) {
    ReadRootDictionary(*tables, file, PlatformFamily::kWindowsNT, kChangjieHkl);
    benchmark::DoNotOptimize(tables->changjie[0][0]);
  }
  state.SetItemsProcessed(state.iterations() * EUDC_CHARACTER_COUNT);
}
BENCHMARK(BM_ReadChangjieDictionary);

// One lookup per character and input method, as a printed catalogue of all characters does.
void BM_LookupEveryCharacter(benchmark::State& state) {
  auto tables = std::make_unique<RootTables>();
  ReadRootDictionary(*tables, FullPhoneticFile(), PlatformFamily::kWindowsNT, kPhoneticHkl);
  ReadRootDictionary(*tables, FullChangjieFile(), PlatformFamily::kWindowsNT, kChangjieHkl);
  const auto hkl = static_cast<std::uint32_t>(state.range(0));
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (std::uint16_t ordinal = 0; ordinal < EUDC_CHARACTER_COUNT; ++ordinal) {
      bytes += LookupRoots(*tables, OrdinalToBig5(ordinal), hkl).View().size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * EUDC_CHARACTER_COUNT);
}
BENCHMARK(BM_LookupEveryCharacter)->Arg(kPhoneticHkl)->Arg(kChangjieHkl);

// A registry file of the size of a full export of the keyboard layouts (about 200 keys with
// three values each) and 2000 further keys.
std::vector<std::uint8_t> LargeRegistryFile(regfile::RegFileFormat format) {
  regfile::RegistryDocument document(format);
  for (int i = 0; i < 2200; ++i) {
    const std::u16string name = u"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Keyboard Layouts\\E0" +
                                std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                                std::u16string(1, static_cast<char16_t>(u'A' + i / 26 % 26)) +
                                std::u16string(1, static_cast<char16_t>(u'0' + i / 676)) + u"0404";
    regfile::RegFileKey& key = document.CreateKey(name);
    const std::vector<std::uint8_t> text = {'P', 0, 'H', 0, 'O', 0, 'N', 0, 0, 0};
    document.SetValue(key, {u"Ime File", 1, text});
    document.SetValue(key, {u"Layout Text", 1, text});
    document.SetValue(key, {u"Layout File", 2, std::vector<std::uint8_t>(60, 0x41)});
  }
  return regfile::WriteRegFile(document);
}

void BM_ReadRegistryFile(benchmark::State& state) {
  const auto file = LargeRegistryFile(regfile::RegFileFormat::kVersion5Utf16);
  for (auto _ : state) benchmark::DoNotOptimize(regfile::ReadRegFile(file).Keys().size());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_ReadRegistryFile)->Unit(benchmark::kMillisecond);

void BM_WriteRegistryFile(benchmark::State& state) {
  const auto document = regfile::ReadRegFile(LargeRegistryFile(regfile::RegFileFormat::kVersion5Utf16));
  std::size_t size = 0;
  for (auto _ : state) {
    size = regfile::WriteRegFile(document).size();
    benchmark::DoNotOptimize(size);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}
BENCHMARK(BM_WriteRegistryFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pictor
