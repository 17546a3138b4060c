#include "posix_platform.h"

#include <cstdio>

#include "atomic_file.h"
#include "preload_layouts.h"

namespace pictor::posix {

std::vector<std::uint32_t> PreloadKeyboardLayouts::LoadedLayouts() {
    return PreloadedLayouts(registry_);
}

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

void StderrWarning::Warn(std::string_view text, std::string_view caption) {
    std::fprintf(stderr, "%s: %s\n", codec_.ToUtf8(caption).c_str(), codec_.ToUtf8(text).c_str());
}

PosixPlatform::PosixPlatform(std::string registryPath)
    : registry_(std::make_unique<FileRegistry>(std::move(registryPath), codec_)),
      layouts_(*registry_),
      files_(codec_),
      warnings_(codec_) {}

}  // namespace pictor::posix
