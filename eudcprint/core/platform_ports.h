// The other things pictor asks of the machine: loaded keyboard layouts, the platform family,
// whole files, message boxes, the platform's EUDC switch, the installed typefaces and the Windows
// directory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pictor {

// 1: Windows 95/98/Me; 2: the Windows NT family. Decides how dictionary files code characters.
enum class PlatformFamily : int {
  kWindows9x = 1,
  kWindowsNT = 2,
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

enum class MessageIcon {
  kNone,
  kStop,
  kInformation,
};

// Tells the user something in a message box with an OK button (or the like, where there are no
// windows). Text and caption are code page 950.
class MessagePort {
 public:
  virtual ~MessagePort() = default;
  virtual void Show(std::string_view text, std::string_view caption, MessageIcon icon) = 0;

  // Something went wrong: the stop icon.
  void Warn(std::string_view text, std::string_view caption) { Show(text, caption, MessageIcon::kStop); }
};

// The platform's switch of its EUDC font linking (GDI32's "EnableEUDC"), turned off while the
// links under EUDC\950 change and on again afterwards.
class EudcLinkPort {
 public:
  virtual ~EudcLinkPort() = default;
  // Looks the switch up; false when the platform has none.
  virtual bool Find() = 0;
  // Turns the linking off or on; does nothing when Find found no switch.
  virtual void EnableEudc(bool enable) = 0;
};

// A typeface as the platform's font enumeration reports it.
struct FontFace {
  std::string face_name;        // code page 950
  std::uint8_t charset = 0;     // e.g. 136, CHINESEBIG5_CHARSET
  std::uint32_t font_type = 0;  // bit 4 (TRUETYPE_FONTTYPE) for TrueType outlines
};

inline constexpr std::uint8_t kChineseBig5Charset = 136;
inline constexpr std::uint32_t kTrueTypeFontType = 4;

class FontListPort {
 public:
  virtual ~FontListPort() = default;
  // Every typeface installed for the screen, in the platform's order.
  virtual std::vector<FontFace> InstalledFaces() = 0;
};

class WindowsDirectoryPort {
 public:
  virtual ~WindowsDirectoryPort() = default;
  // The Windows directory, code page 950, without a trailing separator (as GetWindowsDirectoryA).
  virtual std::string WindowsDirectory() = 0;
};

// The document's files: the document holds nothing, so opening one only checks that it can be
// read and saving one leaves it empty. Paths are as the platform's file dialogs name them.
class DocumentFilePort {
 public:
  virtual ~DocumentFilePort() = default;
  virtual bool CanRead(std::string_view path) = 0;
  // Creates the file, or empties it; false when it cannot be written.
  virtual bool WriteEmpty(std::string_view path) = 0;
};

}  // namespace pictor
