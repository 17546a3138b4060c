// pictor's root dictionaries: the first byte chooses the input method and the platform family, the
// rest is the dictionary file. Every entry stays terminated and root texts stay within their bounds.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>

#include "core/code_space.h"
#include "core/known_input_methods.h"
#include "core/root_dictionary.h"

namespace {

constexpr std::uint32_t kInputMethods[] = {pictor::kPhoneticHkl, pictor::kChangjieHkl, pictor::kQuickHkl, 0xE0080404};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const auto kTables = std::make_unique<pictor::RootTables>();
  pictor::ClearRootTables(*kTables);
  const std::uint32_t hkl = kInputMethods[data[0] & 3];
  const auto family = (data[0] & 4) ? pictor::PlatformFamily::kWindows9x : pictor::PlatformFamily::kWindowsNT;
  pictor::ReadRootDictionary(*kTables, std::span<const std::uint8_t>(data + 1, size - 1), family, hkl);

  // Every entry keeps its terminator, so that a root text never runs into the next entry.
  for (const pictor::PhoneticEntry& entry : kTables->phonetic)
    for (const pictor::PhoneticReading& reading : entry)
      if (reading.back() != '\0') std::abort();
  for (const pictor::RadicalEntry& entry : kTables->changjie)
    if (entry.back() != '\0') std::abort();
  for (const pictor::RadicalEntry& entry : kTables->quick)
    if (entry.back() != '\0') std::abort();
  constexpr std::uint16_t kCodes[] = {0xFA40, 0xFA41, 0x8140, 0xA0FE, 0xFEFE, 0xC6A1, 0xC8FE};
  for (std::uint16_t code : kCodes) {
    const pictor::RootText text = pictor::LookupRoots(*kTables, code, hkl);
    if (std::strlen(text.CString()) >= pictor::kRootTextSize) std::abort();
  }
  return 0;
}
