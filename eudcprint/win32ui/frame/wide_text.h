// The program's texts are code page 950; the window system's wide functions take UTF-16. The
// conversion names code page 950 itself, so the windows read right whatever the system's code page.
#pragma once

#include <string>
#include <string_view>

namespace pictor::win32ui {

std::wstring WideFromCp950(std::string_view cp950);
// Characters code page 950 lacks become "?".
std::string Cp950FromWide(std::wstring_view wide);

}  // namespace pictor::win32ui
