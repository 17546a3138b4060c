#include <array>
#include <optional>
#include <string_view>

#include "reg_file.h"
#include "registry_port.h"

namespace pictor::regfile {
namespace {

constexpr std::size_t kMaxLineWidth = 80;  // hex lists wrap so that no line is longer

bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// The text of a string value when it can be written between quotes so that it reads back as
// the same bytes: terminated exactly once at its end, no line breaks, no split characters.
std::optional<std::u16string> QuotableText(const std::vector<std::uint8_t>& data, TextKind kind) {
  std::u16string text;
  if (kind == TextKind::kCodePage) {
    if (data.empty() || data.back() != 0) return std::nullopt;
    for (std::size_t i = 0; i + 1 < data.size(); ++i) text.push_back(data[i]);
  } else {
    if (data.size() < 2 || data.size() % 2 != 0) return std::nullopt;
    if (data[data.size() - 1] != 0 || data[data.size() - 2] != 0) return std::nullopt;
    for (std::size_t i = 0; i + 2 < data.size(); i += 2) {
      text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
  }
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == 0 || IsLineBreak(text[i])) return std::nullopt;
    const std::size_t length = CharacterLength(text, i, kind);
    // A double-byte character must not swallow the closing quote: a lead byte ending the text.
    if (kind == TextKind::kCodePage && length == 1 && text[i] >= 0x81 && text[i] <= 0xFE) {
      return std::nullopt;
    }
    i += length;
  }
  return text;
}

class Writer {
 public:
  explicit Writer(const RegistryDocument& document) : document_(document) {}

  std::vector<std::uint8_t> Run() {
    text_ += document_.Format() == RegFileFormat::kRegedit4 ? u"REGEDIT4" : u"Windows Registry Editor Version 5.00";
    EndLine();
    EndLine();
    for (const RegFileKey& key : document_.Keys()) {
      if (HasLineBreak(key.path)) throw RegFileError(0, "a key path with a line break");
      // A path that does not begin with a root key would read back as another key, or as
      // the deletion of one ("[-...]").
      const std::vector<std::u16string> parts = SplitKeyPath(key.path, document_.Kind());
      if (parts.empty() || !IsRootKeyName(parts.front())) {
        throw RegFileError(0, "a key path that does not begin with a root key");
      }
      text_ += u'[';
      text_ += key.path;
      text_ += u']';
      EndLine();
      for (const RegFileValue& value : key.values) WriteValue(value);
      EndLine();
    }
    return Encode();
  }

 private:
  static bool HasLineBreak(std::u16string_view s) {
    for (char16_t c : s) {
      if (IsLineBreak(c) || c == 0) return true;
    }
    return false;
  }

  void EndLine() {
    text_ += u"\r\n";
    line_start_ = text_.size();
  }

  std::size_t Column() const { return text_.size() - line_start_; }

  void WriteQuoted(std::u16string_view s) {
    text_ += u'"';
    for (std::size_t i = 0; i < s.size();) {
      const std::size_t length = CharacterLength(s, i, document_.Kind());
      if (length == 1 && (s[i] == u'\\' || s[i] == u'"')) text_ += u'\\';
      text_.append(s.substr(i, length));
      i += length;
    }
    text_ += u'"';
  }

  void WriteValue(const RegFileValue& value) {
    if (value.name.empty()) {
      text_ += u'@';
    } else {
      if (HasLineBreak(value.name) || !QuotableText(NameBytes(value.name), document_.Kind())) {
        throw RegFileError(0, "a value name that cannot be written in this file format");
      }
      WriteQuoted(value.name);
    }
    text_ += u'=';
    if (value.type == kRegSz) {
      if (const auto text = QuotableText(value.data, document_.Kind())) {
        WriteQuoted(*text);
        EndLine();
        return;
      }
    }
    if (value.type == kRegDword && value.data.size() == 4) {
      const std::uint32_t number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                                   (static_cast<std::uint32_t>(value.data[3]) << 24);
      text_ += u"dword:";
      AppendHex(number, 8);
      EndLine();
      return;
    }
    text_ += u"hex";
    if (value.type != kRegBinary) {
      text_ += u'(';
      AppendHex(value.type, 0);
      text_ += u')';
    }
    text_ += u':';
    WriteHexBytes(value.data);
    EndLine();
  }

  // The name as string data, so that the quoting test of string values applies to it.
  std::vector<std::uint8_t> NameBytes(std::u16string_view name) const {
    std::vector<std::uint8_t> data;
    for (char16_t unit : name) {
      if (document_.Kind() == TextKind::kCodePage) {
        data.push_back(static_cast<std::uint8_t>(unit));
      } else {
        data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        data.push_back(static_cast<std::uint8_t>(unit >> 8));
      }
    }
    data.push_back(0);
    if (document_.Kind() == TextKind::kUtf16) data.push_back(0);
    return data;
  }

  // Lower-case hex; width 0 writes no leading zeros.
  void AppendHex(std::uint32_t number, int width) {
    static constexpr std::u16string_view kDigits = u"0123456789abcdef";
    std::u16string digits;
    do {
      digits.insert(digits.begin(), kDigits[number & 0xF]);
      number >>= 4;
    } while (number != 0);
    while (static_cast<int>(digits.size()) < width) digits.insert(digits.begin(), u'0');
    text_ += digits;
  }

  void WriteHexBytes(const std::vector<std::uint8_t>& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const bool last = i + 1 == bytes.size();
      // "xx," and room for the continuing backslash, or "xx" alone at the end.
      const std::size_t needed = last ? 2 : 4;
      if (Column() + needed > kMaxLineWidth) {
        text_ += u'\\';
        EndLine();
        text_ += u"  ";
      }
      AppendHex(bytes[i], 2);
      if (!last) text_ += u',';
    }
  }

  std::vector<std::uint8_t> Encode() const {
    std::vector<std::uint8_t> bytes;
    switch (document_.Format()) {
      case RegFileFormat::kVersion5Utf16:
        bytes = {0xFF, 0xFE};
        for (char16_t unit : text_) {
          bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
          bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        break;
      case RegFileFormat::kVersion5Utf8Bom:
        bytes = {0xEF, 0xBB, 0xBF};
        [[fallthrough]];
      case RegFileFormat::kVersion5Utf8: {
        const std::string utf8 = Utf16ToUtf8(text_);
        bytes.insert(bytes.end(), utf8.begin(), utf8.end());
        break;
      }
      case RegFileFormat::kRegedit4:
        for (char16_t unit : text_) bytes.push_back(static_cast<std::uint8_t>(unit));
        break;
    }
    return bytes;
  }

  const RegistryDocument& document_;
  std::u16string text_;
  std::size_t line_start_ = 0;
};

}  // namespace

std::vector<std::uint8_t> WriteRegFile(const RegistryDocument& document) { return Writer(document).Run(); }

}  // namespace pictor::regfile
