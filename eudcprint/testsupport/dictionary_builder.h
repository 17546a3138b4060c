// Makes input-method dictionary files as the root-dictionary reader reads them, for tests,
// benchmarks and demonstration data.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "platform_ports.h"

namespace pictor::testsupport {

enum class DictionaryForm {
  kPhonetic,  // entries of 8 bytes: code, 4 root bytes, 2 unused bytes
  kRadical,   // Changjie and Quick: entries of 9 bytes: code, 5 root bytes, 2 unused bytes
};

class DictionaryBuilder {
 public:
  explicit DictionaryBuilder(DictionaryForm form) : form_(form) {}

  // An entry with a character code as the file holds it (see EntryCode) and its root bytes
  // (missing ones are 0).
  DictionaryBuilder& Add(std::uint16_t code, std::initializer_list<std::uint8_t> roots);
  // Writes this count instead of the number of entries.
  DictionaryBuilder& ClaimCount(std::uint32_t count);

  std::vector<std::uint8_t> Build() const;

 private:
  DictionaryForm form_;
  std::vector<std::vector<std::uint8_t>> entries_;
  std::optional<std::uint32_t> claimedCount_;
};

// The code of a Big5 user-defined character as a dictionary of that platform family holds it:
// the Big5 code itself on the 9x family, its private-use code point on the NT family.
std::uint16_t EntryCode(PlatformFamily family, std::uint16_t big5);

}  // namespace pictor::testsupport
