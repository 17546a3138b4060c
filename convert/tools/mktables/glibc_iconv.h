#pragma once
// One-character conversions through the C library's iconv, for comparing coverage.

#include <iconv.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace tessel::mktables {

class GlibcIconv {
 public:
  GlibcIconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv lacks ") + from + " to " + to);
  }
  ~GlibcIconv() { iconv_close(cd_); }
  GlibcIconv(const GlibcIconv&) = delete;
  GlibcIconv& operator=(const GlibcIconv&) = delete;

  std::optional<std::string> Convert(const std::string& bytes) const {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string in = bytes;
    char out[16];
    char* in_ptr = in.data();
    char* out_ptr = out;
    std::size_t in_left = in.size();
    std::size_t out_left = sizeof out;
    if (iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1) || in_left != 0)
      return std::nullopt;
    // Flush a pending shift state so stateful encodings end cleanly.
    if (iconv(cd_, nullptr, nullptr, &out_ptr, &out_left) == static_cast<std::size_t>(-1)) return std::nullopt;
    return std::string(out, static_cast<std::size_t>(out_ptr - out));
  }

 private:
  iconv_t cd_;
};

}  // namespace tessel::mktables
