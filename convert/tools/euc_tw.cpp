#include "euc_tw.h"

namespace tessel::tools {
namespace {

enum class Piece { kSingle, kTwoByte, kFourByte, kIncomplete };

std::uint8_t byteAt(std::string_view text, std::size_t i) { return static_cast<std::uint8_t>(text[i]); }

// What starts at text[i]. A character cut off by the end of the block is Incomplete unless the
// block is the last, where its first byte is a single byte.
Piece pieceAt(std::string_view text, std::size_t i, bool last) {
  const std::uint8_t b = byteAt(text, i);
  const std::size_t left = text.size() - i;
  if (b == kSingleShift2) {
    if (left < 4) return last ? Piece::kSingle : Piece::kIncomplete;
    const bool four =
        isEucPlaneByte(byteAt(text, i + 1)) && isEucCodeByte(byteAt(text, i + 2)) && isEucCodeByte(byteAt(text, i + 3));
    return four ? Piece::kFourByte : Piece::kSingle;
  }
  if (isEucCodeByte(b)) {
    if (left < 2) return last ? Piece::kSingle : Piece::kIncomplete;
    return isEucCodeByte(byteAt(text, i + 1)) ? Piece::kTwoByte : Piece::kSingle;
  }
  return Piece::kSingle;
}

std::size_t pieceLength(Piece piece) {
  switch (piece) {
    case Piece::kTwoByte:
      return 2;
    case Piece::kFourByte:
      return 4;
    default:
      return 1;
  }
}

// Calls `emit(piece, bytes)` for each piece of pending + block and keeps an incomplete tail.
template <typename Emit>
void scan(std::string& pending, std::string_view block, bool last, Emit emit) {
  std::string text = pending;
  text.append(block);
  pending.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    const Piece piece = pieceAt(text, i, last);
    if (piece == Piece::kIncomplete) {
      pending = text.substr(i);
      return;
    }
    const std::size_t length = pieceLength(piece);
    emit(piece, std::string_view(text).substr(i, length));
    i += length;
  }
}

}  // namespace

std::string EucTwWidener::convert(std::string_view block, bool last) {
  std::string out;
  out.reserve(block.size() * 2);
  scan(pending_, block, last, [&](Piece piece, std::string_view bytes) {
    if (piece == Piece::kTwoByte) {
      out += static_cast<char>(kSingleShift2);
      out += static_cast<char>(kPlaneOneByte);
    }
    out.append(bytes);
  });
  return out;
}

std::string EucTwNarrower::convert(std::string_view block, bool last) {
  std::string out;
  out.reserve(block.size());
  scan(pending_, block, last, [&](Piece piece, std::string_view bytes) {
    if (piece == Piece::kFourByte && byteAt(bytes, 1) == kPlaneOneByte) {
      out.append(bytes.substr(2));
    } else {
      out.append(bytes);
    }
  });
  return out;
}

void TwoByteCharacterCounter::count(std::string_view block, bool last) {
  scan(pending_, block, last, [&](Piece piece, std::string_view) {
    if (piece == Piece::kTwoByte) ++found_;
  });
}

}  // namespace tessel::tools
