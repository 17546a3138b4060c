#include "character_list_log.h"

#include "character_list_form.h"

namespace tessel {

bool CharacterListLog::Start() {
  path_ = configured_path_ + separator_ + "CNSLIST.LOG";
  return files_.CreateWith(path_, form::Head());
}

bool CharacterListLog::end() {
  if (path_.empty()) return false;
  return files_.AppendToExisting(path_, form::Foot());
}

void CharacterListLog::append(std::span<const std::uint8_t> cns_bytes) {
  if (path_.empty()) return;
  // The value of the character's bytes, most significant first, up to the first zero byte.
  std::uint32_t value = 0;
  for (std::uint8_t b : cns_bytes) {
    if (b == 0) break;
    value = (value << 8) | b;
  }
  files_.AppendToExisting(path_, form::Entry(value));
}

}  // namespace tessel
