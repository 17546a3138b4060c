#include "tools/resource_files.h"

#include "core/error_texts.h"
#include "core/form_layout.h"
#include "core/form_texts.h"
#include "core/utf8_text.h"

namespace quillon::tools {
namespace {

constexpr std::string_view kGeneratedNote = "written by quillon-mkresources from the core's tables; do not edit";

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

std::string ResourceScript() {
  std::string text = "// quillon's resources, " + std::string(kGeneratedNote) + ".\n";
  text += "// UTF-8: compile with windres -c 65001.\n";
  text += "#include <windows.h>\n#include \"" + std::string(kHeaderFileName) + "\"\n\n";
  text += "LANGUAGE " + std::string(kTextLanguage.windows_language) + ", " +
          std::string(kTextLanguage.windows_sublanguage) + "\n\n";
  text += StringTable();
  return text;
}

}  // namespace quillon::tools
