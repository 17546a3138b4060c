// Text of a registry file as the document holds it: UTF-16 code units for files in the
// "Windows Registry Editor Version 5.00" format, and for REGEDIT4 files their code page 950 bytes,
// one byte per unit. Comparison folds ASCII letter case; in code page 950 text the second byte of a
// double-byte character is never folded, never taken for a backslash and never split off.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pictor::regfile {

enum class TextKind {
  kUtf16,     // Windows Registry Editor Version 5.00
  kCodePage,  // REGEDIT4: code page 950 bytes
};

// Length in units of the character that starts at position i.
std::size_t CharacterLength(std::u16string_view text, std::size_t i, TextKind kind);

// Text folded for case-insensitive comparison.
std::u16string FoldCase(std::u16string_view text, TextKind kind);

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b, TextKind kind);

// The backslash-separated parts of a key path (empty parts dropped).
std::vector<std::u16string> SplitKeyPath(std::u16string_view path, TextKind kind);

// True for the names a key path of a registry file may begin with (without regard to case):
// HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG and
// HKEY_DYN_DATA.
bool IsRootKeyName(std::u16string_view name);

// Bytes to units and back for REGEDIT4 text.
std::u16string WidenBytes(std::string_view bytes);
std::string NarrowUnits(std::u16string_view units);

// UTF-8 and UTF-16. Utf8ToUtf16 returns false on malformed input; Utf16ToUtf8 writes an unpaired
// surrogate as its three-byte form so that no unit is lost.
bool Utf8ToUtf16(std::string_view utf8, std::u16string& out);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace pictor::regfile
