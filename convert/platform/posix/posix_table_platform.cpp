// Table loading on POSIX systems: the Windows directory is $WINDIR or /etc, the profile file is read
// by our own reader, and the platform counts as the NT family.

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "profile_reader.h"
#include "table_platform_factory.h"

namespace tessel {
namespace {

class PosixTablePlatform final : public TablePlatform {
 public:
  char PathSeparator() const override { return '/'; }

  std::string WindowsDirectory() override {
    const char* windir = std::getenv("WINDIR");
    return (windir != nullptr && *windir != '\0') ? windir : "/etc";
  }

  // A folder (or anything else that is not a file) opens here but not on Windows: it counts as
  // absent, as it does there.
  bool FileExists(const std::string& path) override { return OpenFile(path) != nullptr; }

  // A file that cannot be opened, or read to its end, is missing.
  std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) override {
    const auto f = OpenFile(path);
    if (!f) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[65536];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, f.get())) > 0) bytes.insert(bytes.end(), block, block + n);
    if (std::ferror(f.get())) return std::nullopt;
    return bytes;
  }

  std::string ProfileString(const std::string& file, std::string_view section, std::string_view key,
                            std::string_view default_value, std::size_t capacity) override {
    const auto text = ReadFile(file);
    return ReadProfileString(text ? std::span<const std::uint8_t>(*text) : std::span<const std::uint8_t>(), section,
                             key, default_value, capacity);
  }

  bool IsNtFamily() override { return true; }

  void Warn(std::string_view caption, std::string_view text) override {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
  }

 private:
  using File = std::unique_ptr<std::FILE, decltype(&std::fclose)>;

  // The file opened for reading; null when it cannot be, or is not a regular file.
  static File OpenFile(const std::string& path) {
    File f(std::fopen(path.c_str(), "rb"), &std::fclose);
    struct stat st {};
    if (!f || fstat(fileno(f.get()), &st) != 0 || !S_ISREG(st.st_mode)) return File(nullptr, &std::fclose);
    return f;
  }
};

}  // namespace

std::unique_ptr<TablePlatform> MakeTablePlatform() { return std::make_unique<PosixTablePlatform>(); }

}  // namespace tessel
