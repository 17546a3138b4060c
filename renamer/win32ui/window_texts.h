#pragma once

// The window's texts and numbers as the program's resources hold them (resources/quillon.rc and
// resource.h, written from the core's tables).

#include <windows.h>

#include <string>
#include <string_view>

#include "core/form_texts.h"

namespace quillon::win32ui {

// A text of the string table; empty for TextId::kNone.
std::wstring LoadText(HINSTANCE instance, TextId id);

// ASCII names of the tables (font faces) as the wide strings the system takes.
std::wstring WidenAscii(std::string_view ascii);

// UTF-16 text in the system's 8-bit code page, for the functions that take only that.
std::string ToCodePage(std::wstring_view text);

}  // namespace quillon::win32ui
