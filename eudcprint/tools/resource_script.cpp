#include "tools/resource_script.h"

#include <cstdio>

#include "core/dialog_templates.h"
#include "core/shell_resources.h"
#include "core/string_table.h"

namespace pictor::resources {
namespace {

constexpr std::string_view kGeneratedNote = "written by pictor-mkresources from the program's tables; do not edit";

// LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL is language 1028.
static_assert(kResourceLanguage == (0x01 << 10 | 0x04));
constexpr std::string_view kLanguage = "LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL";

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

std::string_view CommandName(std::uint16_t id) {
  for (const NamedCommand& command : kCommandIds) {
    if (command.id == id) return command.name;
  }
  return {};
}

// A command by its name where it has one, else by its number.
std::string CommandRef(std::uint16_t id) {
  const std::string_view name = CommandName(id);
  return name.empty() ? std::to_string(id) : std::string(name);
}

// A control by its command's name where it is a command's button, else by its number.
std::string ControlRef(int id) {
  if (id > 0 && id <= 0xFFFF && !CommandName(static_cast<std::uint16_t>(id)).empty()) {
    return std::string(CommandName(static_cast<std::uint16_t>(id)));
  }
  return std::to_string(id);
}

std::string KeyRef(std::uint16_t virtual_key) {
  for (const NamedKey& key : kVirtualKeyNames) {
    if (key.virtual_key == virtual_key) return std::string(key.name);
  }
  return std::string("\"") + static_cast<char>(virtual_key) + "\"";  // letters and digits
}

std::string_view ClassName(ControlClass control_class) {
  switch (control_class) {
    case ControlClass::kButton:
      return "Button";
    case ControlClass::kStatic:
      return "Static";
    case ControlClass::kEdit:
      return "Edit";
    case ControlClass::kListBox:
      return "ListBox";
    case ControlClass::kComboBox:
      return "ComboBox";
  }
  return "Static";
}

void WriteMenu(std::string& out, const ToUtf8& to_utf8) {
  out += std::to_string(kMainFrameResourceId) + " MENU\nBEGIN\n";
  for (const MenuPopup& popup : kMainMenu) {
    out += "    POPUP " + ScriptString(to_utf8(popup.text)) + "\n    BEGIN\n";
    for (const MenuItem& item : popup.items) {
      if (item.command == 0) {
        out += "        MENUITEM SEPARATOR\n";
      } else {
        out += "        MENUITEM " + ScriptString(to_utf8(item.text)) + ", " + CommandRef(item.command) + "\n";
      }
    }
    out += "    END\n";
  }
  out += "END\n";
}

void WriteAccelerators(std::string& out) {
  out += std::to_string(kMainFrameResourceId) + " ACCELERATORS\nBEGIN\n";
  for (const Accelerator& accelerator : kAccelerators) {
    out += "    " + KeyRef(accelerator.virtual_key) + ", " + CommandRef(accelerator.command) + ", VIRTKEY";
    if (accelerator.modifiers & kAccelControl) out += ", CONTROL";
    if (accelerator.modifiers & kAccelShift) out += ", SHIFT";
    if (accelerator.modifiers & kAccelAlt) out += ", ALT";
    out += "\n";
  }
  out += "END\n";
}

void WriteStringTable(std::string& out, const ToUtf8& to_utf8) {
  out += "STRINGTABLE\nBEGIN\n";
  for (const StringResource& entry : kStringTable) {
    out += "    " + std::to_string(entry.id) + ", " + ScriptString(to_utf8(entry.text)) + "\n";
  }
  out += "END\n";
}

void WriteDialog(std::string& out, const DialogTemplate& dialog, const ToUtf8& to_utf8) {
  out += std::to_string(dialog.id) + " DIALOGEX 0, 0, " + std::to_string(dialog.width) + ", " +
         std::to_string(dialog.height) + "\n";
  out += "STYLE " + Hex(dialog.style) + "\n";
  if (!dialog.caption.empty()) out += "CAPTION " + ScriptString(to_utf8(dialog.caption)) + "\n";
  out += "FONT " + std::to_string(dialog.point_size) + ", " + ScriptString(to_utf8(dialog.font_face)) + "\n";
  out += "BEGIN\n";
  for (const ControlTemplate& control : dialog.controls) {
    const DialogUnitRect& r = control.rect;
    out += "    CONTROL " + ScriptString(to_utf8(control.text)) + ", " + ControlRef(control.id) + ", \"" +
           std::string(ClassName(control.control_class)) + "\", " + Hex(control.style) + ", " + std::to_string(r.x) +
           ", " + std::to_string(r.y) + ", " + std::to_string(r.width) + ", " + std::to_string(r.height) + "\n";
  }
  out += "END\n";
}

}  // namespace

std::string ScriptString(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    switch (c) {
      case '"':
        out += "\"\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

std::string ResourceHeader() {
  std::string out = "// pictor's resource identifiers, " + std::string(kGeneratedNote) + ".\n";
  out += "#ifndef PICTOR_RESOURCE_H\n#define PICTOR_RESOURCE_H\n\n";
  for (const NamedCommand& command : kCommandIds) {
    out += "#define " + std::string(command.name) + " " + std::to_string(command.id) + "\n";
  }
  out += "\n#endif\n";
  return out;
}

std::string ResourceScript(const ToUtf8& to_utf8, std::span<const ResourceFile> files) {
  std::string out = "// pictor's resources, " + std::string(kGeneratedNote) + ".\n";
  out += "// UTF-8: compile with the resource compiler's code page 65001 (windres -c 65001).\n";
  out += "#include <windows.h>\n#include \"resource.h\"\n\n";
  out += "LANGUAGE " + std::string(kLanguage) + "\n\n";
  WriteMenu(out, to_utf8);
  out += "\n";
  WriteAccelerators(out);
  out += "\n";
  WriteStringTable(out, to_utf8);
  for (const DialogTemplate* dialog : DialogTemplates()) {
    out += "\n";
    WriteDialog(out, *dialog, to_utf8);
  }
  if (!files.empty()) out += "\n";
  for (const ResourceFile& file : files) {
    out += std::string(file.name) + " " + std::string(file.type) + " " + ScriptString(file.file) + "\n";
  }
  return out;
}

}  // namespace pictor::resources
