// The .reg reader, with the round-trip property of the format: a file that reads is written back,
// that writing reads as the same keys and values, and writes back byte for byte.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "core/reg_file.h"

namespace {

using pictor::regfile::RegFileError;
using pictor::regfile::RegistryDocument;

bool SameContents(const RegistryDocument& a, const RegistryDocument& b) {
  if (a.Format() != b.Format() || a.Keys().size() != b.Keys().size()) return false;
  for (std::size_t k = 0; k < a.Keys().size(); ++k) {
    const auto& x = a.Keys()[k];
    const auto& y = b.Keys()[k];
    if (x.path != y.path || x.values.size() != y.values.size()) return false;
    for (std::size_t v = 0; v < x.values.size(); ++v) {
      if (x.values[v].name != y.values[v].name || x.values[v].type != y.values[v].type ||
          x.values[v].data != y.values[v].data)
        return false;
    }
  }
  return true;
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "round trip broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RegistryDocument first;
  try {
    first = pictor::regfile::ReadRegFile(std::span<const std::uint8_t>(data, size));
  } catch (const RegFileError&) {
    return 0;  // refused with the line of its fault
  }
  std::vector<std::uint8_t> written;
  try {
    written = pictor::regfile::WriteRegFile(first);
  } catch (const RegFileError&) {
    return 0;  // a name the format cannot hold, refused
  }
  RegistryDocument second;
  try {
    second = pictor::regfile::ReadRegFile(written);
  } catch (const RegFileError& error) {
    std::fprintf(stderr, "line %zu: %s\n", error.Line(), error.Message().c_str());
    Fail("the written file does not read");
  }
  if (!SameContents(first, second)) Fail("the written file reads as other keys or values");
  if (pictor::regfile::WriteRegFile(second) != written) Fail("the written file does not write back byte for byte");
  return 0;
}
