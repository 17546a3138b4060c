#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon::posix {

struct DecodedName {
  std::u16string text;
  bool exact = true;  // false: the bytes were not valid UTF-8
};

// UTF-8 bytes as UTF-16. A byte that does not belong to a valid sequence becomes the lone code
// unit U+DC00 + byte (U+DC80..U+DCFF), which EncodePath turns back into the same byte, so every
// name survives the round trip unchanged.
DecodedName DecodeName(std::string_view bytes);

// UTF-16 back to the bytes of a path; the inverse of DecodeName.
std::string EncodePath(std::u16string_view text);

// UTF-16 as valid UTF-8; nothing when the text holds a lone surrogate.
std::optional<std::string> EncodeNameStrict(std::u16string_view text);

}  // namespace quillon::posix
