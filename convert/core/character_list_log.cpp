#include "character_list_log.h"

#include "character_list_form.h"

namespace tessel {

bool CharacterListLog::start() {
  path_ = configuredPath_ + separator_ + "CNSLIST.LOG";
  return files_.createWith(path_, form::head());
}

bool CharacterListLog::end() {
  if (path_.empty()) return false;
  return files_.appendToExisting(path_, form::foot());
}

void CharacterListLog::append(std::span<const std::uint8_t> cnsBytes) {
  if (path_.empty()) return;
  // The value of the character's bytes, most significant first, up to the first zero byte.
  std::uint32_t value = 0;
  for (std::uint8_t b : cnsBytes) {
    if (b == 0) break;
    value = (value << 8) | b;
  }
  files_.appendToExisting(path_, form::entry(value));
}

}  // namespace tessel
