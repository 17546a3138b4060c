#include "text_converter.h"

#include <cstring>

#include "code_selector.h"
#include "substitute.h"

namespace tessel {
namespace {

// The value of a character's bytes, most significant first, up to the first zero byte.
std::uint32_t valueUpToZero(const std::uint8_t* bytes, std::size_t length) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < length && bytes[i] != 0; ++i) value = (value << 8) | bytes[i];
  return value;
}

std::uint32_t valueOf(const std::uint8_t* bytes, std::size_t length) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < length; ++i) value = (value << 8) | bytes[i];
  return value;
}

void putCns(std::uint32_t cns, std::uint8_t* out) {
  out[0] = static_cast<std::uint8_t>(cns >> 16);
  out[1] = static_cast<std::uint8_t>(cns >> 8);
  out[2] = static_cast<std::uint8_t>(cns);
}

}  // namespace

TextConverter::SourceChar TextConverter::read(std::uint8_t source, std::span<const std::uint8_t> text,
                                              bool textContinues) {
  SourceChar c;
  auto available = [&](std::size_t at) { return at < text.size() && text[at] != 0; };
  // A character cut off by the end of a text that goes on waits for the rest.
  auto waitsForMore = [&](std::size_t at) { return textContinues && at >= text.size(); };

  switch (source) {
    case kSelectorCns: {
      const DecodedChar d = coder_.decode(text, textContinues);
      c.needMore = d.needMore;
      c.taken = d.taken;
      if (d.length == 3 || (d.length == 2 && d.bytes[0] != 0)) {
        c.length = d.length;
        std::memcpy(c.bytes, d.bytes.data(), d.length);
      } else if (d.length == 2) {
        c.length = 1;
        c.bytes[0] = d.bytes[1];
      } else if (d.length == 1) {
        c.length = 1;
        c.bytes[0] = d.bytes[0];
      }
      return c;
    }
    case kSelectorEuc: {
      if (!available(0)) return c;
      static constexpr std::uint8_t kLow[4] = {0x8E, 0xA0, 0xA1, 0xA1};
      static constexpr std::uint8_t kHigh[4] = {0x8E, 0xB0, 0xFE, 0xFE};
      std::size_t valid = 0;
      while (valid < 4 && available(valid) && text[valid] >= kLow[valid] && text[valid] <= kHigh[valid]) ++valid;
      if (valid == 4) {
        c.length = 4;
      } else if (valid > 0 && waitsForMore(valid)) {
        c.needMore = true;
        return c;
      } else {
        c.length = 1;
      }
      std::memcpy(c.bytes, text.data(), c.length);
      c.taken = c.length;
      return c;
    }
    case kSelectorUcs: {
      if (text.size() < 2 && waitsForMore(text.size())) {
        c.needMore = true;
        return c;
      }
      // The high byte of the little-endian code unit first; past the end of the text stands its zero.
      c.bytes[0] = text.size() > 1 ? text[1] : 0;
      c.bytes[1] = text[0];
      c.length = 2;
      c.taken = 2;
      return c;
    }
    default: {  // Big5 and GBK
      if (!available(0)) return c;
      if (text[0] < 0x80) {
        c.length = 1;
      } else if (available(1)) {
        c.length = 2;
      } else if (waitsForMore(1)) {
        c.needMore = true;
        return c;
      } else {
        c.length = 1;
      }
      std::memcpy(c.bytes, text.data(), c.length);
      c.taken = c.length;
      return c;
    }
  }
}

std::size_t TextConverter::toCns(std::uint8_t source, const SourceChar& c, std::uint8_t* cns) const {
  const std::uint16_t code = static_cast<std::uint16_t>((c.bytes[0] << 8) | c.bytes[1]);
  std::optional<std::uint32_t> found;
  switch (source) {
    case kSelectorEuc:
      cns[0] = static_cast<std::uint8_t>(c.bytes[1] - 0xA0);
      cns[1] = c.bytes[2] & 0x7F;
      cns[2] = c.bytes[3] & 0x7F;
      return 3;
    case kSelectorBig5:
    case kSelectorBig5Alt:
      found = tables_.big5ToCns(code);
      break;
    case kSelectorUcs:
    case kSelectorGbk:
      if (code < 0x80) {
        // Plane 0 and the byte: written as that single byte.
        cns[0] = c.bytes[0];
        cns[1] = c.bytes[1];
        return 2;
      }
      found = source == kSelectorUcs ? tables_.ucsToCns(code) : tables_.gbkToCns(code);
      break;
    default:
      return 0;
  }
  if (!found) return 0;
  putCns(*found, cns);
  return 3;
}

std::size_t TextConverter::fromCns(std::uint8_t target, const std::uint8_t* cns, std::size_t length,
                                   std::uint8_t* out) const {
  const std::uint32_t value = valueUpToZero(cns, length);
  std::optional<std::uint16_t> found;
  switch (target) {
    case kSelectorEuc:
      out[0] = 0x8E;
      out[1] = static_cast<std::uint8_t>(cns[0] + 0xA0);
      out[2] = cns[1] | 0x80;
      out[3] = cns[2] | 0x80;
      return 4;
    case kSelectorBig5:
    case kSelectorBig5Alt:
      found = tables_.cnsToBig5(value);
      break;
    case kSelectorUcs:
      if (auto unit = tables_.cnsToUcs(value)) {
        out[0] = static_cast<std::uint8_t>(*unit);
        out[1] = static_cast<std::uint8_t>(*unit >> 8);
        return 2;
      }
      return 0;
    case kSelectorGbk:
      found = tables_.cnsToGbk(value);
      break;
    default:
      return 0;
  }
  if (!found) return 0;
  out[0] = static_cast<std::uint8_t>(*found >> 8);
  out[1] = static_cast<std::uint8_t>(*found);
  return 2;
}

std::size_t TextConverter::writeSingleByte(std::uint8_t target, std::uint8_t b, std::uint8_t* out) {
  if (target == kSelectorCns) return coder_.encode(0, b, 0, out);
  out[0] = b;
  if (target == kSelectorUcs) {
    out[1] = 0;
    return 2;
  }
  return 1;
}

std::size_t TextConverter::writeCharacter(std::uint8_t target, const std::uint8_t* bytes, std::size_t length,
                                          std::uint8_t* out) {
  if (target == kSelectorCns) return coder_.encode(bytes[0], bytes[1], length > 2 ? bytes[2] : 0, out);
  std::memcpy(out, bytes, length);
  return length;
}

std::size_t TextConverter::writeSubstitute(std::uint8_t target, std::uint32_t value, std::uint8_t* out) {
  if (target == kSelectorCns) return coder_.encode(kSubstituteCns[0], kSubstituteCns[1], kSubstituteCns[2], out);
  return writeSubstituteText(value, target, out);
}

ConvertOutcome TextConverter::convert(std::uint8_t source, std::uint8_t target, std::span<const std::uint8_t> text,
                                      bool textContinues, std::span<std::uint8_t> out) {
  ConvertOutcome outcome;
  std::size_t i = 0;
  std::size_t m = 0;
  while (i < text.size() && out.size() - m >= kMaxCharacterOutput) {
    const SourceChar c = read(source, text.subspan(i), textContinues);
    if (c.needMore) break;
    if (c.length == 0) {
      outcome.endReached = true;
      break;
    }
    i += c.taken;
    std::uint8_t* o = out.data() + m;

    if (c.length == 1) {
      m += writeSingleByte(target, c.bytes[0], o);
      continue;
    }

    std::uint8_t converted[4] = {};
    if (source == kSelectorCns) {
      // From CNS: a character the target cannot hold is listed, then substituted.
      const std::size_t n = target == kSelectorCns ? 0 : fromCns(target, c.bytes, c.length, converted);
      if (n == 0) {
        if (list_) list_->append(std::span<const std::uint8_t>(c.bytes, c.length));
        m += writeSubstitute(target, valueUpToZero(c.bytes, c.length), o);
      } else {
        m += writeCharacter(target, converted, n, o);
      }
      continue;
    }

    std::uint8_t cns[3] = {};
    const std::size_t n = toCns(source, c, cns);
    if (n == 0) {
      m += writeSubstitute(target, valueOf(c.bytes, c.length), o);
    } else if (target == kSelectorCns) {
      m += writeCharacter(target, cns, n, o);
    } else if (n == 2) {
      // Neither side is CNS: a plane-0 result is the single byte it stands for.
      m += writeSingleByte(target, cns[1], o);
    } else {
      // Neither side is CNS: the second step takes the character from CNS to the target.
      const std::size_t n2 = fromCns(target, cns, 3, converted);
      m += n2 == 0 ? writeSubstitute(target, valueUpToZero(cns, 3), o) : writeCharacter(target, converted, n2, o);
    }
  }
  if (i >= text.size() && !textContinues) outcome.endReached = true;
  outcome.consumed = i;
  outcome.produced = m;
  return outcome;
}

}  // namespace tessel
