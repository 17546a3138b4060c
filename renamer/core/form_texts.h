#pragma once

#include <span>
#include <string_view>

namespace quillon {

// Every text of the window, numbered as the resources' string table numbers them (the error
// texts the core raises are in error_texts.h). UTF-16, as the window shows them.
enum class TextId : int {
  kNone = 0,              // no text: the edits and the label start empty
  kCaption = 1,           // the window's caption and every message box's
  kDirectionCaption = 2,  // rgDir
  kDirectionForward = 3,
  kDirectionReverse = 4,
  kScopeCaption = 5,  // rgpFolder
  kScopeAllDisks = 6,
  kScopeOneFolder = 7,
  kBrowse = 8,
  kStart = 9,
  kStop = 10,
  kColumnBefore = 11,  // lvLog's columns
  kColumnAfter = 12,
  kColumnFolder = 13,
  kBrowseTitle = 14,   // the folder chooser's title
  kRenameFailed = 15,  // a row's result when a rename failed or was refused
  kRecovered = 16,     // the start-up message about journals of runs that did not finish
  kNotRecovered = 17,
};

// The language of the texts: a locale name, and the platform's language and sublanguage for the
// resources.
struct TextLanguage {
  std::string_view locale;
  std::string_view windows_language;
  std::string_view windows_sublanguage;
};
inline constexpr TextLanguage kTextLanguage{"zh_TW", "LANG_CHINESE", "SUBLANG_CHINESE_TRADITIONAL"};

struct TextEntry {
  TextId id;
  std::string_view symbol;  // its name in resource.h
  std::u16string_view text;
};

std::span<const TextEntry> FormTexts();

std::u16string_view TextOf(TextId id);

}  // namespace quillon
