#pragma once
// Shows on standard error how far the library has read a large source file, while the conversion
// call runs on the main thread.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace tessel::tools {

class ProgressReporter {
 public:
  // Reports only for files of at least `threshold` bytes.
  ProgressReporter(const std::filesystem::path& source, std::uintmax_t threshold = 4u << 20) {
    std::error_code ec;
    size_ = std::filesystem::file_size(source, ec);
    if (ec || size_ < threshold) return;
    source_ = std::filesystem::weakly_canonical(source, ec);
    thread_ = std::thread([this] { run(); });
  }
  ~ProgressReporter() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
    if (shown_) std::fprintf(stderr, "\rtessel-convert: 100%% of %.1f MB\n", megabytes());
  }
  ProgressReporter(const ProgressReporter&) = delete;
  ProgressReporter& operator=(const ProgressReporter&) = delete;

 private:
  double megabytes() const { return static_cast<double>(size_) / 1e6; }

  void run() {
    const auto start = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> lock(mutex_);
    while (!wake_.wait_for(lock, std::chrono::milliseconds(250), [this] { return done_; })) {
      const auto position = readPosition();
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (position) {
        std::fprintf(stderr, "\rtessel-convert: %3d%% of %.1f MB",
                     static_cast<int>(100.0 * static_cast<double>(*position) / static_cast<double>(size_)),
                     megabytes());
      } else {
        std::fprintf(stderr, "\rtessel-convert: converting %.1f MB, %.0f s", megabytes(), seconds);
      }
      std::fflush(stderr);
      shown_ = true;
    }
  }

  // Where the library's descriptor of the source stands, where the system tells (Linux).
  std::optional<std::uintmax_t> readPosition() const {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
      std::error_code linkError;
      if (std::filesystem::read_symlink(entry.path(), linkError) != source_ || linkError) continue;
      std::ifstream info("/proc/self/fdinfo/" + entry.path().filename().string());
      std::string key;
      std::uintmax_t value = 0;
      while (info >> key >> value) {
        if (key == "pos:") return value;
      }
    }
    return std::nullopt;
  }

  std::uintmax_t size_ = 0;
  std::filesystem::path source_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  bool shown_ = false;
};

}  // namespace tessel::tools
