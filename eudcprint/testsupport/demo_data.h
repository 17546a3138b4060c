// A small, known set of input-method dictionaries and registry settings: Phonetic, Changjie and
// Quick, with a few user-defined characters each. Used by the end-to-end tests and by the
// demonstration data tool.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform_ports.h"
#include "registry_port.h"

namespace pictor::testsupport {

struct DemoDictionary {
  std::string fileName;  // e.g. phonetic.tbl
  std::vector<std::uint8_t> bytes;
};

// The three dictionary files for a platform family.
std::vector<DemoDictionary> DemoDictionaries(PlatformFamily family);

// Writes the three input methods' layout and settings keys and a Preload list that loads them.
// `folder` is prefixed to the file names with `separator` between (code page 950).
bool InstallDemoInputMethods(RegistryPort& registry, std::string_view folder, char separator);

// What LookupRoots answers for the demonstration data (code page 950).
struct DemoExpectation {
  std::uint16_t code;
  std::uint32_t hkl;
  std::string_view roots;
};
const std::vector<DemoExpectation>& DemoExpectations();

// EUDC font files for the demonstration links: the system default's, 細明體's, and that of a Big5
// typeface a fresh Debian machine has (fonts-arphic-uming). Each lacks a few characters of the
// others, so that the three can be told apart.
struct DemoFont {
  std::string fileName;  // e.g. eudc.tte
  std::vector<std::uint8_t> bytes;
};
std::vector<DemoFont> DemoEudcFonts();

// The typeface of the third link: installed by fonts-arphic-uming, listed by fontconfig and by
// EnumFontsA under Wine as a Big5 TrueType face.
inline constexpr std::string_view kDemoInstalledFace = "AR PL UMing TW";

// Writes HKEY_CURRENT_USER\EUDC\950: SystemDefaultEUDCFont, 細明體 and kDemoInstalledFace linked
// to the files of DemoEudcFonts in `folder` (code page 950, joined with `separator`).
bool InstallDemoEudcLinks(RegistryPort& registry, std::string_view folder, char separator);

// Display names of the demonstration input methods (code page 950).
inline constexpr std::string_view kDemoPhoneticName = "\xa4\xa4\xa4\xe5 (\xc1\x63\xc5\xe9) - \xaa\x60\xad\xb5";
inline constexpr std::string_view kDemoChangjieName = "\xa4\xa4\xa4\xe5 (\xc1\x63\xc5\xe9) - \xad\xdc\xbe\x65";
inline constexpr std::string_view kDemoQuickName = "\xa4\xa4\xa4\xe5 (\xc1\x63\xc5\xe9) - \xb3\x74\xa6\xa8";

}  // namespace pictor::testsupport
