#include "tools/resource_set.h"

#include <array>
#include <span>

#include "core/association_item.h"
#include "core/shell_resources.h"
#include "pictor.xpm"
#include "tools/resource_images.h"
#include "ttflogo1.xpm"
#include "ttflogo2.xpm"

namespace pictor::resources {
namespace {

constexpr std::string_view kManifestFile = "pictor.manifest";
constexpr std::string_view kIconFile = "pictor.ico";
// RT_MANIFEST, and the number a program's own manifest has.
constexpr std::string_view kManifestType = "24";
constexpr std::string_view kProgramManifestId = "1";

std::string AsText(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

template <std::size_t N>
XpmPicture Picture(const char* const (&lines)[N]) {
  return ParseXpm(std::span<const char* const>(lines, N));
}

}  // namespace

std::string ProgramManifest() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
         "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
         "  <assemblyIdentity type=\"win32\" name=\"EudcToolkit.Pictor\" version=\"1.0.0.0\" "
         "processorArchitecture=\"x86\"/>\r\n"
         "  <description>pictor</description>\r\n"
         "  <dependency>\r\n"
         "    <dependentAssembly>\r\n"
         "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
         "processorArchitecture=\"x86\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\r\n"
         "    </dependentAssembly>\r\n"
         "  </dependency>\r\n"
         "</assembly>\r\n";
}

std::vector<GeneratedFile> PictorResourceFiles(const ToUtf8& to_utf8) {
  const std::string icon_id = std::to_string(kMainFrameResourceId);
  const std::string logo1 = std::string(BitmapResourceName(ItemBitmap::kTtfLogo1));
  const std::string logo2 = std::string(BitmapResourceName(ItemBitmap::kTtfLogo2));
  const std::array<ResourceFile, 4> files = {{
      {logo1, "BITMAP", "ttflogo1.bmp"},
      {logo2, "BITMAP", "ttflogo2.bmp"},
      {icon_id, "ICON", kIconFile},
      {kProgramManifestId, kManifestType, kManifestFile},
  }};
  return {
      {"pictor.rc", ResourceScript(to_utf8, files)},
      {"resource.h", ResourceHeader()},
      {"ttflogo1.bmp", AsText(SixteenColourBitmap(Picture(kTtflogo1Xpm)))},
      {"ttflogo2.bmp", AsText(SixteenColourBitmap(Picture(kTtflogo2Xpm)))},
      {std::string(kIconFile), AsText(SixteenColourIcon(Picture(kPictorIconXpm)))},
      {std::string(kManifestFile), ProgramManifest()},
  };
}

}  // namespace pictor::resources
