// The other things pictor asks of the machine: loaded keyboard layouts, the platform family,
// whole files and a warning for the user.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace pictor {

// 1: Windows 95/98/Me; 2: the Windows NT family. Decides how dictionary files code characters.
enum class PlatformFamily : int {
    Windows9x = 1,
    WindowsNT = 2,
};

class PlatformFamilyPort {
public:
    virtual ~PlatformFamilyPort() = default;
    virtual PlatformFamily Family() = 0;
};

class KeyboardLayoutPort {
public:
    virtual ~KeyboardLayoutPort() = default;
    // Handles of the keyboard layouts currently loaded, e.g. 0xE0010404, in the system's order.
    virtual std::vector<std::uint32_t> LoadedLayouts() = 0;
};

class FileReaderPort {
public:
    virtual ~FileReaderPort() = default;
    // The whole file, or nullopt when it cannot be opened or read. The path is code page 950.
    virtual std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path) = 0;
};

class WarningPort {
public:
    virtual ~WarningPort() = default;
    // Tells the user something went wrong (a message box with the stop icon, or the like).
    // Text and caption are code page 950.
    virtual void Warn(std::string_view text, std::string_view caption) = 0;
};

}  // namespace pictor
