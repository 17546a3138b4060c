#include "file_conversion.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "code_selector.h"
#include "string_conversion.h"
#include "text_converter.h"

namespace tessel {
namespace {

constexpr std::size_t kReadBlock = 128 * 1024;
constexpr std::size_t kWriteBlock = 128 * 1024;

// Reads the source in blocks and keeps at least one line area of bytes available.
class BlockReader {
 public:
  explicit BlockReader(SourceFile& file) : file_(file), buffer_(kReadBlock + kLineArea) {}

  // False on a read error.
  bool Fill(std::size_t wanted) {
    if (end_ - begin_ >= wanted || eof_) return true;
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    while (end_ < wanted && !eof_) {
      const auto n = file_.Read(std::span<std::uint8_t>(buffer_.data() + end_, buffer_.size() - end_));
      if (!n) return false;
      if (*n == 0) eof_ = true;
      end_ += *n;
    }
    return true;
  }

  std::span<const std::uint8_t> Available() const { return {buffer_.data() + begin_, end_ - begin_}; }
  void Consume(std::size_t n) { begin_ += std::min(n, end_ - begin_); }
  bool Eof() const { return eof_; }

 private:
  SourceFile& file_;
  std::vector<std::uint8_t> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
};

// Collects the converted bytes and writes them in blocks.
class BlockWriter {
 public:
  explicit BlockWriter(TargetFile& file) : file_(file), buffer_(kWriteBlock) {}

  std::span<std::uint8_t> Room() { return {buffer_.data() + used_, buffer_.size() - used_}; }
  void Produced(std::size_t n) { used_ += n; }

  bool MakeRoom(std::size_t n) { return buffer_.size() - used_ >= n || Flush(); }

  bool Write(std::span<const std::uint8_t> bytes) {
    if (!MakeRoom(bytes.size())) return false;
    std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
    return true;
  }

  bool Flush() {
    if (used_ == 0) return true;
    const bool written = file_.Write(std::span<const std::uint8_t>(buffer_.data(), used_));
    used_ = 0;
    return written;
  }

 private:
  TargetFile& file_;
  std::vector<std::uint8_t> buffer_;
  std::size_t used_ = 0;
};

enum class Outcome { kDone, kReadFailed, kWriteFailed };

Outcome CopyFile(SourceFile& source, TargetFile& target) {
  std::vector<std::uint8_t> block(kReadBlock);
  for (;;) {
    const auto n = source.Read(block);
    if (!n) return Outcome::kReadFailed;
    if (*n == 0) return Outcome::kDone;
    if (!target.Write(std::span<const std::uint8_t>(block.data(), *n))) return Outcome::kWriteFailed;
  }
}

// Converts one piece of a line; `final` when it ends the line, so that the readers see the
// line's end. Returns the count of bytes used, or nothing when the output cannot be written.
std::optional<std::size_t> ConvertPiece(TextConverter& converter, BlockWriter& writer, std::uint8_t s, std::uint8_t t,
                                        std::span<const std::uint8_t> piece, bool final, bool& waiting) {
  std::size_t pos = 0;
  waiting = false;
  while (pos < piece.size()) {
    if (!writer.MakeRoom(TextConverter::kMaxCharacterOutput)) return std::nullopt;
    const ConvertOutcome o = converter.Convert(s, t, piece.subspan(pos), !final, writer.Room());
    writer.Produced(o.produced);
    pos += o.consumed;
    if (o.waiting) {
      waiting = true;
      break;
    }
    if (o.end_reached && pos < piece.size()) {
      // A zero byte ends the readers' text. It is written as a single byte and the line goes on
      // after it, so that nothing after it is lost.
      if (!writer.MakeRoom(TextConverter::kMaxCharacterOutput)) return std::nullopt;
      writer.Produced(converter.WriteSingleByte(t, piece[pos], writer.Room().data()));
      ++pos;
    }
  }
  // An escape sequence at the very end may have taken the line's terminating zero as well.
  return std::min(pos, piece.size());
}

// Converts one line the way the rules describe lines: the bytes up to and including the next 0A,
// handed over in line areas of at most kLineArea bytes. Returns false when the output cannot be
// written; `lineEnded` tells whether the line's end (or the source's) was reached, or only the end
// of a line area of a longer line.
bool ConvertLineArea(TextConverter& converter, BlockReader& reader, BlockWriter& writer, std::uint8_t s, std::uint8_t t,
                     bool& line_ended) {
  const std::span<const std::uint8_t> available = reader.Available();
  const std::size_t limit = std::min(available.size(), kLineArea);
  std::size_t length = limit;
  line_ended = reader.Eof() && limit == available.size();
  // UCS-2 text runs on: its readers keep no state between code units, and 0A 00 may fall at an odd
  // offset.
  const void* newline = s == kSelectorUcs ? nullptr : std::memchr(available.data(), 0x0A, limit);
  if (newline != nullptr) {
    length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(newline) - available.data()) + 1;
    line_ended = true;
  }
  const std::span<const std::uint8_t> piece = available.first(length);

  bool waiting = false;
  auto used = ConvertPiece(converter, writer, s, t, piece, line_ended, waiting);
  if (used && waiting && *used == 0) {
    // A whole line area holding no complete character (nothing but shifts and escapes): it is
    // converted as if the line ended there, rather than waiting for ever.
    used = ConvertPiece(converter, writer, s, t, piece, true, waiting);
  }
  if (!used) return false;
  reader.Consume(*used);
  return true;
}

// The source is converted a block at a time, many lines at once, which gives what converting it
// line by line gives: Big5, GBK and EUC characters never reach past a line's last byte 0A (it
// ends a character of theirs or stands alone), and UCS-2 text runs on across lines anyway. The
// seven-bit reader keeps state across lines, and there one thing depends on where a line ends: a
// two-byte character whose first byte is the line's 0A is cut off there. So a seven-bit source goes
// by blocks only along the converter's common road, which leaves such characters alone, and from a
// character off that road to the end of its line the line areas take over.
Outcome ConvertBlocks(TextConverter& converter, SourceFile& source, BlockWriter& writer, std::uint8_t s,
                      std::uint8_t t) {
  BlockReader reader(source);
  if (s == kSelectorUcs) {
    // The first two bytes are taken to be the byte-order mark.
    if (!reader.Fill(2)) return Outcome::kReadFailed;
    reader.Consume(2);
  }
  const OffCommonRoad off_common_road = s == kSelectorCns ? OffCommonRoad::kStop : OffCommonRoad::kConvert;

  for (;;) {
    if (!reader.Fill(kReadBlock)) return Outcome::kReadFailed;
    const std::span<const std::uint8_t> block = reader.Available();
    if (block.empty()) return Outcome::kDone;
    const bool final = reader.Eof();

    std::size_t pos = 0;
    bool line_by_line = false;
    while (pos < block.size()) {
      if (!writer.MakeRoom(TextConverter::kMaxCharacterOutput)) return Outcome::kWriteFailed;
      const ConvertOutcome o = converter.Convert(s, t, block.subspan(pos), !final, writer.Room(), off_common_road);
      writer.Produced(o.produced);
      pos += o.consumed;
      if (o.waiting) break;  // a character the next block completes
      if (o.uncommon) {
        line_by_line = true;
        break;
      }
      if (o.end_reached && pos < block.size()) {
        // A zero byte ends the readers' text. It is written as a single byte and the text goes
        // on after it, so that nothing after it is lost.
        if (!writer.MakeRoom(TextConverter::kMaxCharacterOutput)) return Outcome::kWriteFailed;
        writer.Produced(converter.WriteSingleByte(t, block[pos], writer.Room().data()));
        ++pos;
      }
    }
    reader.Consume(pos);

    if (line_by_line) {
      bool line_ended = false;
      while (!line_ended) {
        if (!reader.Fill(kLineArea)) return Outcome::kReadFailed;
        if (reader.Available().empty()) return Outcome::kDone;
        if (!ConvertLineArea(converter, reader, writer, s, t, line_ended)) return Outcome::kWriteFailed;
      }
    }
  }
}

}  // namespace

std::int32_t ConvertFile(const CodeTables& tables, CnsCoder& coder, CharacterList* list, FilePort& files,
                         std::int32_t source, std::int32_t target, const std::string& sourcePath,
                         const std::string& targetPath) {
  const auto s = static_cast<std::uint8_t>(source & 0xFF);
  const auto t = static_cast<std::uint8_t>(target & 0xFF);
  if (const std::int32_t refusal = CheckConversion(tables, s, t); refusal != kResultOk) return refusal;

  // The same file however the two paths spell it: converted in place, so that the target is not
  // truncated before the source is read.
  const bool in_place = sourcePath == targetPath || files.SameFile(sourcePath, targetPath);

  std::unique_ptr<SourceFile> input = files.OpenSource(sourcePath);
  if (!input) return kResultOpenSource;
  std::string temporary_path;
  std::unique_ptr<TargetFile> output =
      in_place ? files.CreateTemporaryBeside(targetPath, temporary_path) : files.CreateTarget(targetPath);
  if (!output) return in_place ? kResultBadPair : kResultCreateTarget;

  // From here on a failure removes the file this call made, so that nothing half-done remains.
  const std::string output_path = in_place ? temporary_path : targetPath;
  const std::int32_t write_failure = in_place ? kResultBadPair : kResultCreateTarget;
  auto fail = [&](std::int32_t result) {
    output.reset();
    input.reset();
    files.Remove(output_path);
    return result;
  };

  if (t == kSelectorCns) coder.Reset();

  if (s == kSelectorCns && t == kSelectorCns) {
    // Nothing to convert: the target becomes a copy of the source, and in place nothing changes.
    if (in_place) {
      output.reset();
      files.Remove(temporary_path);
      return kResultOk;
    }
    const Outcome copied = CopyFile(*input, *output);
    if (copied == Outcome::kReadFailed) return fail(kResultOpenSource);
    if (copied == Outcome::kWriteFailed) return fail(kResultCreateTarget);
    return kResultOk;
  }

  BlockWriter writer(*output);
  bool written = true;
  if (t == kSelectorCns) written = writer.Write(kSevenBitHeader);
  if (t == kSelectorUcs) written = writer.Write(kUcsByteOrderMark);
  if (!written) return fail(write_failure);

  TextConverter converter(tables, coder, list);
  const Outcome converted = ConvertBlocks(converter, *input, writer, s, t);
  if (converted == Outcome::kReadFailed) return fail(kResultOpenSource);
  if (converted == Outcome::kWriteFailed) return fail(write_failure);
  if (t == kSelectorCns) {
    const std::uint8_t shift_in[1] = {kShiftIn};
    written = writer.Write(shift_in);
  }
  if (!written || !writer.Flush()) return fail(write_failure);

  if (in_place) {
    if (!output->Commit()) return fail(kResultBadPair);
    output.reset();
    input.reset();
    if (!files.Replace(temporary_path, targetPath)) return fail(kResultBadPair);
  }
  return kResultOk;
}

}  // namespace tessel
