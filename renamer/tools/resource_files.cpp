#include "tools/resource_files.h"

#include "core/error_texts.h"
#include "core/form_layout.h"
#include "core/form_texts.h"
#include "core/program_icon.h"
#include "core/utf8_text.h"
#include "tools/icon_image.h"

namespace quillon::tools {
namespace {

constexpr std::string_view kGeneratedNote = "written by quillon-mkresources from the core's tables; do not edit";
constexpr std::string_view kIconSymbol = "IDI_PROGRAM";
// The platform's numbers: the manifest a process reads at its start, and the manifest's type.
constexpr int kProcessManifestId = 1;
constexpr int kManifestType = 24;

std::string Define(std::string_view symbol, int value) {
  return "#define " + std::string(symbol) + " " + std::to_string(value) + "\n";
}

}  // namespace

std::string ScriptString(std::string_view utf8) {
  std::string literal = "\"";
  for (const char c : utf8) {
    switch (c) {
      case '"':
        literal += "\"\"";
        break;
      case '\\':
        literal += "\\\\";
        break;
      case '\n':
        literal += "\\n";
        break;
      case '\t':
        literal += "\\t";
        break;
      default:
        literal += c;
    }
  }
  return literal + "\"";
}

std::string ResourceHeader() {
  std::string text = "// quillon's resource numbers, " + std::string(kGeneratedNote) + ".\n";
  text += "#ifndef QUILLON_RESOURCE_H\n#define QUILLON_RESOURCE_H\n\n// Controls of the window, in tab order.\n";
  for (const ControlSpec& control : MainWindow().controls) {
    text += Define(control.symbol, control.id);
    for (const RadioItem& item : control.items) text += Define(item.symbol, item.id);
  }
  text += "\n// Texts of the window.\n";
  for (const TextEntry& entry : FormTexts()) text += Define(entry.symbol, static_cast<int>(entry.id));
  text += "\n// Error texts.\n";
  for (const ErrorTextEntry& entry : ErrorTexts()) text += Define(entry.symbol, entry.id);
  text += "\n// The program's icon.\n";
  text += Define(kIconSymbol, kProgramIconId);
  return text + "\n#endif\n";
}

std::string StringTable() {
  std::string text = "STRINGTABLE\nBEGIN\n";
  for (const TextEntry& entry : FormTexts()) {
    text += "  " + std::string(entry.symbol) + " " + ScriptString(ToUtf8(entry.text)) + "\n";
  }
  for (const ErrorTextEntry& entry : ErrorTexts()) {
    text += "  " + std::string(entry.symbol) + " " + ScriptString(entry.text) + "\n";
  }
  return text + "END\n";
}

std::string IconResource() { return std::string(kIconSymbol) + " ICON " + ScriptString(kIconFileName) + "\n"; }

std::string ManifestResource() {
  return "// The manifest the process reads as it starts (" + std::to_string(kProcessManifestId) +
         "), of the manifest type (" + std::to_string(kManifestType) + ").\n" + std::to_string(kProcessManifestId) +
         " " + std::to_string(kManifestType) + " " + ScriptString(kManifestFileName) + "\n";
}

std::string ResourceScript() {
  std::string text = "// quillon's resources, " + std::string(kGeneratedNote) + ".\n";
  text += "// UTF-8: compile with windres -c 65001.\n";
  text += "#include <windows.h>\n#include \"" + std::string(kHeaderFileName) + "\"\n\n";
  text += "LANGUAGE " + std::string(kTextLanguage.windows_language) + ", " +
          std::string(kTextLanguage.windows_sublanguage) + "\n\n";
  text += StringTable();
  text += "\n" + IconResource();
  text += "\n" + ManifestResource();
  return text;
}

std::string ProgramIconFile() {
  std::vector<IconImage> images;
  for (const int size : kIconSizes) images.push_back(RenderIcon(ProgramIcon(), size));
  return IconFile(images);
}

std::string Manifest() {
  return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <assemblyIdentity type="win32" name="EudcToolkit.quillon" version="1.0.0.0" processorArchitecture="x86"/>
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="x86" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>
  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">
    <security>
      <requestedPrivileges>
        <requestedExecutionLevel level="asInvoker" uiAccess="false"/>
      </requestedPrivileges>
    </security>
  </trustInfo>
</assembly>
)";
}

std::vector<GeneratedFile> GeneratedFiles() {
  return {{kHeaderFileName, ResourceHeader()},
          {kScriptFileName, ResourceScript()},
          {kIconFileName, ProgramIconFile()},
          {kManifestFileName, Manifest()}};
}

}  // namespace quillon::tools
