#include "platform/posix/posix_platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "core/preload_layouts.h"
#include "platform/posix/atomic_file.h"

namespace pictor::posix {

std::vector<std::uint32_t> PreloadKeyboardLayouts::LoadedLayouts() { return PreloadedLayouts(registry_); }

std::string PosixFileReader::LocalPath(std::string_view cp950_path) const {
  std::string path = codec_.ToUtf8(cp950_path);
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

bool PosixDocumentFiles::CanRead(std::string_view path) {
  const int descriptor = open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return false;
  struct stat status {};
  const bool file = fstat(descriptor, &status) == 0 && !S_ISDIR(status.st_mode);
  close(descriptor);
  return file;
}

bool PosixDocumentFiles::WriteEmpty(std::string_view path) {
  const int descriptor = open(std::string(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor < 0) return false;
  return close(descriptor) == 0;
}

void StderrMessages::Show(std::string_view text, std::string_view caption, MessageIcon) {
  std::fprintf(stderr, "%s: %s\n", codec_.ToUtf8(caption).c_str(), codec_.ToUtf8(text).c_str());
}

std::string EnvironmentWindowsDirectory::WindowsDirectory() {
  const char* windir = std::getenv("WINDIR");
  return codec_.FromUtf8(windir != nullptr && *windir != '\0' ? windir : "/etc");
}

PosixPlatform::PosixPlatform(std::string registry_path)
    : registry_(std::make_unique<FileRegistry>(std::move(registry_path), codec_)),
      layouts_(*registry_),
      files_(codec_),
      messages_(codec_),
      fonts_(codec_),
      windows_directory_(codec_) {}

}  // namespace pictor::posix
