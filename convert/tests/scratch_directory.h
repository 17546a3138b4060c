#pragma once
// A fresh temporary folder that becomes the current directory for the test's life.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace tessel::testing {

class ScratchDirectory {
 public:
  ScratchDirectory() : previous_(std::filesystem::current_path()) {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() / ("tessel-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  static void Write(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  static void Write(const std::filesystem::path& file, const std::string& text) {
    Write(file, std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  static std::vector<std::uint8_t> Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

}  // namespace tessel::testing
