// String conversion for every selector pair the library accepts, into an output buffer of exactly
// the documented worst-case size (CVT_MAX_OUTPUT_SIZE): the first byte chooses the pair, the rest
// is the string.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "string_conversion.h"
#include "table_builder.h"
#include "tessel.h"

namespace {

class CountingList final : public tessel::CharacterList {
 public:
  void append(std::span<const std::uint8_t> cns_bytes) override {
    if (cns_bytes.empty() || cns_bytes.size() > 3) std::abort();
    ++count;
  }
  std::size_t count = 0;
};

const tessel::CodeTables& Tables() {
  static const tessel::CodeTables kT = tessel::testing::SmallTables(tessel::TS_USER_EUDC);
  return kT;
}

const std::vector<std::pair<std::uint8_t, std::uint8_t>>& AllowedPairs() {
  static const auto kPairs = [] {
    std::vector<std::pair<std::uint8_t, std::uint8_t>> p;
    constexpr std::uint8_t kSelectors[] = {0, 1, 2, 3, 4, 18};
    for (std::uint8_t s : kSelectors)
      for (std::uint8_t t : kSelectors)
        if (tessel::CheckConversion(Tables(), s, t) == CVT_OK) p.emplace_back(s, t);
    return p;
  }();
  return kPairs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto [source, target] = AllowedPairs()[data[0] % AllowedPairs().size()];

  // The host's string: the bytes, then the terminating zeros.
  std::vector<std::uint8_t> input(data + 1, data + size);
  input.insert(input.end(), {0, 0, 0});
  const std::size_t length = tessel::StringInputLength(input.data(), source);

  const std::size_t room = CVT_MAX_OUTPUT_SIZE(length);
  const auto output = std::make_unique<std::uint8_t[]>(room);  // ASan catches a write past it
  tessel::CnsCoder coder;
  CountingList list;
  if (tessel::ConvertString(Tables(), coder, &list, source, target, input.data(), output.get()) != CVT_OK) std::abort();
  return 0;
}
