#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quillon {

// The two directly indexed maps filled from the rename table file.
//   forward: old code U+E024..U+F848 (the private-use code points code page 950 gives its
//            user-defined characters) -> new code; 0 means no entry.
//   reverse: new code U+0000..U+FFFE -> old code; 0 means no entry. Only two-way entries.
class RenameTable {
 public:
  static constexpr char16_t kFirstForwardCode = 0xE024;
  static constexpr char16_t kLastForwardCode = 0xF848;
  static constexpr std::size_t kForwardSlots = kLastForwardCode - kFirstForwardCode + 1;  // 6181
  static constexpr std::size_t kReverseSlots = 0xFFFF;                                    // 65535

  RenameTable();

  void Clear();

  // Stores forward[old] = new_code. Returns false (and stores nothing) when old has no slot.
  bool SetForward(char16_t old_code, char16_t new_code);
  // Stores reverse[new_code] = old. Returns false (and stores nothing) for U+FFFF, which has no slot.
  bool SetReverse(char16_t new_code, char16_t old_code);

  static bool HasForwardSlot(char16_t code) { return code >= kFirstForwardCode && code <= kLastForwardCode; }

  std::optional<char16_t> Forward(char16_t code) const {
    if (!HasForwardSlot(code)) return std::nullopt;
    const char16_t slot = forward_[code - kFirstForwardCode];
    if (slot == 0) return std::nullopt;
    return slot;
  }

  std::optional<char16_t> Reverse(char16_t code) const {
    if (code >= kReverseSlots) return std::nullopt;
    const char16_t slot = reverse_[code];
    if (slot == 0) return std::nullopt;
    return slot;
  }

  std::size_t ForwardEntryCount() const;
  std::size_t ReverseEntryCount() const;

 private:
  std::vector<char16_t> forward_;
  std::vector<char16_t> reverse_;
};

}  // namespace quillon
