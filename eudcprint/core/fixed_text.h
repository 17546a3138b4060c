// A zero-terminated byte text in a field of fixed size, as the records of pictor hold their
// code page 950 texts. Assigning a longer text cuts it to the field between two characters, never
// after the lead byte of a double-byte one; the field stays terminated.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "cp950_text.h"

namespace pictor {

template <std::size_t Size>
class FixedText {
  static_assert(Size >= 1);

 public:
  static constexpr std::size_t kCapacity = Size - 1;  // bytes of text besides the terminator

  FixedText() = default;
  explicit FixedText(std::string_view text) { Assign(text); }

  // Copies text up to its first zero byte, cut to the field.
  void Assign(std::string_view text) {
    const std::size_t zero = text.find('\0');
    if (zero != std::string_view::npos) text = text.substr(0, zero);
    const std::size_t length = Cp950Prefix(text, kCapacity).size();
    std::copy_n(text.data(), length, bytes_.data());
    std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(length), bytes_.end(), '\0');
  }

  // Cuts the text at the first single-byte character `byte`, if any.
  void CutAt(char byte) {
    const std::size_t at = FindCp950Byte(View(), byte);
    if (at != std::string_view::npos) {
      std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(at), bytes_.end(), '\0');
    }
  }

  void Clear() { bytes_.fill('\0'); }

  std::string_view View() const { return std::string_view(bytes_.data()); }
  const char* CString() const { return bytes_.data(); }
  bool Empty() const { return bytes_[0] == '\0'; }
  const std::array<char, Size>& Bytes() const { return bytes_; }

  friend bool operator==(const FixedText&, const FixedText&) = default;

 private:
  std::array<char, Size> bytes_{};
};

}  // namespace pictor
