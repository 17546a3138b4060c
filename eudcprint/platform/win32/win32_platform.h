// pictor's ports on Windows: the registry, the loaded keyboard layouts, the platform family from
// the version information, files by their code page 950 path, message boxes, GDI32's EnableEUDC,
// the fonts GDI enumerates and the Windows directory.
#pragma once

#include <windows.h>

#include <string>

#include "core/input_methods.h"
#include "core/platform_ports.h"
#include "core/program_state.h"
#include "platform/win32/win32_registry.h"

namespace pictor::win32 {

class Win32KeyboardLayouts : public KeyboardLayoutPort {
 public:
  std::vector<std::uint32_t> LoadedLayouts() override;
};

class Win32PlatformFamily : public PlatformFamilyPort {
 public:
  PlatformFamily Family() override;
};

class Win32FileReader : public FileReaderPort {
 public:
  std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path) override;
};

// Document files by their code page 950 path.
class Win32DocumentFiles : public DocumentFilePort {
 public:
  bool CanRead(std::string_view path) override;
  bool WriteEmpty(std::string_view path) override;
};

// A message box without owner window, with an OK button.
class MessageBoxMessages : public MessagePort {
 public:
  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;
};

// One line "caption: text" on standard error, in UTF-8, for programs without windows.
class StderrMessages : public MessagePort {
 public:
  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;
};

// "EnableEUDC" of the GDI32.DLL in the system directory, which the process has loaded already:
// looked up, never loaded.
class Win32EudcLink : public EudcLinkPort {
 public:
  // `module`: the file in the system directory that holds the function.
  explicit Win32EudcLink(std::string module = "GDI32.DLL") : module_(std::move(module)) {}
  bool Find() override;
  void EnableEudc(bool enable) override;

 private:
  using EnableEudcFunction = BOOL(WINAPI*)(BOOL);
  std::string module_;
  EnableEudcFunction enable_eudc_ = nullptr;
};

// EnumFontsA over a display context: every face with its character set and font type.
std::vector<FontFace> FacesOf(HDC dc);

// The faces of the screen.
class Win32FontList : public FontListPort {
 public:
  std::vector<FontFace> InstalledFaces() override;
};

class Win32WindowsDirectory : public WindowsDirectoryPort {
 public:
  std::string WindowsDirectory() override;
};

// Code page 950 to UTF-8 and back, through the system's code page tables.
std::string Cp950ToUtf8(std::string_view cp950);
std::string Utf8ToCp950(std::string_view utf8);

// All ports together; messages go to message boxes unless `consoleWarnings`.
class Win32Platform {
 public:
  explicit Win32Platform(bool console_warnings = false);

  Win32Registry& Registry() { return registry_; }
  KeyboardLayoutPort& KeyboardLayouts() { return layouts_; }
  PlatformFamilyPort& Family() { return family_; }
  FileReaderPort& Files() { return files_; }
  DocumentFilePort& DocumentFiles() { return documents_; }
  MessagePort& Messages();
  InputMethodPorts Ports() { return {registry_, layouts_, files_, Messages()}; }
  // Every port, with messages going to `messages`.
  PictorPorts AllPorts(MessagePort& messages) {
    return {registry_, layouts_, files_, messages, family_, eudc_link_, fonts_, windows_directory_};
  }
  PictorPorts AllPorts() { return AllPorts(Messages()); }

  std::string ToUtf8(std::string_view cp950) const { return Cp950ToUtf8(cp950); }
  std::string FromUtf8(std::string_view utf8) const { return Utf8ToCp950(utf8); }
  std::string Describe() const { return "Windows registry"; }

 private:
  Win32Registry registry_;
  Win32KeyboardLayouts layouts_;
  Win32PlatformFamily family_;
  Win32FileReader files_;
  MessageBoxMessages boxes_;
  StderrMessages console_;
  bool console_warnings_;
  Win32EudcLink eudc_link_;
  Win32FontList fonts_;
  Win32WindowsDirectory windows_directory_;
  Win32DocumentFiles documents_;
};

}  // namespace pictor::win32
