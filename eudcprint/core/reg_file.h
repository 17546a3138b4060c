// Reading and writing registry files in the text format of the registry editor: the
// "Windows Registry Editor Version 5.00" form (UTF-16LE, also accepted in UTF-8) and the older
// "REGEDIT4" form (code page 950 bytes). A file is written back in the form it was read in, and a
// file in the form this writer produces reads and writes back byte for byte.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "registry_document.h"

namespace pictor::regfile {

class RegFileError : public std::runtime_error {
 public:
  RegFileError(std::size_t line, const std::string& message);
  // The same error, told as the error of a named file.
  RegFileError(const std::string& file, const RegFileError& error);

  std::size_t Line() const { return line_; }  // 1-based; 0 when the error has no line
  const std::string& Message() const { return message_; }

 private:
  std::size_t line_;
  std::string message_;
};

// Parses a whole file. Deletions in it ("[-key]", "name"=-) apply to what precedes them.
// Throws RegFileError naming the line of the first fault.
RegistryDocument ReadRegFile(std::span<const std::uint8_t> bytes);

// The file's bytes. Throws RegFileError when a name cannot be written in the format.
std::vector<std::uint8_t> WriteRegFile(const RegistryDocument& document);

}  // namespace pictor::regfile
