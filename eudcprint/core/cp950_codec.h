// Conversion between code page 950 and UTF-16 for registry files whose text is UTF-16.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pictor::regfile {

class Cp950Codec {
 public:
  virtual ~Cp950Codec() = default;
  // Bytes that form no character become U+FFFD.
  virtual std::u16string ToUtf16(std::string_view cp950) const = 0;
  // Characters without a code page 950 code become "?".
  virtual std::string FromUtf16(std::u16string_view utf16) const = 0;
};

// ASCII and the user-defined area (Big5 0xFA40-0xFEFE, 0x8E40-0xA0FE, 0x8140-0x8DFE, 0xC6A1-0xC8FE
// to and from U+E000-U+F848); nothing else: other characters are lost. Only for registries known
// to hold nothing else (tests); never a default.
class BasicCp950Codec : public Cp950Codec {
 public:
  std::u16string ToUtf16(std::string_view cp950) const override;
  std::string FromUtf16(std::u16string_view utf16) const override;

 protected:
  // One double-byte code outside the user-defined area; U+FFFD when unknown.
  virtual char16_t DecodePair(std::uint16_t code) const;
  // One character outside ASCII and the user-defined area; "?" when it has no code.
  virtual std::string EncodeOther(char32_t code_point) const;
};

}  // namespace pictor::regfile
