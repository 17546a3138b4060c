#include "association_list.h"

#include <algorithm>

#include "ascii.h"
#include "cp950_text.h"
#include "string_table.h"

namespace pictor {
namespace {

constexpr std::string_view kSystemRootVariable = "%SystemRoot%";
constexpr std::size_t kLabelLimit = 16;
constexpr std::size_t kLabelShortened = 12;
constexpr std::string_view kLabelEllipsis = "...";

// Byte order as strcmp sees it: unsigned bytes.
bool BytesBefore(const FaceName& a, const FaceName& b) {
  return std::lexicographical_compare(
      a.View().begin(), a.View().end(), b.View().begin(), b.View().end(),
      [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
}

std::string_view TextOf(const RegistryValue& value) {
  const std::string_view data = value.data;
  return data.substr(0, data.find('\0'));
}

}  // namespace

bool IsListedFace(const FontFace& face) {
  return face.charset == kChineseBig5Charset && (face.font_type & kTrueTypeFontType) != 0 && !face.face_name.empty() &&
         face.face_name.front() != '@';
}

std::vector<FaceName> FontNameList(std::span<const FontFace> faces) {
  std::vector<FaceName> names(1);
  for (const FontFace& face : faces) {
    if (IsListedFace(face)) names.emplace_back(face.face_name);
  }
  std::sort(names.begin() + 1, names.end(), BytesBefore);
  names.erase(std::unique(names.begin() + 1, names.end()), names.end());
  names[0].Assign(LoadStringResource(kSystemDefaultValueNameId));
  return names;
}

std::vector<EudcAssociation> ListAssociations(RegistryPort& registry, std::span<const FaceName> names,
                                              PlatformFamily family, WindowsDirectoryPort& windows_directory) {
  std::vector<EudcAssociation> associations;
  const auto links = registry.Open(RegistryRoot::kCurrentUser, kEudcLinksKey, RegistryAccess::kRead);
  if (!links) return associations;
  const std::string_view system_default_value = LoadStringResource(kSystemDefaultValueNameId);
  for (const FaceName& name : names) {
    const auto link = links->Query(name.View());
    if (!link) continue;
    EudcAssociation association;
    association.displayName.Assign(EqualsIgnoringAsciiCase(name.View(), system_default_value)
                                       ? LoadStringResource(kSystemDefaultNameId)
                                       : name.View());
    const std::string_view data = TextOf(*link);
    if (family == PlatformFamily::kWindowsNT && data.size() >= kSystemRootVariable.size() &&
        EqualsIgnoringAsciiCase(data.substr(0, kSystemRootVariable.size()), kSystemRootVariable)) {
      association.font_file_path = windows_directory.WindowsDirectory();
      association.font_file_path += data.substr(kSystemRootVariable.size());
    } else {
      association.font_file_path = data;
    }
    association.eudcFilePath.Assign(association.font_file_path);
    associations.push_back(std::move(association));
  }
  return associations;
}

std::string FileLabel(std::string_view eudc_file_path) {
  std::string name = Cp950Uppercase(eudc_file_path);
  // The file's own name: after the last separator ("\\", or "/" as paths have it elsewhere),
  // before its last full stop.
  const std::size_t backslash = FindLastCp950Byte(name, '\\');
  const std::size_t slash = FindLastCp950Byte(name, '/');
  const std::size_t separator = backslash == std::string::npos ? slash
                                : slash == std::string::npos   ? backslash
                                                               : std::max(backslash, slash);
  if (separator != std::string::npos) name.erase(0, separator + 1);
  const std::size_t dot = FindLastCp950Byte(name, '.');
  if (dot != std::string::npos) name.erase(dot);
  if (name.size() > kLabelLimit) {
    name = std::string(Cp950Prefix(name, kLabelShortened)) + std::string(kLabelEllipsis);
  }
  return name;
}

}  // namespace pictor
