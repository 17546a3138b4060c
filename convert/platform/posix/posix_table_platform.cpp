// Table loading on POSIX systems: the Windows directory is $WINDIR or /etc, the profile file is read
// by our own reader, and the platform counts as the NT family.

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "profile_reader.h"
#include "table_platform_factory.h"

namespace tessel {
namespace {

class PosixTablePlatform final : public TablePlatform {
 public:
  char pathSeparator() const override { return '/'; }

  std::string windowsDirectory() override {
    const char* windir = std::getenv("WINDIR");
    return (windir != nullptr && *windir != '\0') ? windir : "/etc";
  }

  bool fileExists(const std::string& path) override {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    std::fclose(f);
    return true;
  }

  std::optional<std::vector<std::uint8_t>> readFile(const std::string& path) override {
    std::unique_ptr<std::FILE, decltype(&std::fclose)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[65536];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, f.get())) > 0) bytes.insert(bytes.end(), block, block + n);
    // A read error leaves a short file, whose missing records count as absent.
    return bytes;
  }

  std::string profileString(const std::string& file, std::string_view section, std::string_view key,
                            std::string_view defaultValue, std::size_t capacity) override {
    const auto text = readFile(file);
    return readProfileString(text ? std::span<const std::uint8_t>(*text) : std::span<const std::uint8_t>(), section,
                             key, defaultValue, capacity);
  }

  bool isNtFamily() override { return true; }

  void warn(std::string_view caption, std::string_view text) override {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
  }
};

}  // namespace

std::unique_ptr<TablePlatform> makeTablePlatform() { return std::make_unique<PosixTablePlatform>(); }

}  // namespace tessel
