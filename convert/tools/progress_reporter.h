#pragma once
// Shows on standard error how far the library has read a large source file, while the conversion
// call runs on the main thread. On Windows the reporting thread is the system's own: the program is
// made with the compiler's win32 thread model (so that it runs on Windows before Vista), which has
// no std::thread.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#ifdef _WIN32
#include <windows.h>
#else
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace tessel::tools {

class ProgressReporter {
 public:
  // Reports only for files of at least `threshold` bytes.
  ProgressReporter(const std::filesystem::path& source, std::uintmax_t threshold = 4u << 20) {
    std::error_code ec;
    size_ = std::filesystem::file_size(source, ec);
    if (ec || size_ < threshold) return;
    source_ = std::filesystem::weakly_canonical(source, ec);
#ifdef _WIN32
    wake_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (wake_) thread_ = CreateThread(nullptr, 0, &ProgressReporter::start, this, 0, nullptr);
#else
    thread_ = std::thread([this] { Run(); });
#endif
  }
  ~ProgressReporter() {
#ifdef _WIN32
    if (thread_) {
      SetEvent(wake_);
      WaitForSingleObject(thread_, INFINITE);
      CloseHandle(thread_);
    }
    if (wake_) CloseHandle(wake_);
#else
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
#endif
    if (shown_) std::fprintf(stderr, "\rtessel-convert: 100%% of %.1f MB\n", Megabytes());
  }
  ProgressReporter(const ProgressReporter&) = delete;
  ProgressReporter& operator=(const ProgressReporter&) = delete;

 private:
  double Megabytes() const { return static_cast<double>(size_) / 1e6; }

#ifdef _WIN32
  static DWORD WINAPI start(LPVOID self) {
    static_cast<ProgressReporter*>(self)->Run();
    return 0;
  }
  // Until the owner sets the event, every 250 ms.
  bool waitForDone() { return WaitForSingleObject(wake_, 250) != WAIT_TIMEOUT; }
#else
  bool WaitForDone(std::unique_lock<std::mutex>& lock) {
    return wake_.wait_for(lock, std::chrono::milliseconds(250), [this] { return done_; });
  }
#endif

  void Run() {
    const auto start = std::chrono::steady_clock::now();
#ifdef _WIN32
    while (!waitForDone()) {
#else
    std::unique_lock<std::mutex> lock(mutex_);
    while (!WaitForDone(lock)) {
#endif
      const auto position = ReadPosition();
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (position) {
        std::fprintf(stderr, "\rtessel-convert: %3d%% of %.1f MB",
                     static_cast<int>(100.0 * static_cast<double>(*position) / static_cast<double>(size_)),
                     Megabytes());
      } else {
        std::fprintf(stderr, "\rtessel-convert: converting %.1f MB, %.0f s", Megabytes(), seconds);
      }
      std::fflush(stderr);
      shown_ = true;
    }
  }

  // Where the library's descriptor of the source stands, where the system tells (Linux).
  std::optional<std::uintmax_t> ReadPosition() const {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
      std::error_code link_error;
      if (std::filesystem::read_symlink(entry.path(), link_error) != source_ || link_error) continue;
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
#ifdef _WIN32
  HANDLE thread_ = nullptr;
  HANDLE wake_ = nullptr;
#else
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
#endif
  bool shown_ = false;
};

}  // namespace tessel::tools
