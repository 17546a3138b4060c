#pragma once
// EUC-TW to and from Big5, UCS-2 or GBK without a file in the library's four-byte EUC form: the
// text goes to the library's string export in pieces held in memory, widened or narrowed on the
// way. Each piece ends after a whole character and holds no zero byte, where the library's string
// and file conversions read alike (a zero byte ends a string, so text holding one goes through
// files instead). The file conversion's other rules are kept: the UCS-2 byte-order mark is
// written to a UCS-2 target and a UCS-2 source is read from its third byte; lines play no part
// in these pairs (no EUC, Big5, GBK or UCS-2 character reaches past a line's last byte).

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "euc_tw.h"
#include "file_transcoder.h"
#include "tessel.h"

namespace tessel::tools {

using StringConvertFunction = int32_t(TESSEL_CALL*)(int32_t, int32_t, const char*, char*);

// One selector pair of the string export, for pieces of text in memory.
class StringPieces {
 public:
  StringPieces(StringConvertFunction library, int from, int to) : convert_(library), from_(from), to_(to) {}

  // The pair check and table status as the library answers them: CVT_OK, or its refusal.
  int32_t Check() {
    const char empty[4] = {};
    char output[CVT_MAX_OUTPUT_SIZE(0)];
    return convert_(from_, to_, empty, output);
  }

  // Converts the `size` bytes at `text` (whole characters, no zero byte, for UCS-2 no zero code
  // unit), writing the terminating zeros into the three bytes after them; the result is valid until
  // the next call. A lone last byte of a UCS-2 source is read as the file conversion reads it, the
  // low byte of a code unit.
  std::string_view ConvertTerminated(char* text, std::size_t size) {
    std::size_t end = size;
    if (from_ == CVT_UCS && end % 2 != 0) text[end++] = '\0';
    text[end] = '\0';  // the end: two zero bytes, for UCS-2 a zero code unit
    text[end + 1] = '\0';
    const std::size_t room = CVT_MAX_OUTPUT_SIZE(end);
    if (room > capacity_) {
      // Not filled: only what the library writes is ever touched.
      output_ = std::make_unique_for_overwrite<char[]>(room);
      capacity_ = room;
    }
    if (convert_(from_, to_, text, output_.get()) != CVT_OK) throw TranscodeError("the library refused a piece");
    return {output_.get(), ConvertedLength(output_.get(), room, to_, ShortestConversion(end))};
  }

  // No piece of the pairs converted here (EUC to Big5, UCS-2 or GBK and back) converts to fewer
  // than a quarter of its bytes: every character becomes a code, a single byte or a substitute of
  // five characters or more, and a single byte at least one byte. The search for the end starts
  // there.
  static constexpr std::size_t ShortestConversion(std::size_t size) { return size / 4 / 2 * 2; }
  static constexpr std::size_t kTerminatorRoom = 3;

  // The converted text ends at three zero bytes (for UCS-2 at an even offset); as long as no
  // character converts to a code holding zero bytes (see convertsWithoutZeroBytes), the first
  // such place is its end.
  // `from`, where the search starts, lies at or before the end (for UCS-2 at an even offset).
  static std::size_t ConvertedLength(const char* output, std::size_t room, int to, std::size_t from = 0) {
    const std::size_t step = to == CVT_UCS ? 2 : 1;
    for (std::size_t n = from; n + 2 < room; ++n) {
      const void* zero = std::memchr(output + n, 0, room - 2 - n);
      if (zero == nullptr) break;
      n = static_cast<std::size_t>(static_cast<const char*>(zero) - output);
      if (output[n + 1] == 0 && output[n + 2] == 0 && n % step == 0) return n;
    }
    throw TranscodeError("the library's converted text has no end");
  }

 private:
  StringConvertFunction convert_;
  int from_;
  int to_;
  std::unique_ptr<char[]> output_;
  std::size_t capacity_ = 0;
};

// True when none of `characters` (whole characters of `from`, no zero byte) converts to bytes
// that hold a zero byte (a zero code unit for UCS-2): then three zero bytes end every converted
// piece and nothing else. The converted text's end is found from the untouched rest of an output
// area filled with a byte that is not zero beforehand.
inline bool ConvertsWithoutZeroBytes(StringConvertFunction convert, int from, int to, std::string_view characters) {
  std::string input(characters);
  input.append(2, '\0');
  const std::size_t room = CVT_MAX_OUTPUT_SIZE(input.size());
  std::string output(room, '\xFF');
  if (convert(from, to, input.data(), output.data()) != CVT_OK) return false;
  const std::size_t last_zero = output.find_last_of('\0');
  if (last_zero == std::string::npos || last_zero < 2) return false;
  const std::string_view converted(output.data(), last_zero - 2);
  if (to != CVT_UCS) return converted.find('\0') == std::string_view::npos;
  for (std::size_t i = 0; i + 1 < converted.size(); i += 2) {
    if (converted[i] == 0 && converted[i + 1] == 0) return false;
  }
  return true;
}

// Every character of one CNS plane (0 to 16) in the library's four-byte EUC form.
inline std::string EucPlane(int plane) {
  std::string text;
  text.reserve(94 * 94 * 4);
  for (int first = kFirstCodeByte; first <= kLastCodeByte; ++first) {
    for (int second = kFirstCodeByte; second <= kLastCodeByte; ++second) {
      text += static_cast<char>(kSingleShift2);
      text += static_cast<char>(kPlaneByteBase + plane);
      text += static_cast<char>(first);
      text += static_cast<char>(second);
    }
  }
  return text;
}

inline constexpr std::size_t kPieceBlock = 1 << 16;

// Whether the whole code units of UCS-2 text (`size` bytes from a unit's start) hold a zero unit:
// four units at a time, then one by one.
inline bool HoldsZeroUnit(const char* text, std::size_t size) {
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t units;
    std::memcpy(&units, text + i, 8);
    // Not zero exactly when a 16-bit lane is zero: a lane's top bit comes out set only for a zero
    // lane or from a borrow out of a zero lane below it.
    if (((units - 0x0001000100010001u) & ~units & 0x8000800080008000u) != 0) return true;
  }
  for (; i + 1 < size; i += 2) {
    if (text[i] == 0 && text[i + 1] == 0) return true;
  }
  return false;
}

enum class PieceOutcome { kConverted, kThroughFiles };

// EUC-TW to Big5, UCS-2 or GBK (`to`): `output` receives what converting the widened text as a
// file would write. kThroughFiles, with `output` left incomplete, when the text holds a zero byte
// or a plane it uses converts to codes holding zero bytes. A refusal of the library comes back in
// `result` with nothing written.
inline PieceOutcome ConvertFromEucTw(StringConvertFunction convert, int to, const std::filesystem::path& input,
                                     const std::filesystem::path& output, int32_t& result) {
  std::ifstream in(input, std::ios::binary);
  if (!in) throw TranscodeError("cannot open " + input.string());
  StringPieces pieces(convert, CVT_EUC, to);
  result = pieces.Check();
  if (result != CVT_OK) return PieceOutcome::kConverted;
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  if (!out) {
    result = CVT_ERR_CREATE_TARGET;
    return PieceOutcome::kConverted;
  }
  if (to == CVT_UCS) out.write("\xFF\xFE", 2);

  EucTwWidener widener;
  std::uint32_t planes_checked = 0;
  std::string block(kPieceBlock, '\0');
  for (;;) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const auto n = static_cast<std::size_t>(in.gcount());
    const bool last = n < block.size();
    if (in.bad()) throw TranscodeError("cannot read " + input.string());
    const std::span<char> wide = widener.ConvertInBuffer(std::string_view(block.data(), n), last);
    if (widener.ZeroWritten()) return PieceOutcome::kThroughFiles;
    for (std::uint32_t unchecked = widener.PlanesSeen() & ~planes_checked; unchecked != 0; unchecked &= unchecked - 1) {
      const int plane = std::countr_zero(unchecked);
      if (!ConvertsWithoutZeroBytes(convert, CVT_EUC, to, EucPlane(plane))) return PieceOutcome::kThroughFiles;
      planes_checked |= 1u << plane;
    }
    if (!wide.empty()) {
      static_assert(StringPieces::kTerminatorRoom <= EucTwWidener::kSpareBytes);
      const std::string_view converted = pieces.ConvertTerminated(wide.data(), wide.size());
      out.write(converted.data(), static_cast<std::streamsize>(converted.size()));
    }
    if (last) break;
  }
  if (!out.flush()) result = CVT_ERR_CREATE_TARGET;
  return PieceOutcome::kConverted;
}

// Big5, UCS-2 or GBK (`from`) to EUC-TW: `output` receives the library's EUC conversion of
// `input`, narrowed. kThroughFiles when the text holds a zero byte (a zero code unit for UCS-2).
// The library's EUC form never holds three zero bytes in a row (its only zero byte can be the
// plane byte of a four-byte character), so the pieces' ends are always found. Refusals come back
// in `result` as the file conversion gives them: the library's own, then 5 when the source cannot
// be opened for reading and writing.
inline PieceOutcome ConvertToEucTw(StringConvertFunction convert, int from, const std::filesystem::path& input,
                                   const std::filesystem::path& output, int32_t& result) {
  StringPieces pieces(convert, from, CVT_EUC);
  result = pieces.Check();
  if (result != CVT_OK) return PieceOutcome::kConverted;
  std::fstream in(input, std::ios::binary | std::ios::in | std::ios::out);
  if (!in) {
    result = CVT_ERR_OPEN_SOURCE;
    return PieceOutcome::kConverted;
  }
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  if (!out) throw TranscodeError("cannot create " + output.string());

  if (from == CVT_UCS) in.ignore(2);  // taken to be the byte-order mark
  EucTwNarrower narrower;
  // Read straight after what waits from the block before (less than a character); whole
  // characters are converted, the rest waits for the next block.
  std::string text;
  for (;;) {
    const std::size_t waiting = text.size();
    text.resize(waiting + kPieceBlock + StringPieces::kTerminatorRoom);
    in.read(text.data() + waiting, static_cast<std::streamsize>(kPieceBlock));
    const auto n = static_cast<std::size_t>(in.gcount());
    const bool last = n < kPieceBlock;
    if (in.bad()) {
      result = CVT_ERR_OPEN_SOURCE;
      return PieceOutcome::kConverted;
    }
    const std::size_t size = waiting + n;

    std::size_t whole = size;
    if (from == CVT_UCS) {
      if (!last) whole &= ~std::size_t{1};
      if (HoldsZeroUnit(text.data(), whole)) return PieceOutcome::kThroughFiles;
      if (whole % 2 != 0 && text[whole - 1] == 0) return PieceOutcome::kThroughFiles;
    } else {
      if (std::memchr(text.data(), 0, size) != nullptr) return PieceOutcome::kThroughFiles;
      if (!last) {
        // A byte below 0x80 always ends a character (it is no lead byte); after it, every byte
        // from 0x80 up leads a two-byte character.
        std::size_t start = size;
        while (start > 0 && static_cast<std::uint8_t>(text[start - 1]) >= 0x80) --start;
        whole = start + (size - start) / 2 * 2;
      }
    }
    // What waits (at most one byte) is kept aside while the terminating zeros stand after the
    // whole characters.
    const std::string rest = text.substr(whole, size - whole);
    std::string_view converted;
    if (whole > 0) converted = pieces.ConvertTerminated(text.data(), whole);
    const std::span<char> narrowed = narrower.ConvertInBuffer(converted, last);
    out.write(narrowed.data(), static_cast<std::streamsize>(narrowed.size()));
    text = rest;
    if (last) break;
  }
  if (!out.flush()) throw TranscodeError("cannot write " + output.string());
  return PieceOutcome::kConverted;
}

}  // namespace tessel::tools
