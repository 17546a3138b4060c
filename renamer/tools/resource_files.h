#pragma once
// quillon's resource files, written from the core's tables: resource.h with every control, string
// and icon number; quillon.rc (UTF-8, for windres -c 65001) with the string table in the window's
// language, the program's icon and the manifest; the icon file (quillon.ico, drawn from the core's
// icon) and the manifest (quillon.manifest), which the script names. Each part of the script is one
// function.

#include <string>
#include <string_view>
#include <vector>

namespace quillon::tools {

inline constexpr std::string_view kHeaderFileName = "resource.h";
inline constexpr std::string_view kScriptFileName = "quillon.rc";
inline constexpr std::string_view kIconFileName = "quillon.ico";
inline constexpr std::string_view kManifestFileName = "quillon.manifest";
// The sizes of the icon's images: the small icon of captions and lists, the icon, the large one.
inline constexpr int kIconSizes[] = {16, 32, 48};

// A text as a resource script's string literal: quotes doubled, backslashes and line breaks
// escaped, every other byte (UTF-8 included) as it is.
std::string ScriptString(std::string_view utf8);

std::string ResourceHeader();
std::string StringTable();
std::string IconResource();
std::string ManifestResource();
std::string ResourceScript();

// The icon file's bytes.
std::string ProgramIconFile();
// The manifest: the program asks for version 6 of the common controls (the platform's current
// look of buttons, edits and the list view) and runs with the rights of its user.
std::string Manifest();

struct GeneratedFile {
  std::string_view name;
  std::string contents;
};
// Every file the tool writes, in the order it writes them.
std::vector<GeneratedFile> GeneratedFiles();

}  // namespace quillon::tools
