#include "dictionary_builder.h"

#include "code_space.h"

namespace pictor::testsupport {
namespace {

constexpr std::size_t kHeaderSize = 258;
constexpr std::size_t kCountOffset = 12;

}  // namespace

DictionaryBuilder& DictionaryBuilder::Add(std::uint16_t code, std::initializer_list<std::uint8_t> roots) {
  const std::size_t rootCount = form_ == DictionaryForm::kPhonetic ? 4 : 5;
  std::vector<std::uint8_t> entry(2 + rootCount + 2, 0);
  entry[0] = static_cast<std::uint8_t>(code & 0xFF);
  entry[1] = static_cast<std::uint8_t>(code >> 8);
  std::size_t i = 0;
  for (std::uint8_t root : roots) {
    if (i < rootCount) entry[2 + i] = root;
    ++i;
  }
  entries_.push_back(std::move(entry));
  return *this;
}

DictionaryBuilder& DictionaryBuilder::ClaimCount(std::uint32_t count) {
  claimedCount_ = count;
  return *this;
}

std::vector<std::uint8_t> DictionaryBuilder::Build() const {
  std::vector<std::uint8_t> file(kHeaderSize, 0);
  const std::uint32_t count = claimedCount_.value_or(static_cast<std::uint32_t>(entries_.size()));
  for (int b = 0; b < 4; ++b) file[kCountOffset + b] = static_cast<std::uint8_t>(count >> (8 * b));
  for (const auto& entry : entries_) file.insert(file.end(), entry.begin(), entry.end());
  return file;
}

std::uint16_t EntryCode(PlatformFamily family, std::uint16_t big5) {
  if (family == PlatformFamily::kWindows9x) return big5;
  const auto ordinal = Big5ToOrdinal(big5);
  return ordinal ? static_cast<std::uint16_t>(0xE000 + *ordinal) : big5;
}

}  // namespace pictor::testsupport
