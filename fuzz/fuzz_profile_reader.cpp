// The profile-file reader: the first byte chooses the capacity, the rest is CNSCVT.INI. The answer
// always fits the capacity.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "profile_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t capacity = data[0] + 1u;
  const std::span<const std::uint8_t> text(data + 1, size - 1);
  for (const char* key : {"TablePath", "tablepath", ""}) {
    const std::string value = tessel::ReadProfileString(text, "Setup", key, ".", capacity);
    if (value.size() >= capacity) std::abort();
  }
  return 0;
}
