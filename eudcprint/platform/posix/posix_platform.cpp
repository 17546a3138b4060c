#include "platform/posix/posix_platform.h"

#include <cstdio>
#include <cstdlib>

#include "core/preload_layouts.h"
#include "platform/posix/atomic_file.h"

namespace pictor::posix {

std::vector<std::uint32_t> PreloadKeyboardLayouts::LoadedLayouts() { return PreloadedLayouts(registry_); }

std::string PosixFileReader::LocalPath(std::string_view cp950Path) const {
  std::string path = codec_.ToUtf8(cp950Path);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

std::optional<std::vector<std::uint8_t>> PosixFileReader::ReadWholeFile(std::string_view path) {
  try {
    return ReadFileIfExists(LocalPath(path));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

void StderrMessages::Show(std::string_view text, std::string_view caption, MessageIcon) {
  std::fprintf(stderr, "%s: %s\n", codec_.ToUtf8(caption).c_str(), codec_.ToUtf8(text).c_str());
}

std::string EnvironmentWindowsDirectory::WindowsDirectory() {
  const char* windir = std::getenv("WINDIR");
  return codec_.FromUtf8(windir != nullptr && *windir != '\0' ? windir : "/etc");
}

PosixPlatform::PosixPlatform(std::string registryPath)
    : registry_(std::make_unique<FileRegistry>(std::move(registryPath), codec_)),
      layouts_(*registry_),
      files_(codec_),
      messages_(codec_),
      fonts_(codec_),
      windowsDirectory_(codec_) {}

}  // namespace pictor::posix
