#pragma once
// Rewrites a file block by block through a converter of the host's own (UTF-8, EUC-TW), for the
// encodings the library does not know.

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tessel::tools {

class TranscodeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Converts one block; `last` marks the final block. May throw TranscodeError.
using BlockConverter = std::function<std::string(std::string_view block, bool last)>;

// Writes `prefix`, then every block of `from` after its first `skip` bytes, converted.
inline void TranscodeFile(const std::filesystem::path& from, const std::filesystem::path& to,
                          const BlockConverter& convert, std::string_view prefix = {}, std::size_t skip = 0) {
  std::ifstream in(from, std::ios::binary);
  if (!in) throw TranscodeError("cannot open " + from.string());
  std::ofstream out(to, std::ios::binary | std::ios::trunc);
  if (!out) throw TranscodeError("cannot create " + to.string());
  out << prefix;
  std::vector<char> block(1 << 16);
  for (;;) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const auto n = static_cast<std::size_t>(in.gcount());
    const bool last = n < block.size();
    std::string_view bytes(block.data(), n);
    const std::size_t skipped = std::min(skip, bytes.size());
    bytes.remove_prefix(skipped);
    skip -= skipped;
    out << convert(bytes, last);
    if (last) break;
  }
  if (in.bad()) throw TranscodeError("cannot read " + from.string());
  if (!out.flush()) throw TranscodeError("cannot write " + to.string());
}

// Reads the whole file through `inspect`, block by block.
inline void ScanFile(const std::filesystem::path& file,
                     const std::function<void(std::string_view block, bool last)>& inspect) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> block(1 << 16);
  while (in) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const auto n = static_cast<std::size_t>(in.gcount());
    inspect(std::string_view(block.data(), n), n < block.size());
  }
}

}  // namespace tessel::tools
