#include "root_dictionary.h"

#include <algorithm>
#include <optional>
#include <string>

#include "known_input_methods.h"
#include "root_symbols.h"

namespace pictor {
namespace {

constexpr std::size_t kCountOffset = 12;
constexpr std::size_t kFirstEntryOffset = 258;
constexpr std::size_t kRootsOffsetInEntry = 2;
constexpr std::size_t kPhoneticStride = 8;
constexpr std::size_t kRadicalStride = 9;

// "警告! 無法開啟【", "】輸入法字根檔", "警告訊息"
constexpr std::string_view kCannotOpenBefore = "\xc4\xb5\xa7\x69! \xb5\x4c\xaa\x6b\xb6\x7d\xb1\xd2\xa1\x69";
constexpr std::string_view kCannotOpenAfter = "\xa1\x6a\xbf\xe9\xa4\x4a\xaa\x6b\xa6\x72\xae\xda\xc0\xc9";
constexpr std::string_view kWarningCaption = "\xc4\xb5\xa7\x69\xb0\x54\xae\xa7";

constexpr std::uint8_t kPhoneticLeadByte = 0xA3;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
         (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::optional<std::uint16_t> OrdinalOfEntry(std::uint16_t code, PlatformFamily family) {
  if (family == PlatformFamily::kWindows9x) return Big5ToOrdinal(code);
  return PrivateUseToOrdinal(code);
}

template <std::size_t N>
void WritePositions(char* out, std::span<const std::uint8_t> roots, const std::array<std::string_view, N>& symbols) {
  for (std::size_t p = 0; p < roots.size(); ++p) {
    const std::string_view symbol = RootSymbol(symbols, roots[p]).value_or(kFullWidthSpace);
    std::copy(symbol.begin(), symbol.end(), out + 2 * p);
  }
}

// A slot holds a reading when its fourth position holds a phonetic symbol (for a full reading,
// the tone); a reading without one leaves its slot to the next reading of the character.
bool SlotTaken(const PhoneticReading& slot) {
  return static_cast<std::uint8_t>(slot[2 * (kPhoneticPositions - 1)]) == kPhoneticLeadByte;
}

}  // namespace

void ClearRootTables(RootTables& tables) {
  std::fill(tables.phonetic.begin(), tables.phonetic.end(), PhoneticEntry{});
  std::fill(tables.changjie.begin(), tables.changjie.end(), RadicalEntry{});
  std::fill(tables.quick.begin(), tables.quick.end(), RadicalEntry{});
}

void ReadRootDictionary(RootTables& tables, std::span<const std::uint8_t> file, PlatformFamily family,
                        std::uint32_t hkl) {
  const bool phonetic = hkl == kPhoneticHkl;
  RadicalEntry* radical = nullptr;
  if (hkl == kChangjieHkl) radical = tables.changjie.data();
  if (hkl == kQuickHkl) radical = tables.quick.data();
  if (!phonetic && radical == nullptr) return;

  if (phonetic) {
    std::fill(tables.phonetic.begin(), tables.phonetic.end(), PhoneticEntry{});
  } else {
    std::fill(radical, radical + EUDC_CHARACTER_COUNT, RadicalEntry{});
  }
  if (file.size() < kCountOffset + 4) return;

  const std::size_t stride = phonetic ? kPhoneticStride : kRadicalStride;
  const std::size_t positions = phonetic ? kPhoneticPositions : kRadicalPositions;
  const std::size_t entry_bytes = kRootsOffsetInEntry + positions;  // the bytes read of an entry
  // Only entries whose bytes lie wholly inside the file are read, whatever the count says.
  const std::uint64_t claimed = ReadU32(file, kCountOffset);
  const std::uint64_t present =
      file.size() < kFirstEntryOffset + entry_bytes ? 0 : (file.size() - kFirstEntryOffset - entry_bytes) / stride + 1;
  const std::uint64_t count = std::min(claimed, present);

  for (std::uint64_t i = 0; i < count; ++i) {
    const std::size_t offset = kFirstEntryOffset + static_cast<std::size_t>(i) * stride;
    const auto ordinal = OrdinalOfEntry(ReadU16(file, offset), family);
    if (!ordinal) break;
    const auto roots = file.subspan(offset + kRootsOffsetInEntry, positions);
    if (phonetic) {
      PhoneticEntry& entry = tables.phonetic[*ordinal];
      const auto slot = std::find_if_not(entry.begin(), entry.end(), SlotTaken);
      if (slot == entry.end()) continue;  // all seven readings taken: no room for more
      WritePositions(slot->data(), roots, PhoneticSymbolTable);
    } else {
      WritePositions(radical[*ordinal].data(), roots, RadicalSymbolTable);
    }
  }
}

void LoadRootDictionary(RootTables& tables, FileReaderPort& files, MessagePort& warnings, PlatformFamily family,
                        std::string_view path, std::string_view layout_text, std::uint32_t hkl) {
  const auto file = files.ReadWholeFile(path);
  if (!file) {
    std::string text(kCannotOpenBefore);
    text += layout_text;
    text += kCannotOpenAfter;
    warnings.Warn(text, kWarningCaption);
    return;
  }
  ReadRootDictionary(tables, *file, family, hkl);
}

RootText LookupRoots(const RootTables& tables, std::uint16_t code, std::uint32_t hkl) {
  const auto ordinal = Big5ToOrdinal(code);
  if (!ordinal) return RootText{};
  if (hkl == kPhoneticHkl) {
    const PhoneticEntry& entry = tables.phonetic[*ordinal];
    std::array<char, kRootTextSize> text{};
    std::size_t length = 0;
    const auto append = [&](std::string_view part) {
      std::copy(part.begin(), part.end(), text.begin() + static_cast<std::ptrdiff_t>(length));
      length += part.size();
    };
    append(entry[0].data());
    for (std::size_t slot = 1; slot < kPhoneticReadingSlots; ++slot) {
      if (!SlotTaken(entry[slot])) continue;
      append(kFullWidthSpace);
      append(entry[slot].data());
    }
    return RootText(std::string_view(text.data(), length));
  }
  if (hkl == kChangjieHkl) return RootText(tables.changjie[*ordinal].data());
  if (hkl == kQuickHkl) return RootText(tables.quick[*ordinal].data());
  return RootText{};
}

}  // namespace pictor
