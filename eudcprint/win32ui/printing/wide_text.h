// Code page 950 texts of the core as the platform's UTF-16 and back.
#pragma once

#include <string>
#include <string_view>

namespace pictor::win32ui {

std::wstring Cp950ToWide(std::string_view cp950);
std::string WideToCp950(std::wstring_view wide);

}  // namespace pictor::win32ui
