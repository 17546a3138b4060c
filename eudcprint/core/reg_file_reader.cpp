#include <optional>
#include <string_view>

#include "reg_file.h"
#include "registry_port.h"

namespace pictor::regfile {

namespace {

std::string Describe(const std::string& file, std::size_t line, const std::string& message) {
  std::string text = file.empty() ? "" : file + ": ";
  if (line != 0) text += "line " + std::to_string(line) + ": ";
  return text + message;
}

}  // namespace

RegFileError::RegFileError(std::size_t line, const std::string& message)
    : std::runtime_error(Describe("", line, message)), line_(line), message_(message) {}

RegFileError::RegFileError(const std::string& file, const RegFileError& error)
    : std::runtime_error(Describe(file, error.line_, error.message_)), line_(error.line_), message_(error.message_) {}

namespace {

constexpr std::u16string_view kVersion5Header = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view kRegedit4Header = u"REGEDIT4";

struct DecodedFile {
  RegFileFormat format;
  std::u16string text;
};

bool StartsWithBytes(std::span<const std::uint8_t> bytes, std::string_view prefix) {
  if (bytes.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (bytes[i] != static_cast<std::uint8_t>(prefix[i])) return false;
  }
  return true;
}

DecodedFile Decode(std::span<const std::uint8_t> bytes) {
  if (StartsWithBytes(bytes, "\xFF\xFE")) {
    if (bytes.size() % 2 != 0) throw RegFileError(0, "UTF-16 file with an odd number of bytes");
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i < bytes.size(); i += 2) {
      text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    return {RegFileFormat::kVersion5Utf16, std::move(text)};
  }
  if (StartsWithBytes(bytes, "REGEDIT4")) {
    const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return {RegFileFormat::kRegedit4, WidenBytes(raw)};
  }
  const bool bom = StartsWithBytes(bytes, "\xEF\xBB\xBF");
  const auto body = bytes.subspan(bom ? 3 : 0);
  if (StartsWithBytes(body, "Windows Registry Editor Version 5.00")) {
    std::u16string text;
    const std::string_view raw(reinterpret_cast<const char*>(body.data()), body.size());
    if (!Utf8ToUtf16(raw, text)) throw RegFileError(0, "the file is not valid UTF-8");
    return {bom ? RegFileFormat::kVersion5Utf8Bom : RegFileFormat::kVersion5Utf8, std::move(text)};
  }
  throw RegFileError(1,
                     "not a registry file: it must begin with \"Windows Registry Editor "
                     "Version 5.00\" or \"REGEDIT4\"");
}

std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view TrimLeft(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::u16string_view TrimRight(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWithIgnoringCase(std::u16string_view s, std::u16string_view prefix) {
  return s.size() >= prefix.size() && EqualsIgnoringCase(s.substr(0, prefix.size()), prefix, TextKind::kUtf16);
}

std::optional<unsigned> HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10u;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10u;
  return std::nullopt;
}

class Parser {
 public:
  explicit Parser(DecodedFile file) : document_(file.format), text_(std::move(file.text)) {
    lines_ = SplitLines(text_);
  }

  RegistryDocument Run() {
    if (lines_.empty() || TrimRight(lines_[0]) != Header()) {
      throw RegFileError(1, "the first line must be the header line alone");
    }
    for (line_ = 1; line_ < lines_.size(); ++line_) ParseLine(TrimLeft(lines_[line_]));
    return std::move(document_);
  }

 private:
  std::u16string_view Header() const {
    return document_.Format() == RegFileFormat::kRegedit4 ? kRegedit4Header : kVersion5Header;
  }

  [[noreturn]] void Fail(const std::string& message) const { throw RegFileError(line_ + 1, message); }

  TextKind Kind() const { return document_.Kind(); }

  // A name from the file for a message, in UTF-8: control characters and the bytes of code
  // page 950 text as \xNN.
  std::string Printable(std::u16string_view name) const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (char16_t unit : name) {
      if (unit >= 0x20 && unit != 0x7F && (unit < 0x80 || Kind() == TextKind::kUtf16)) {
        text += Utf16ToUtf8(std::u16string_view(&unit, 1));
      } else {
        text += "\\x";
        text.push_back(kDigits[(unit >> 4) & 0xF]);
        text.push_back(kDigits[unit & 0xF]);
      }
    }
    return text;
  }

  void ParseLine(std::u16string_view line) {
    if (line.empty() || line.front() == u';') return;
    if (line.front() == u'[') {
      ParseSection(line);
    } else if (line.front() == u'"' || line.front() == u'@') {
      ParseValue(line);
    } else {
      Fail("expected a [key] line or a value line");
    }
  }

  void ParseSection(std::u16string_view line) {
    const std::size_t close = line.rfind(u']');
    if (close == std::u16string_view::npos) Fail("a key line must end with ]");
    const std::u16string_view rest = TrimLeft(line.substr(close + 1));
    if (!rest.empty() && rest.front() != u';') Fail("text after the ] of a key line");
    std::u16string_view path = line.substr(1, close - 1);
    const bool remove = !path.empty() && path.front() == u'-';
    if (remove) path.remove_prefix(1);
    const std::vector<std::u16string> parts = SplitKeyPath(path, Kind());
    if (parts.empty()) Fail("a key line without a key path");
    if (!IsRootKeyName(parts.front())) {
      Fail("unknown root key \"" + Printable(parts.front()) +
           "\": a key path begins with HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, "
           "HKEY_USERS, HKEY_CURRENT_CONFIG or HKEY_DYN_DATA");
    }
    if (path.find(u'\0') != std::u16string_view::npos) Fail("a key path with a zero character");
    if (remove) {
      document_.DeleteKeyTree(path);
      current_key_.reset();
    } else {
      current_key_ = std::u16string(document_.CreateKey(path).path);
    }
  }

  // A quoted name or string starting at s[0] == '"'; advances s past the closing quote.
  std::u16string ParseQuoted(std::u16string_view& s) const {
    std::u16string out;
    std::size_t i = 1;
    while (true) {
      if (i >= s.size()) Fail("a quoted text without its closing quote");
      const std::size_t length = CharacterLength(s, i, Kind());
      const char16_t c = s[i];
      if (length == 2) {
        out.append(s.substr(i, 2));
      } else if (c == u'"') {
        break;
      } else if (c == u'\\') {
        if (i + 1 >= s.size()) Fail("a backslash at the end of a quoted text");
        const char16_t next = s[i + 1];
        if (next != u'\\' && next != u'"') Fail("unknown escape in a quoted text (use \\\\ or \\\")");
        out.push_back(next);
        ++i;
      } else {
        out.push_back(c);
      }
      i += length;
    }
    s.remove_prefix(i + 1);
    return out;
  }

  std::vector<std::uint8_t> StringData(std::u16string_view text) const {
    std::vector<std::uint8_t> data;
    if (Kind() == TextKind::kCodePage) {
      for (char16_t unit : text) data.push_back(static_cast<std::uint8_t>(unit));
      data.push_back(0);
    } else {
      for (char16_t unit : text) {
        data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        data.push_back(static_cast<std::uint8_t>(unit >> 8));
      }
      data.push_back(0);
      data.push_back(0);
    }
    return data;
  }

  void ParseValue(std::u16string_view line) {
    if (!current_key_) Fail("a value line outside a key");
    std::u16string name;
    if (line.front() == u'@') {
      line.remove_prefix(1);
    } else {
      name = ParseQuoted(line);
      if (name.find(u'\0') != std::u16string::npos) Fail("a value name with a zero character");
    }
    line = TrimLeft(line);
    if (line.empty() || line.front() != u'=') Fail("expected = after the value name");
    line = TrimLeft(line.substr(1));
    RegFileKey* key = document_.FindKey(*current_key_);

    if (!line.empty() && line.front() == u'-' && TrimRight(line.substr(1)).empty()) {
      document_.DeleteValue(*key, name);
      return;
    }
    RegFileValue value{std::move(name), 0, {}};
    if (!line.empty() && line.front() == u'"') {
      const std::u16string text = ParseQuoted(line);
      if (!TrimRight(line).empty()) Fail("text after the closing quote of a string");
      value.type = kRegSz;
      value.data = StringData(text);
    } else if (StartsWithIgnoringCase(line, u"dword:")) {
      value.type = kRegDword;
      value.data = ParseDword(TrimRight(line.substr(6)));
    } else if (StartsWithIgnoringCase(line, u"hex")) {
      line.remove_prefix(3);
      value.type = kRegBinary;
      if (!line.empty() && line.front() == u'(') {
        const std::size_t close = line.find(u')');
        if (close == std::u16string_view::npos) Fail("hex( without )");
        value.type = ParseHexNumber(line.substr(1, close - 1), 8, "value type");
        line.remove_prefix(close + 1);
      }
      if (line.empty() || line.front() != u':') Fail("expected : after hex");
      value.data = ParseHexBytes(line.substr(1));
    } else {
      Fail("unknown value data: expected \"text\", dword:, hex: or -");
    }
    document_.SetValue(*key, std::move(value));
  }

  std::uint32_t ParseHexNumber(std::u16string_view digits, std::size_t max_digits, const char* what) const {
    if (digits.empty() || digits.size() > max_digits) Fail(std::string("bad ") + what);
    std::uint32_t number = 0;
    for (char16_t c : digits) {
      const auto digit = HexDigit(c);
      if (!digit) Fail(std::string("bad ") + what);
      number = (number << 4) | *digit;
    }
    return number;
  }

  std::vector<std::uint8_t> ParseDword(std::u16string_view digits) const {
    const std::uint32_t number = ParseHexNumber(digits, 8, "dword: it takes 1 to 8 hex digits");
    return {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
            static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
  }

  // Comma-separated bytes; a line ending in a backslash continues on the next line.
  std::vector<std::uint8_t> ParseHexBytes(std::u16string_view rest) {
    std::vector<std::uint8_t> bytes;
    bool expect_byte = true;  // false right after a byte, until its comma
    while (true) {
      rest = TrimRight(TrimLeft(rest));
      if (rest.empty()) break;
      if (rest.front() == u'\\' && TrimLeft(rest.substr(1)).empty()) {
        if (line_ + 1 >= lines_.size()) Fail("a continued line at the end of the file");
        rest = lines_[++line_];
        continue;
      }
      if (rest.front() == u',') {
        if (expect_byte) Fail("an empty item in a hex list");
        expect_byte = true;
        rest.remove_prefix(1);
        continue;
      }
      if (!expect_byte) Fail("expected , between hex bytes");
      std::size_t length = 0;
      while (length < rest.size() && HexDigit(rest[length])) ++length;
      if (length == 0 || length > 2) Fail("a hex byte takes one or two hex digits");
      bytes.push_back(static_cast<std::uint8_t>(ParseHexNumber(rest.substr(0, length), 2, "hex byte")));
      rest.remove_prefix(length);
      expect_byte = false;
    }
    return bytes;
  }

  RegistryDocument document_;
  std::u16string text_;
  std::vector<std::u16string_view> lines_;
  std::size_t line_ = 0;
  std::optional<std::u16string> current_key_;
};

}  // namespace

RegistryDocument ReadRegFile(std::span<const std::uint8_t> bytes) { return Parser(Decode(bytes)).Run(); }

}  // namespace pictor::regfile
