// pictor's resource script (.rc) and its header (resource.h), written from the core's tables:
// menu 128, accelerator table 128, the string table and the dialogs. The script is UTF-8, for the
// resource compiler's code page 65001: in code page 950 the second byte of many characters is a
// backslash or a quote, which the compiler would take for an escape.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace pictor::resources {

// Code page 950 text to UTF-8.
using ToUtf8 = std::function<std::string(std::string_view cp950)>;

// A resource taken from a file beside the script: a bitmap or an icon.
struct ResourceFile {
  std::string_view name;  // the resource's name or number, as the script writes it
  std::string_view type;  // BITMAP, ICON
  std::string_view file;  // relative to the script
};

// The header the script includes: every command identifier, by the core's names.
std::string ResourceHeader();

// The whole script: the language, the menu, the accelerators, the string table, every dialog,
// then the files.
std::string ResourceScript(const ToUtf8& to_utf8, std::span<const ResourceFile> files = {});

// A text as a string of the script: quotes doubled; backslashes, tabs and line ends escaped.
std::string ScriptString(std::string_view utf8);

}  // namespace pictor::resources
