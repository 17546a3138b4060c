// The converter's common road (the tables' direct arrays, the seven-bit reader with its state in
// locals, single shifts read without a branch) gives exactly what the character-by-character road
// gives: the same bytes, character-list rows and seven-bit state. Indexed tables take the common
// road; the same tables scanning their records take the other. Every pair, on text of every code
// and on random text, whole and cut into pieces at random with random output room.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "code_selector.h"
#include "table_builder.h"
#include "text_converter.h"

namespace tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct RecordingList : CharacterList {
  std::vector<Bytes> entries;
  void append(std::span<const std::uint8_t> cns) override { entries.emplace_back(cns.begin(), cns.end()); }
};

struct Converted {
  Bytes bytes;
  Iso2022CnsState state;
  std::vector<Bytes> listed;
  friend bool operator==(const Converted&, const Converted&) = default;
};

// The text as one: a zero byte ends what the readers see and is written as a single byte, as the
// file conversion does.
Converted ConvertWhole(const CodeTables& tables, std::uint8_t s, std::uint8_t t, const Bytes& text) {
  CnsCoder coder;
  RecordingList list;
  TextConverter converter(tables, coder, &list);
  Bytes out(16 * text.size() + 64);
  std::size_t at = 0;
  std::size_t m = 0;
  while (at < text.size()) {
    const ConvertOutcome o = converter.Convert(s, t, std::span(text).subspan(at), false, std::span(out).subspan(m));
    at += o.consumed;
    m += o.produced;
    if (o.end_reached && at < text.size()) m += converter.WriteSingleByte(t, text[at++], out.data() + m);
  }
  out.resize(m);
  return {out, coder.State(), list.entries};
}

// The text handed over in random pieces (what a piece leaves waits for the next), into output of
// random room, as the file conversion hands over blocks.
Converted ConvertInPieces(const CodeTables& tables, std::uint8_t s, std::uint8_t t, const Bytes& text,
                          std::mt19937& random, std::uint32_t longest_piece = 9) {
  CnsCoder coder;
  RecordingList list;
  TextConverter converter(tables, coder, &list);
  Bytes out;
  std::size_t at = 0;    // start of what waits
  std::size_t seen = 0;  // end of what was handed over
  while (at < text.size()) {
    seen = std::min(text.size(), std::max(seen, at) + 1 + random() % longest_piece);
    const bool final = seen == text.size();
    for (;;) {
      Bytes room(TextConverter::kMaxCharacterOutput + random() % 24);
      const ConvertOutcome o = converter.Convert(s, t, std::span(text).subspan(at, seen - at), !final, std::span(room));
      out.insert(out.end(), room.begin(), room.begin() + static_cast<std::ptrdiff_t>(o.produced));
      at = std::min(text.size(), at + o.consumed);
      if (o.waiting || at >= seen) break;
      if (o.end_reached) {
        Bytes single(2);
        single.resize(converter.WriteSingleByte(t, text[at++], single.data()));
        out.insert(out.end(), single.begin(), single.end());
      }
    }
    if (final && at >= seen) break;
  }
  return {out, coder.State(), list.entries};
}

// Every pair of distinct encodings the pair check lets through (Big5 selector 3 reads as 2).
std::vector<std::pair<std::uint8_t, std::uint8_t>> EveryPair() {
  std::vector<std::pair<std::uint8_t, std::uint8_t>> pairs;
  const std::uint8_t selectors[] = {kSelectorCns, kSelectorEuc, kSelectorBig5, kSelectorUcs, kSelectorGbk};
  for (std::uint8_t s : selectors)
    for (std::uint8_t t : selectors)
      if (s != t && CheckSelectorPair(s, t) == kResultOk) pairs.emplace_back(s, t);
  return pairs;
}

// Text holding every character the source can hold, and characters around them.
Bytes EveryCode(std::uint8_t source) {
  Bytes text;
  switch (source) {
    case kSelectorCns:
      // Every plane designated to G3 in turn, and its rows that the random tables use, shifted out
      // and through single shifts; then bytes outside 0x21 to 0x7E as character bytes.
      for (std::uint8_t plane = 1; plane <= 16; ++plane) {
        text.insert(text.end(), {0x1B, 0x24, 0x2B, static_cast<std::uint8_t>(0x46 + plane), 0x0E});
        for (std::uint8_t first = 0x21; first <= 0x29; ++first)
          for (std::uint8_t second = 0x21; second <= 0x7E; ++second)
            text.insert(text.end(), {0x1B, static_cast<std::uint8_t>(second % 3 ? 0x4E : 0x4F), first, second});
        text.insert(text.end(), {0x0F, 0x0D, 0x0A});
      }
      text.push_back(0x0E);
      for (int b = 0x01; b <= 0xFF; ++b)
        text.insert(text.end(), {0x44, static_cast<std::uint8_t>(b), 0x0F, 0x41, 0x0E});
      break;
    case kSelectorEuc:
      for (int plane = 0; plane <= 17; ++plane)
        for (int first = 0xA1; first <= 0xA9; ++first)
          for (int second = 0xA0; second <= 0xFF; ++second)
            text.insert(text.end(), {0x8E, static_cast<std::uint8_t>(0xA0 + plane), static_cast<std::uint8_t>(first),
                                     static_cast<std::uint8_t>(second)});
      break;
    case kSelectorUcs:
      for (std::uint32_t unit = 1; unit <= 0xFFFF; ++unit) {
        text.push_back(static_cast<std::uint8_t>(unit));
        text.push_back(static_cast<std::uint8_t>(unit >> 8));
      }
      break;
    default:  // Big5 and GBK: every lead byte with every trail byte, and single bytes between
      for (int lead = 0x80; lead <= 0xFF; ++lead)
        for (int trail = 0x01; trail <= 0xFF; ++trail)
          text.insert(text.end(), {static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail),
                                   static_cast<std::uint8_t>(trail % 7 ? 0x41 : 0x0A)});
  }
  return text;
}

// Random text in the source's form with odd bytes among the characters: shifts, escape sequences
// whole and broken, 0A in every place, zero bytes, lone lead bytes.
Bytes RandomText(std::uint8_t source, std::mt19937& random, std::size_t pieces) {
  Bytes text;
  auto pick = [&](std::initializer_list<std::uint8_t> bytes) { return *(bytes.begin() + random() % bytes.size()); };
  auto character = [&] { return static_cast<std::uint8_t>(0x21 + random() % (random() % 4 ? 8 : 94)); };
  for (std::size_t i = 0; i < pieces; ++i) {
    const std::uint32_t kind = random() % 16;
    if (kind == 0) {
      text.push_back(static_cast<std::uint8_t>(random()));
      continue;
    }
    if (kind == 1) {
      text.push_back(pick({0x0A, 0x0D, 0x00, 0x41}));
      continue;
    }
    switch (source) {
      case kSelectorCns:
        switch (kind % 7) {
          case 2:
            text.push_back(pick({0x0E, 0x0F}));
            break;
          case 3:
            text.insert(text.end(), {0x1B, pick({0x4E, 0x4F, 0x6E, 0x6F, 0x24, 0x41})});
            break;
          case 4:
            text.insert(text.end(),
                        {0x1B, 0x24, pick({0x29, 0x2A, 0x2B, 0x28}), static_cast<std::uint8_t>(0x46 + random() % 18)});
            break;
          default:
            text.insert(text.end(), {character(), character()});
        }
        break;
      case kSelectorEuc:
        if (kind % 5 == 2) {
          text.insert(text.end(), {0xA4, 0xA1});  // a two-byte character, read as single bytes
        } else {
          text.insert(text.end(), {0x8E, static_cast<std::uint8_t>(0xA0 + random() % 18),
                                   static_cast<std::uint8_t>(character() | 0x80),
                                   static_cast<std::uint8_t>(random() % 9 ? character() | 0x80 : 0x0A)});
        }
        break;
      case kSelectorUcs:
        text.push_back(static_cast<std::uint8_t>(random() % 3 ? random() : 0x0A));
        text.push_back(static_cast<std::uint8_t>(random() % 3 ? 0x4E + random() % 6 : random() % 2));
        break;
      default:
        text.push_back(static_cast<std::uint8_t>(random() % 5 ? 0xA1 + random() % 6 : 0xFA));
        text.push_back(static_cast<std::uint8_t>(random() % 9 ? random() : 0x0A));
    }
  }
  return text;
}

TEST(CommonRoad, EveryCodeConvertsAsCharacterByCharacter) {
  std::mt19937 engine(3);
  for (std::uint16_t status : {std::uint16_t{0}, std::uint16_t{TS_USER_EUDC}}) {
    const CodeTables indexed = testing::RandomTables(engine, status, 600);
    const CodeTables scanned = testing::ScanningCopy(indexed);
    for (const auto& [s, t] : EveryPair()) {
      const Bytes text = EveryCode(s);
      ASSERT_TRUE(ConvertWhole(indexed, s, t, text) == ConvertWhole(scanned, s, t, text))
          << "pair " << int(s) << "->" << int(t) << " status " << status;
    }
  }
}

TEST(CommonRoad, RandomTextWholeAndInPiecesConvertsAsCharacterByCharacter) {
  std::mt19937 engine(5);
  const CodeTables indexed = testing::RandomTables(engine, TS_USER_EUDC);
  const CodeTables scanned = testing::ScanningCopy(indexed);
  for (int round = 0; round < 60; ++round) {
    for (const auto& [s, t] : EveryPair()) {
      const Bytes text = RandomText(s, engine, 20 + engine() % 300);
      const Converted expected = ConvertWhole(scanned, s, t, text);
      ASSERT_TRUE(ConvertWhole(indexed, s, t, text) == expected) << "pair " << int(s) << "->" << int(t);
      ASSERT_TRUE(ConvertInPieces(indexed, s, t, text, engine) == expected)
          << "pair " << int(s) << "->" << int(t) << " in pieces, round " << round;
    }
  }
}

// The CNS values of planes 1 to 16 that target `t` has a code for.
std::vector<std::uint32_t> AnsweredCharacters(const CodeTables& tables, std::uint8_t t) {
  std::vector<std::uint32_t> answered;
  for (std::uint32_t plane = 1; plane <= 16; ++plane)
    for (std::uint32_t first = 0x21; first <= 0x7E; ++first)
      for (std::uint32_t second = 0x21; second <= 0x7E; ++second) {
        const std::uint32_t cns = plane << 16 | first << 8 | second;
        const bool answers = t == kSelectorBig5  ? tables.CnsToBig5(cns).has_value()
                             : t == kSelectorUcs ? tables.CnsToUcs(cns).has_value()
                                                 : tables.CnsToGbk(cns).has_value();
        if (answers) answered.push_back(cns);
      }
  return answered;
}

// EUC text mostly of characters the target's array answers, in long runs (which the road takes
// eight or four at a time), broken now and then by any character of planes 1 to 16, a line end or
// any byte.
TEST(CommonRoad, EucRunsOfAnsweredCharactersConvertAsCharacterByCharacter) {
  std::mt19937 engine(9);
  const CodeTables indexed = testing::RandomTables(engine, TS_USER_EUDC);
  const CodeTables scanned = testing::ScanningCopy(indexed);
  for (const std::uint8_t t : {kSelectorBig5, kSelectorUcs, kSelectorGbk}) {
    const std::vector<std::uint32_t> answered = AnsweredCharacters(indexed, t);
    ASSERT_GT(answered.size(), 100u) << int(t);
    for (int round = 0; round < 20; ++round) {
      Bytes text;
      while (text.size() < 4000) {
        const auto roll = static_cast<std::uint32_t>(engine() % 60);
        if (roll == 0) {
          text.insert(text.end(), {0x0D, 0x0A});
          continue;
        }
        if (roll == 1) {
          text.push_back(static_cast<std::uint8_t>(engine()));
          continue;
        }
        const std::uint32_t cns = roll == 2
                                      ? static_cast<std::uint32_t>((1 + engine() % 16) << 16 |
                                                                   (0x21 + engine() % 94) << 8 | (0x21 + engine() % 94))
                                      : answered[engine() % answered.size()];
        text.insert(text.end(), {0x8E, static_cast<std::uint8_t>(0xA0 + (cns >> 16)),
                                 static_cast<std::uint8_t>((cns >> 8) | 0x80), static_cast<std::uint8_t>(cns | 0x80)});
      }
      const Converted expected = ConvertWhole(scanned, kSelectorEuc, t, text);
      ASSERT_TRUE(ConvertWhole(indexed, kSelectorEuc, t, text) == expected) << int(t) << " round " << round;
      ASSERT_TRUE(ConvertInPieces(indexed, kSelectorEuc, t, text, engine) == expected)
          << int(t) << " in pieces, round " << round;
    }
  }
}

// UCS-2 text mostly of units with a Big5 code (or a CNS character, for EUC), in long runs (which
// the road takes eight at a time), broken now and then by any unit, a line end or a zero unit.
TEST(CommonRoad, UcsRunsOfAnsweredUnitsConvertAsCharacterByCharacter) {
  std::mt19937 engine(13);
  const CodeTables indexed = testing::RandomTables(engine, TS_USER_EUDC);
  const CodeTables scanned = testing::ScanningCopy(indexed);
  for (const std::uint8_t t : {kSelectorBig5, kSelectorEuc}) {
    std::vector<std::uint16_t> answered;
    for (std::uint32_t unit = 0x80; unit <= 0xFFFF; ++unit) {
      const auto u = static_cast<std::uint16_t>(unit);
      if (t == kSelectorBig5 ? indexed.UcsToBig5Composed(u).has_value() : indexed.UcsToCns(u).has_value())
        answered.push_back(u);
    }
    ASSERT_GT(answered.size(), 100u) << int(t);
    for (int round = 0; round < 20; ++round) {
      Bytes text;
      auto put = [&](std::uint32_t unit) {
        text.insert(text.end(), {static_cast<std::uint8_t>(unit), static_cast<std::uint8_t>(unit >> 8)});
      };
      while (text.size() < 4000) {
        const auto roll = static_cast<std::uint32_t>(engine() % 60);
        if (roll == 0) {
          put(0x0D);
          put(0x0A);
        } else if (roll == 1) {
          put(static_cast<std::uint32_t>(engine()) & 0xFFFF);
        } else if (roll == 2) {
          put(0);
        } else {
          put(answered[engine() % answered.size()]);
        }
      }
      const Converted expected = ConvertWhole(scanned, kSelectorUcs, t, text);
      ASSERT_TRUE(ConvertWhole(indexed, kSelectorUcs, t, text) == expected) << int(t) << " round " << round;
      ASSERT_TRUE(ConvertInPieces(indexed, kSelectorUcs, t, text, engine, 80) == expected)
          << int(t) << " in pieces, round " << round;
    }
  }
}

// Seven-bit text as the encoder writes it (shifts, single shifts to G2 and G3, G3 designated
// again and again, SI CR LF SO at line ends), mostly of characters the target answers, which the
// road reads sixteen bytes at a time. Now and then a character it does not answer, a locking
// shift, any byte, a zero byte after SO (which makes that SO a byte of its own) or an SO or a
// single shift at the text's very end.
TEST(CommonRoad, SevenBitRunsOfAnsweredCharactersConvertAsCharacterByCharacter) {
  std::mt19937 engine(11);
  const CodeTables indexed = testing::RandomTables(engine, TS_USER_EUDC);
  const CodeTables scanned = testing::ScanningCopy(indexed);
  for (const std::uint8_t t : {kSelectorBig5, kSelectorUcs, kSelectorGbk}) {
    const std::vector<std::uint32_t> answered = AnsweredCharacters(indexed, t);
    ASSERT_GT(answered.size(), 100u) << int(t);
    // Mostly the first two planes, as text has them.
    std::vector<std::uint32_t> common;
    for (const std::uint32_t cns : answered)
      if (cns >> 16 <= 2) common.push_back(cns);
    ASSERT_GT(common.size(), 20u) << int(t);
    // A text whose last sixteen bytes are single shifts and characters, so that its last
    // character, which came after a single shift, is read with them and sets the final state.
    const auto plane_one = std::find_if(common.begin(), common.end(), [](std::uint32_t c) { return c >> 16 == 1; });
    const auto plane_two = std::find_if(common.begin(), common.end(), [](std::uint32_t c) { return c >> 16 == 2; });
    ASSERT_TRUE(plane_one != common.end() && plane_two != common.end()) << int(t);
    Bytes ending{0x0E, static_cast<std::uint8_t>(*plane_one >> 8), static_cast<std::uint8_t>(*plane_one)};
    for (int k = 0; k < 4; ++k)
      ending.insert(ending.end(),
                    {0x1B, 0x4E, static_cast<std::uint8_t>(*plane_two >> 8), static_cast<std::uint8_t>(*plane_two)});
    ASSERT_TRUE(ConvertWhole(indexed, kSelectorCns, t, ending) == ConvertWhole(scanned, kSelectorCns, t, ending))
        << int(t);
    for (int round = 0; round < 30; ++round) {
      CnsCoder encoder;
      Bytes text;
      std::uint8_t written[CnsCoder::kMaxEncodedLength];
      auto encode = [&](std::uint32_t cns) {
        const std::size_t n = encoder.Encode(static_cast<std::uint8_t>(cns >> 16), static_cast<std::uint8_t>(cns >> 8),
                                             static_cast<std::uint8_t>(cns), written);
        text.insert(text.end(), written, written + n);
      };
      auto encode_byte = [&](std::uint8_t byte) {
        text.insert(text.end(), written, written + encoder.Encode(0, byte, 0, written));
      };
      while (text.size() < 4000) {
        const auto roll = static_cast<std::uint32_t>(engine() % 200);
        if (roll < 4) {  // a line end
          encode_byte(0x0D);
          encode_byte(0x0A);
        } else if (roll == 4) {
          encode(static_cast<std::uint32_t>((1 + engine() % 16) << 16 | (0x21 + engine() % 94) << 8 |
                                            (0x21 + engine() % 94)));
        } else if (roll == 5) {
          text.insert(text.end(), {0x1B, static_cast<std::uint8_t>(0x6E + engine() % 2)});
        } else if (roll == 6) {
          text.push_back(static_cast<std::uint8_t>(engine()));
        } else if (roll == 7) {
          text.insert(text.end(), {0x0E, 0x00});
        } else {
          encode(roll < 40 ? answered[engine() % answered.size()] : common[engine() % common.size()]);
        }
      }
      if (round % 3 == 1) text.push_back(0x0E);
      if (round % 3 == 2) text.insert(text.end(), {0x1B, 0x4E});
      const Converted expected = ConvertWhole(scanned, kSelectorCns, t, text);
      ASSERT_TRUE(ConvertWhole(indexed, kSelectorCns, t, text) == expected) << int(t) << " round " << round;
      ASSERT_TRUE(ConvertInPieces(indexed, kSelectorCns, t, text, engine, 80) == expected)
          << int(t) << " in pieces, round " << round;
    }
  }
}

}  // namespace
}  // namespace tessel
