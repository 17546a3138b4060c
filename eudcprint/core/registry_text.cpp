#include "registry_text.h"

namespace pictor::regfile {
namespace {

bool IsLeadByte(char16_t unit) { return unit >= 0x81 && unit <= 0xFE; }

char16_t FoldUnit(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - (u'a' - u'A')) : unit;
}

}  // namespace

std::size_t CharacterLength(std::u16string_view text, std::size_t i, TextKind kind) {
  if (kind == TextKind::kCodePage && IsLeadByte(text[i]) && i + 1 < text.size()) return 2;
  return 1;
}

std::u16string FoldCase(std::u16string_view text, TextKind kind) {
  std::u16string folded(text);
  for (std::size_t i = 0; i < folded.size();) {
    const std::size_t length = CharacterLength(folded, i, kind);
    if (length == 1) folded[i] = FoldUnit(folded[i]);
    i += length;
  }
  return folded;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b, TextKind kind) {
  return a.size() == b.size() && FoldCase(a, kind) == FoldCase(b, kind);
}

std::vector<std::u16string> SplitKeyPath(std::u16string_view path, TextKind kind) {
  std::vector<std::u16string> parts;
  std::u16string current;
  for (std::size_t i = 0; i < path.size();) {
    const std::size_t length = CharacterLength(path, i, kind);
    if (length == 1 && path[i] == u'\\') {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current.append(path.substr(i, length));
    }
    i += length;
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

bool IsRootKeyName(std::u16string_view name) {
  static constexpr std::u16string_view kRoots[] = {u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER",   u"HKEY_LOCAL_MACHINE",
                                                   u"HKEY_USERS",        u"HKEY_CURRENT_CONFIG", u"HKEY_DYN_DATA"};
  for (std::u16string_view root : kRoots) {
    if (EqualsIgnoringCase(name, root, TextKind::kUtf16)) return true;
  }
  return false;
}

std::u16string WidenBytes(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size());
  for (char c : bytes) units.push_back(static_cast<unsigned char>(c));
  return units;
}

std::string NarrowUnits(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size());
  for (char16_t unit : units) bytes.push_back(static_cast<char>(unit & 0xFF));
  return bytes;
}

bool Utf8ToUtf16(std::string_view utf8, std::u16string& out) {
  out.clear();
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    std::size_t length = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
      length = 1;
      cp = b0;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
      length = 2;
      cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      length = 3;
      cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      length = 4;
      cp = b0 & 0x07;
    } else {
      return false;
    }
    if (i + length > utf8.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto b = static_cast<unsigned char>(utf8[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3F);
    }
    // Overlong forms and values beyond U+10FFFF are malformed.
    if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
      return false;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += length;
  }
  return true;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00u);
      ++i;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace pictor::regfile
