#include "code_space.h"

namespace pictor {
namespace {

constexpr unsigned kTrailsPerLead = 157;

std::uint16_t MakeCode(unsigned lead, unsigned trail) { return static_cast<std::uint16_t>((lead << 8) | trail); }

// A segment whose leads use all 157 trail bytes, starting at trail 0x40 of firstLead.
std::uint16_t CodeInFullRows(unsigned first_lead, unsigned rest) {
  return MakeCode(first_lead + rest / kTrailsPerLead, TrailByteAt(rest % kTrailsPerLead));
}

}  // namespace

std::uint8_t TrailByteAt(unsigned position) {
  return static_cast<std::uint8_t>(position < 63 ? 0x40 + position : 0x62 + position);
}

std::optional<unsigned> TrailPosition(std::uint8_t trail) {
  if (trail >= 0x40 && trail <= 0x7E) return trail - 0x40u;
  if (trail >= 0xA1 && trail <= 0xFE) return trail - 0x62u;
  return std::nullopt;
}

std::uint16_t OrdinalToBig5(std::uint16_t ordinal) {
  if (ordinal >= EUDC_CHARACTER_COUNT) return kNoCharacter;
  if (ordinal >= 5903) return CodeInFullRows(0xC7, ordinal - 5903u);
  if (ordinal >= 5809) return MakeCode(0xC6, ordinal - 5809u + 0xA1);
  if (ordinal >= 3768) return CodeInFullRows(0x81, ordinal - 3768u);
  if (ordinal >= 785) return CodeInFullRows(0x8E, ordinal - 785u);
  return CodeInFullRows(0xFA, ordinal);
}

std::uint16_t CodeIndexToBig5(std::uint16_t index) {
  if (index >= EUDC_CHARACTER_COUNT) return kNoCharacter;
  if (index < 2041) return CodeInFullRows(0x81, index);
  if (index < 5024) return CodeInFullRows(0x8E, index - 2041u);
  if (index < 5118) return MakeCode(0xC6, index - 5024u + 0xA1);
  if (index < 5432) return CodeInFullRows(0xC7, index - 5118u);
  return CodeInFullRows(0xFA, index - 5432u);
}

std::uint16_t Big5ToCodeIndex(std::uint16_t code) {
  const unsigned lead = code >> 8;
  const auto trail = static_cast<std::uint8_t>(code & 0xFF);
  const auto position = TrailPosition(trail);
  if (!position) return kNoCharacter;
  unsigned base = 0;
  unsigned row = 0;
  if (lead >= 0x81 && lead <= 0x8D) {
    base = 0;
    row = lead - 0x81;
  } else if (lead >= 0x8E && lead <= 0xA0) {
    base = 2041;
    row = lead - 0x8E;
  } else if (lead == 0xC6) {
    // Only the upper half of lead 0xC6 is user-defined.
    if (trail < 0xA1) return kNoCharacter;
    return static_cast<std::uint16_t>(trail + 4863u);
  } else if (lead >= 0xC7 && lead <= 0xC8) {
    base = 5118;
    row = lead - 0xC7;
  } else if (lead >= 0xFA && lead <= 0xFE) {
    base = 5432;
    row = lead - 0xFA;
  } else {
    return kNoCharacter;
  }
  return static_cast<std::uint16_t>(base + row * kTrailsPerLead + *position);
}

std::uint16_t Big5ToFullIndex(std::uint16_t code) {
  const unsigned lead = code >> 8;
  const auto position = TrailPosition(static_cast<std::uint8_t>(code & 0xFF));
  if (!position) return kNoCharacter;
  unsigned base = 0;
  unsigned row = 0;
  if (lead >= 0xA1 && lead <= 0xFE) {
    base = 0;
    row = lead - 0xA1;
  } else if (lead >= 0x8E && lead <= 0xA0) {
    base = 14758;
    row = lead - 0x8E;
  } else if (lead >= 0x81 && lead <= 0x8D) {
    base = 17741;
    row = lead - 0x81;
  } else {
    return kNoCharacter;
  }
  return static_cast<std::uint16_t>(base + row * kTrailsPerLead + *position);
}

std::optional<std::uint16_t> Big5ToOrdinal(std::uint16_t code) {
  const std::uint16_t full = Big5ToFullIndex(code);
  if (full == kNoCharacter) return std::nullopt;
  if (full >= 5872 && full <= 6279) return static_cast<std::uint16_t>(full - 63);  // 0xC6A1-0xC8FE
  if (full >= 13973) return static_cast<std::uint16_t>(full - 13973);              // 0xFA40 onwards
  return std::nullopt;
}

bool IsEudcCode(std::uint16_t code) {
  if (!TrailPosition(static_cast<std::uint8_t>(code & 0xFF))) return false;
  for (const CodeRange& range : EudcCodeRange) {
    if (code >= range.first && code <= range.last) return true;
  }
  return false;
}

std::optional<char16_t> Big5ToPrivateUse(std::uint16_t code) {
  const auto ordinal = Big5ToOrdinal(code);
  if (!ordinal) return std::nullopt;
  return OrdinalToPrivateUse(*ordinal);
}

}  // namespace pictor
