// File conversion over files held in memory: the first byte chooses the selector pair (any pair,
// refused ones included), the second how the file is read and whether it is converted in place; the
// rest is the file. Lines longer than the 1024-byte line areas, escape sequences across them and
// read blocks of every size are the ground it covers. On success the target exists; on a refusal
// nothing but the source remains; a source converted elsewhere is never changed.
#include <cstdint>
#include <cstdlib>

#include "file_conversion.h"
#include "memory_files.h"
#include "table_builder.h"
#include "tessel.h"

namespace {

constexpr std::uint8_t kSelectors[] = {0, 1, 2, 3, 4, 18, 5};

class NoList final : public tessel::CharacterList {
 public:
  void append(std::span<const std::uint8_t>) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static const tessel::CodeTables kTables = tessel::testing::SmallTables(tessel::TS_USER_EUDC);
  const std::uint8_t source = kSelectors[(data[0] & 0x0F) % 7];
  const std::uint8_t target = kSelectors[(data[0] >> 4) % 7];
  const bool in_place = (data[1] & 0x80) != 0;
  const bool twice = (data[1] & 0x40) != 0;  // a second conversion carries the seven-bit state over

  tessel::testing::MemoryFiles files;
  files.read_block = (data[1] & 0x3F) == 0 ? 4096 : (data[1] & 0x3F);
  const tessel::testing::MemoryFiles::Bytes original(data + 2, data + size);
  files.Add("in", original);
  const std::string target_path = in_place ? "in" : "out";

  tessel::CnsCoder coder;
  NoList list;
  for (int round = 0; round < (twice ? 2 : 1); ++round) {
    const std::size_t files_before = files.files.size();
    const std::int32_t result = tessel::ConvertFile(kTables, coder, &list, files, source, target, "in", target_path);
    if (result == CVT_OK) {
      if (!files.files.count(target_path)) std::abort();
    } else if (files.files.size() != files_before) {
      std::abort();  // a file made by the refused call remains
    }
    if (!in_place && files.files.at("in") != original) std::abort();
    if (files.files.size() > 2) std::abort();  // a temporary file left behind
  }
  return 0;
}
