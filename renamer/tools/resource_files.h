#pragma once
// quillon's resource files, written from the core's tables: resource.h with every control and
// string number, and quillon.rc (UTF-8, for windres -c 65001) with the string table in the
// window's language. Each part of the script is one function, so that a new kind of resource (the
// icon, the common-controls manifest) is one more function and one more line in ResourceScript.

#include <string>
#include <string_view>

namespace quillon::tools {

inline constexpr std::string_view kHeaderFileName = "resource.h";
inline constexpr std::string_view kScriptFileName = "quillon.rc";

// A text as a resource script's string literal: quotes doubled, backslashes and line breaks
// escaped, every other byte (UTF-8 included) as it is.
std::string ScriptString(std::string_view utf8);

std::string ResourceHeader();
std::string StringTable();
std::string ResourceScript();

}  // namespace quillon::tools
