#include "platform/posix/registry_file_store.h"

#include <cstdlib>

#include "core/reg_file.h"
#include "platform/posix/atomic_file.h"

namespace pictor::posix {

std::string RegistryFilePath() {
  const char* explicit_path = std::getenv("PICTOR_REGISTRY");
  if (explicit_path != nullptr && *explicit_path != '\0') return explicit_path;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string folder;
  if (config != nullptr && *config == '/') {
    folder = config;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::string(home != nullptr ? home : "") + "/.config";
  }
  return folder + "/pictor/registry.reg";
}

RegistryFileStore::RegistryFileStore(std::string path) : path_(std::move(path)) {}

regfile::RegistryDocument RegistryFileStore::Reload() {
  const auto bytes = ReadFileIfExists(path_);
  if (!bytes) return regfile::RegistryDocument(format_);
  try {
    regfile::RegistryDocument document = regfile::ReadRegFile(*bytes);
    format_ = document.Format();
    return document;
  } catch (const regfile::RegFileError& error) {
    throw regfile::RegFileError(path_, error);
  }
}

std::optional<regfile::RegistryDocument> RegistryFileStore::Update(
    const std::function<bool(regfile::RegistryDocument&)>& change) {
  const FileLock lock(path_);
  regfile::RegistryDocument document = Reload();
  if (!change(document)) return std::nullopt;
  WriteFileAtomically(path_, regfile::WriteRegFile(document));
  format_ = document.Format();
  return document;
}

FileRegistry::FileRegistry(std::string path, const regfile::Cp950Codec& codec)
    : store_(std::move(path)), registry_(store_.Reload(), codec, &store_) {}

std::unique_ptr<RegistryKey> FileRegistry::Open(RegistryRoot root, std::string_view path, RegistryAccess access) {
  return registry_.Open(root, path, access);
}

std::unique_ptr<RegistryKey> FileRegistry::Create(RegistryRoot root, std::string_view path) {
  return registry_.Create(root, path);
}

}  // namespace pictor::posix
