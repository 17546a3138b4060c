#pragma once
// What loading the code tables needs from the machine.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

class TablePlatform {
 public:
  virtual ~TablePlatform() = default;

  // Separator between folder and file names ('\\' on Windows, '/' elsewhere).
  virtual char PathSeparator() const = 0;
  // The Windows directory, where the marker file EUDC.USR is looked for.
  virtual std::string WindowsDirectory() = 0;
  // True when the file can be opened for reading.
  virtual bool FileExists(const std::string& path) = 0;
  // The whole file, or nothing when it cannot be opened.
  virtual std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) = 0;
  // A string from an initialisation file, with the rules of the Windows profile functions.
  virtual std::string ProfileString(const std::string& file, std::string_view section, std::string_view key,
                                    std::string_view default_value, std::size_t capacity) = 0;
  // True on the NT family, whose table files live in a "share" folder below the configured path.
  virtual bool IsNtFamily() = 0;
  // Tells the user that memory ran out while a table loaded (texts in UTF-8).
  virtual void Warn(std::string_view caption_utf8, std::string_view text_utf8) = 0;
};

}  // namespace tessel
