// The registry kept in one registry file, written back in the form it was read in. Every read
// reads the file as it is now; every change rereads it, changes only its own values and replaces
// the file atomically under a lock, so that changes of other programs are never lost.
#pragma once

#include <string>

#include "core/document_registry.h"
#include "platform/posix/iconv_codec.h"

namespace pictor::posix {

// Where the registry file lives: $PICTOR_REGISTRY, else $XDG_CONFIG_HOME/pictor/registry.reg,
// else ~/.config/pictor/registry.reg.
std::string RegistryFilePath();

class RegistryFileStore : public regfile::RegistryStore {
 public:
  explicit RegistryFileStore(std::string path);

  // The file's contents; an empty registry when the file does not exist. Throws
  // regfile::RegFileError (naming the file) or std::system_error.
  regfile::RegistryDocument Reload() override;
  // Under the file's lock: rereads the file, applies the change and replaces the file.
  // Throws std::system_error; the file is then as it was.
  std::optional<regfile::RegistryDocument> Update(
      const std::function<bool(regfile::RegistryDocument&)>& change) override;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  // The form of the file as last read or written; a new file is written in the Version 5 form.
  regfile::RegFileFormat format_ = regfile::RegFileFormat::kVersion5Utf16;
};

// The registry port over the registry file.
class FileRegistry : public RegistryPort {
 public:
  // Reads the file at once, so that a file that cannot be read is told at start; throws as
  // RegistryFileStore::Reload.
  FileRegistry(std::string path, const regfile::Cp950Codec& codec);

  std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path, RegistryAccess access) override;
  std::unique_ptr<RegistryKey> Create(RegistryRoot root, std::string_view path) override;

  const regfile::DocumentRegistry& Registry() const { return registry_; }
  const std::string& Path() const { return store_.Path(); }

 private:
  RegistryFileStore store_;
  regfile::DocumentRegistry registry_;
};

}  // namespace pictor::posix
