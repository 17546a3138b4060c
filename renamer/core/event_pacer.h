#pragma once

#include <chrono>
#include <cstdint>

namespace quillon {

// When a running walk hands the window's pending events over: after an entry, once at least the
// interval has passed since the last time (the first entry of a run always does). Asking the
// system for events costs more than walking an entry whose folder is in the cache, so asking
// after every one would make the window run several times slower than the walk itself; a
// millisecond is far below what a user can notice. An interval of zero hands them over after
// every entry.
class EventPacer {
 public:
  static constexpr std::chrono::microseconds kDefaultInterval{1000};

  explicit EventPacer(std::chrono::microseconds interval = kDefaultInterval) : interval_(interval) {}

  void Restart() { started_ = false; }
  // Whether the events are due at `now_us` (a monotonic count of microseconds); if so the interval
  // starts again from there.
  bool Due(std::uint64_t now_us) {
    if (started_ && now_us - last_us_ < static_cast<std::uint64_t>(interval_.count())) return false;
    started_ = true;
    last_us_ = now_us;
    return true;
  }

  std::chrono::microseconds Interval() const { return interval_; }
  void SetInterval(std::chrono::microseconds interval) { interval_ = interval; }

 private:
  std::chrono::microseconds interval_;
  bool started_ = false;
  std::uint64_t last_us_ = 0;
};

}  // namespace quillon
