// The contents of a registry file: its keys in file order, each with its values in file order.
// A key also exists when only a deeper key names it. Names compare without regard to ASCII case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "registry_port.h"
#include "registry_text.h"

namespace pictor::regfile {

// How the file is written: its header line and its encoding.
enum class RegFileFormat {
  kVersion5Utf16,    // "Windows Registry Editor Version 5.00", UTF-16LE with byte-order mark
  kVersion5Utf8,     // the same header in UTF-8, without byte-order mark
  kVersion5Utf8Bom,  // the same header in UTF-8, with byte-order mark
  kRegedit4,         // "REGEDIT4", code page 950 bytes
};

TextKind TextKindOf(RegFileFormat format);

struct RegFileValue {
  std::u16string name;             // empty for the default value ("@")
  std::uint32_t type = kRegNone;   // one of the kReg* types of registry_port.h, or another number
  std::vector<std::uint8_t> data;  // as the registry stores it: strings in UTF-16LE for
                                   // Version 5 files, in code page 950 for REGEDIT4, terminated
};

struct RegFileKey {
  std::u16string path;  // full path, beginning with the root, e.g. HKEY_CURRENT_USER\Software
  std::vector<RegFileValue> values;
};

class RegistryDocument {
 public:
  explicit RegistryDocument(RegFileFormat format = RegFileFormat::kVersion5Utf16);

  RegFileFormat Format() const { return format_; }
  TextKind Kind() const { return TextKindOf(format_); }
  const std::vector<RegFileKey>& Keys() const { return keys_; }

  // The key written in the file under this path, or null (also for keys only implied).
  const RegFileKey* FindKey(std::u16string_view path) const;
  RegFileKey* FindKey(std::u16string_view path);

  // True when the key is in the file or a deeper key names it.
  bool KeyExists(std::u16string_view path) const;

  // Names of the direct subkeys, in the order in which the file first mentions them.
  std::vector<std::u16string> SubkeyNames(std::u16string_view path) const;

  // The key under this path, appended to the file when it is not written there yet.
  RegFileKey& CreateKey(std::u16string_view path);

  // Removes the key and every key below it.
  void DeleteKeyTree(std::u16string_view path);

  const RegFileValue* FindValue(const RegFileKey& key, std::u16string_view name) const;
  // Replaces the value of that name in place, or appends it.
  void SetValue(RegFileKey& key, RegFileValue value);
  bool DeleteValue(RegFileKey& key, std::u16string_view name);

 private:
  std::u16string CanonicalPath(std::u16string_view path) const;  // parts folded, joined by '\'
  // True when `path` is the key of those parts or a key below it.
  bool IsAtOrBelow(std::u16string_view path, const std::vector<std::u16string>& parts) const;
  void RebuildIndex();

  RegFileFormat format_;
  std::vector<RegFileKey> keys_;
  std::unordered_map<std::u16string, std::size_t> index_;  // canonical path -> position in keys_
};

}  // namespace pictor::regfile
