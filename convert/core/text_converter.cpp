#include "text_converter.h"

#include <cstring>

#include "code_selector.h"
#include "substitute.h"

namespace tessel {
namespace {

// The value of a character's bytes, most significant first, up to the first zero byte.
std::uint32_t valueUpToZero(const std::uint8_t* bytes, std::size_t length) {
  if (length == 3 && bytes[0] != 0 && bytes[1] != 0 && bytes[2] != 0)
    return (static_cast<std::uint32_t>(bytes[0]) << 16) | (static_cast<std::uint32_t>(bytes[1]) << 8) | bytes[2];
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

struct SourceChar {
  std::uint8_t bytes[4] = {};
  std::uint16_t code = 0;   // the first two bytes as one number, for the table look-ups
  std::uint8_t length = 0;  // 0 at the end of the text
  std::size_t taken = 0;    // input bytes used
  bool needMore = false;
};

// One conversion loop per pair of selectors, so that the readers, look-ups and writers of the pair
// are resolved when compiling and not once per character. Big5 selector 3 runs as 2.
template <std::uint8_t S, std::uint8_t T>
class PairConverter {
 public:
  PairConverter(const CodeTables& tables, CnsCoder& coder, CharacterList* list)
      : tables_(tables), coder_(coder), list_(list) {}

  ConvertOutcome run(std::span<const std::uint8_t> text, bool textContinues, std::span<std::uint8_t> out) {
    ConvertOutcome outcome;
    std::size_t i = 0;
    std::size_t m = 0;
    while (i < text.size() && out.size() - m >= TextConverter::kMaxCharacterOutput) {
      const SourceChar c = read(text.subspan(i), textContinues);
      if (c.needMore) {
        outcome.waiting = true;
        break;
      }
      if (c.length == 0) {
        outcome.endReached = true;
        break;
      }
      i += c.taken;
      m += convertOne(c, out.data() + m);
    }
    if (i >= text.size() && !textContinues) outcome.endReached = true;
    outcome.consumed = i;
    outcome.produced = m;
    return outcome;
  }

 private:
  std::size_t convertOne(const SourceChar& c, std::uint8_t* o) {
    if (c.length == 1) return writeSingleByte(c.bytes[0], o);

    std::uint8_t converted[4] = {};
    if constexpr (S == kSelectorCns) {
      // From CNS: a character the target cannot hold is listed, then substituted.
      const std::size_t n = T == kSelectorCns ? 0 : fromCns(c.bytes, c.length, converted);
      if (n != 0) return writeCharacter(converted, n, o);
      if (list_) list_->append(std::span<const std::uint8_t>(c.bytes, c.length));
      return writeSubstitute(valueUpToZero(c.bytes, c.length), o);
    } else {
      if constexpr ((S == kSelectorBig5 && T == kSelectorUcs) || (S == kSelectorUcs && T == kSelectorBig5)) {
        // Both steps at once where both succeed; otherwise the steps below find which one fails.
        const auto composed =
            S == kSelectorBig5 ? tables_.big5ToUcsComposed(c.code) : tables_.ucsToBig5Composed(c.code);
        if (composed && c.code >= 0x80) {
          if constexpr (T == kSelectorUcs) {
            o[0] = static_cast<std::uint8_t>(*composed);
            o[1] = static_cast<std::uint8_t>(*composed >> 8);
          } else {
            o[0] = static_cast<std::uint8_t>(*composed >> 8);
            o[1] = static_cast<std::uint8_t>(*composed);
          }
          return 2;
        }
      }
      std::uint8_t cns[3] = {};
      const std::size_t n = toCns(c, cns);
      if (n == 0) return writeSubstitute(valueOf(c.bytes, c.length), o);
      if constexpr (T == kSelectorCns) {
        return writeCharacter(cns, n, o);
      } else {
        // Neither side is CNS: a plane-0 result is the single byte it stands for, and anything
        // else takes a second step from CNS to the target.
        if (n == 2) return writeSingleByte(cns[1], o);
        const std::size_t n2 = fromCns(cns, 3, converted);
        return n2 == 0 ? writeSubstitute(valueUpToZero(cns, 3), o) : writeCharacter(converted, n2, o);
      }
    }
  }

  SourceChar read(std::span<const std::uint8_t> text, bool textContinues) {
    SourceChar c;
    auto available = [&](std::size_t at) { return at < text.size() && text[at] != 0; };
    // A character cut off by the end of a text that goes on waits for the rest.
    auto waitsForMore = [&](std::size_t at) { return textContinues && at >= text.size(); };

    if constexpr (S == kSelectorCns) {
      const DecodedChar d = coder_.decode(text, textContinues);
      c.needMore = d.needMore;
      c.taken = d.taken;
      if (d.length == 3 || (d.length == 2 && d.bytes[0] != 0)) {
        c.length = d.length;
        c.bytes[0] = d.bytes[0];
        c.bytes[1] = d.bytes[1];
        c.bytes[2] = d.bytes[2];
      } else if (d.length == 2) {
        c.length = 1;
        c.bytes[0] = d.bytes[1];
      } else if (d.length == 1) {
        c.length = 1;
        c.bytes[0] = d.bytes[0];
      }
    } else if constexpr (S == kSelectorEuc) {
      if (!available(0)) return c;
      static constexpr std::uint8_t kLow[4] = {0x8E, 0xA0, 0xA1, 0xA1};
      static constexpr std::uint8_t kHigh[4] = {0x8E, 0xB0, 0xFE, 0xFE};
      std::size_t valid = 0;
      while (valid < 4 && available(valid) && text[valid] >= kLow[valid] && text[valid] <= kHigh[valid]) ++valid;
      if (valid == 4) {
        c.length = 4;
        c.bytes[1] = text[1];
        c.bytes[2] = text[2];
        c.bytes[3] = text[3];
      } else if (valid > 0 && waitsForMore(valid)) {
        c.needMore = true;
        return c;
      } else {
        c.length = 1;
      }
      c.bytes[0] = text[0];
      c.taken = c.length;
    } else if constexpr (S == kSelectorUcs) {
      if (text.size() < 2 && waitsForMore(text.size())) {
        c.needMore = true;
        return c;
      }
      // The high byte of the little-endian code unit first; past the end of the text stands its zero.
      c.bytes[0] = text.size() > 1 ? text[1] : 0;
      c.bytes[1] = text[0];
      c.code = static_cast<std::uint16_t>((c.bytes[0] << 8) | c.bytes[1]);
      c.length = 2;
      c.taken = 2;
    } else {  // Big5 and GBK
      const std::uint8_t lead = text[0];
      if (lead == 0) return c;
      c.bytes[0] = lead;
      c.length = 1;
      if (lead >= 0x80) {
        if (available(1)) {
          c.bytes[1] = text[1];
          // Formed from the text, not from `bytes`: reading back two bytes just stored stalls.
          c.code = static_cast<std::uint16_t>((lead << 8) | text[1]);
          c.length = 2;
        } else if (waitsForMore(1)) {
          c.length = 0;
          c.needMore = true;
          return c;
        }
      }
      c.taken = c.length;
    }
    return c;
  }

  std::size_t toCns(const SourceChar& c, std::uint8_t* cns) const {
    const std::uint16_t code = c.code;
    std::optional<std::uint32_t> found;
    if constexpr (S == kSelectorEuc) {
      cns[0] = static_cast<std::uint8_t>(c.bytes[1] - 0xA0);
      cns[1] = c.bytes[2] & 0x7F;
      cns[2] = c.bytes[3] & 0x7F;
      return 3;
    } else if constexpr (S == kSelectorBig5) {
      found = tables_.big5ToCns(code);
    } else {
      if (code < 0x80) {
        // Plane 0 and the byte: written as that single byte.
        cns[0] = c.bytes[0];
        cns[1] = c.bytes[1];
        return 2;
      }
      found = S == kSelectorUcs ? tables_.ucsToCns(code) : tables_.gbkToCns(code);
    }
    if (!found) return 0;
    putCns(*found, cns);
    return 3;
  }

  std::size_t fromCns(const std::uint8_t* cns, std::size_t length, std::uint8_t* out) const {
    if constexpr (T == kSelectorEuc) {
      out[0] = 0x8E;
      out[1] = static_cast<std::uint8_t>(cns[0] + 0xA0);
      out[2] = cns[1] | 0x80;
      out[3] = cns[2] | 0x80;
      return 4;
    } else {
      const std::uint32_t value = valueUpToZero(cns, length);
      std::optional<std::uint16_t> found;
      if constexpr (T == kSelectorBig5) {
        found = tables_.cnsToBig5(value);
      } else if constexpr (T == kSelectorGbk) {
        found = tables_.cnsToGbk(value);
      } else if constexpr (T == kSelectorUcs) {
        const auto unit = tables_.cnsToUcs(value);
        if (!unit) return 0;
        out[0] = static_cast<std::uint8_t>(*unit);
        out[1] = static_cast<std::uint8_t>(*unit >> 8);
        return 2;
      }
      if (!found) return 0;
      out[0] = static_cast<std::uint8_t>(*found >> 8);
      out[1] = static_cast<std::uint8_t>(*found);
      return 2;
    }
  }

  std::size_t writeSingleByte(std::uint8_t b, std::uint8_t* out) {
    if constexpr (T == kSelectorCns) return coder_.encode(0, b, 0, out);
    out[0] = b;
    if constexpr (T == kSelectorUcs) {
      out[1] = 0;
      return 2;
    }
    return 1;
  }

  std::size_t writeCharacter(const std::uint8_t* bytes, std::size_t length, std::uint8_t* out) {
    if constexpr (T == kSelectorCns) return coder_.encode(bytes[0], bytes[1], length > 2 ? bytes[2] : 0, out);
    std::memcpy(out, bytes, length);
    return length;
  }

  std::size_t writeSubstitute(std::uint32_t value, std::uint8_t* out) {
    if constexpr (T == kSelectorCns) return coder_.encode(kSubstituteCns[0], kSubstituteCns[1], kSubstituteCns[2], out);
    return writeSubstituteText(value, T, out);
  }

  const CodeTables& tables_;
  CnsCoder& coder_;
  CharacterList* list_;
};

template <std::uint8_t S>
ConvertOutcome dispatchTarget(std::uint8_t target, const CodeTables& tables, CnsCoder& coder, CharacterList* list,
                              std::span<const std::uint8_t> text, bool textContinues, std::span<std::uint8_t> out) {
  switch (target) {
    case kSelectorCns:
      return PairConverter<S, kSelectorCns>(tables, coder, list).run(text, textContinues, out);
    case kSelectorEuc:
      return PairConverter<S, kSelectorEuc>(tables, coder, list).run(text, textContinues, out);
    case kSelectorBig5:
    case kSelectorBig5Alt:
      return PairConverter<S, kSelectorBig5>(tables, coder, list).run(text, textContinues, out);
    case kSelectorUcs:
      return PairConverter<S, kSelectorUcs>(tables, coder, list).run(text, textContinues, out);
    default:
      return PairConverter<S, kSelectorGbk>(tables, coder, list).run(text, textContinues, out);
  }
}

}  // namespace

std::size_t TextConverter::writeSingleByte(std::uint8_t target, std::uint8_t byte, std::uint8_t* out) {
  if (target == kSelectorCns) return coder_.encode(0, byte, 0, out);
  out[0] = byte;
  if (target == kSelectorUcs) {
    out[1] = 0;
    return 2;
  }
  return 1;
}

ConvertOutcome TextConverter::convert(std::uint8_t source, std::uint8_t target, std::span<const std::uint8_t> text,
                                      bool textContinues, std::span<std::uint8_t> out) {
  switch (source) {
    case kSelectorCns:
      return dispatchTarget<kSelectorCns>(target, tables_, coder_, list_, text, textContinues, out);
    case kSelectorEuc:
      return dispatchTarget<kSelectorEuc>(target, tables_, coder_, list_, text, textContinues, out);
    case kSelectorBig5:
    case kSelectorBig5Alt:
      return dispatchTarget<kSelectorBig5>(target, tables_, coder_, list_, text, textContinues, out);
    case kSelectorUcs:
      return dispatchTarget<kSelectorUcs>(target, tables_, coder_, list_, text, textContinues, out);
    default:
      return dispatchTarget<kSelectorGbk>(target, tables_, coder_, list_, text, textContinues, out);
  }
}

}  // namespace tessel
