// The list behind the font-setting dialog: the Big5 TrueType typefaces installed, and for each
// one that has a link under HKEY_CURRENT_USER\EUDC\950 (and for the system default) an
// association of a display name and an EUDC font file.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "eudc_association.h"
#include "fixed_text.h"
#include "platform_ports.h"
#include "registry_port.h"

namespace pictor {

inline constexpr std::string_view kEudcLinksKey = "EUDC\\950";
inline constexpr std::size_t kFaceNameSize = 32;
using FaceName = FixedText<kFaceNameSize>;

// A typeface is offered when it is in the Big5 character set, has TrueType outlines and is not
// a vertical face (a name beginning with "@").
bool IsListedFace(const FontFace& face);

// Slot 0 is "SystemDefaultEUDCFont"; then the offered typefaces' names, sorted by their bytes
// (as strcmp: 細明體 B2D3 before 標楷體 BCD0), each name once.
std::vector<FaceName> FontNameList(std::span<const FontFace> faces);

// The associations of the names that have a link, in name-list order. The system default shows
// as 標準造字. On the NT family a link beginning with %SystemRoot% (any letter case) starts with
// the Windows directory instead.
std::vector<EudcAssociation> ListAssociations(RegistryPort& registry, std::span<const FaceName> names,
                                              PlatformFamily family, WindowsDirectoryPort& windows_directory);

// The file label of a list item: the file's name (after the last "\\" or "/") without its
// extension, upper-cased; a name of more than 16 bytes shows its first 12 and "...".
std::string FileLabel(std::string_view eudc_file_path);

}  // namespace pictor
