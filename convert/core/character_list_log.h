#pragma once
// The character list log: the application form CNSLIST.LOG in the configured table path, started
// and ended by the host, with two lines for every CNS character a conversion could not convert.

#include <string>

#include "character_list.h"
#include "file_port.h"

namespace tessel {

class CharacterListLog final : public CharacterList {
 public:
  CharacterListLog(FilePort& files, std::string configured_path, char path_separator)
      : files_(files), configured_path_(std::move(configured_path)), separator_(path_separator) {}

  // Sets the log path and writes the form's head into a new file: false when it cannot be created
  // (the path is set all the same).
  bool Start();
  // Appends the form's foot: false when the file cannot be opened (also before any start()).
  bool end();
  // Appends the character's two lines; does nothing before start() or when the file cannot be opened.
  void append(std::span<const std::uint8_t> cns_bytes) override;

  // Empty until start().
  const std::string& Path() const { return path_; }

 private:
  FilePort& files_;
  std::string configured_path_;
  char separator_;
  std::string path_;
};

}  // namespace tessel
