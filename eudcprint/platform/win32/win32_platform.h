// pictor's ports on Windows: the registry, the loaded keyboard layouts, the platform family from
// the version information, files by their code page 950 path, warnings in message boxes.
#pragma once

#include <string>

#include "input_methods.h"
#include "platform_ports.h"
#include "win32_registry.h"

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

// A message box without owner window, with the stop icon.
class MessageBoxWarning : public WarningPort {
public:
    void Warn(std::string_view text, std::string_view caption) override;
};

// One line "caption: text" on standard error, in UTF-8, for programs without windows.
class StderrWarning : public WarningPort {
public:
    void Warn(std::string_view text, std::string_view caption) override;
};

// Code page 950 to UTF-8 and back, through the system's code page tables.
std::string Cp950ToUtf8(std::string_view cp950);
std::string Utf8ToCp950(std::string_view utf8);

// All ports together; warnings go to message boxes unless `consoleWarnings`.
class Win32Platform {
public:
    explicit Win32Platform(bool consoleWarnings = false);

    Win32Registry& Registry() { return registry_; }
    KeyboardLayoutPort& KeyboardLayouts() { return layouts_; }
    PlatformFamilyPort& Family() { return family_; }
    FileReaderPort& Files() { return files_; }
    WarningPort& Warnings();
    InputMethodPorts Ports() { return {registry_, layouts_, files_, Warnings()}; }

    std::string ToUtf8(std::string_view cp950) const { return Cp950ToUtf8(cp950); }
    std::string FromUtf8(std::string_view utf8) const { return Utf8ToCp950(utf8); }
    std::string Describe() const { return "Windows registry"; }

private:
    Win32Registry registry_;
    Win32KeyboardLayouts layouts_;
    Win32PlatformFamily family_;
    Win32FileReader files_;
    MessageBoxWarning boxes_;
    StderrWarning console_;
    bool consoleWarnings_;
};

}  // namespace pictor::win32
