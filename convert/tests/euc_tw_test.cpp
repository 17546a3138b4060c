#include "euc_tw.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tessel::tools {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

std::string Widen(const std::string& text) { return EucTwWidener().Convert(text, true); }
std::string Narrow(const std::string& text) { return EucTwNarrower().Convert(text, true); }
std::size_t CountTwoByte(const std::string& text) {
  TwoByteCharacterCounter counter;
  counter.Count(text, true);
  return counter.Found();
}

struct Case {
  const char* what;
  std::string input;
  std::string expected;
};

TEST(EucTwWidener, GivesEveryCharacterTheLibrarysFourByteForm) {
  const std::vector<Case> cases = {
      {"ASCII and line ends", "AB\r\n", "AB\r\n"},
      {"plane 1 in two bytes", Bytes({0xC4, 0xE3}), Bytes({0x8E, 0xA1, 0xC4, 0xE3})},
      {"plane 1 already in four bytes", Bytes({0x8E, 0xA1, 0xC4, 0xE3}), Bytes({0x8E, 0xA1, 0xC4, 0xE3})},
      {"plane 2", Bytes({0x8E, 0xA2, 0xA1, 0xA1}), Bytes({0x8E, 0xA2, 0xA1, 0xA1})},
      {"plane 7", Bytes({0x8E, 0xA7, 0xFE, 0xFE}), Bytes({0x8E, 0xA7, 0xFE, 0xFE})},
      {"mixed", Bytes({'A', 0xC4, 0xE3, 0x8E, 0xA3, 0xA1, 0xA1, 0xFE, 0xFE, '\n'}),
       Bytes({'A', 0x8E, 0xA1, 0xC4, 0xE3, 0x8E, 0xA3, 0xA1, 0xA1, 0x8E, 0xA1, 0xFE, 0xFE, '\n'})},
      // Bytes that begin no character pass on one by one, and the next byte starts afresh.
      {"code byte before ASCII", Bytes({0xC4, 'A'}), Bytes({0xC4, 'A'})},
      {"code byte at the end", Bytes({'A', 0xC4}), Bytes({'A', 0xC4})},
      {"8E before a plane-1 pair", Bytes({0x8E, 0xC4, 0xE3}), Bytes({0x8E, 0x8E, 0xA1, 0xC4, 0xE3})},
      {"8E cut off at the end", Bytes({0x8E, 0xA2, 0xA1}), Bytes({0x8E, 0x8E, 0xA1, 0xA2, 0xA1})},
      {"8E A2 then no code bytes", Bytes({0x8E, 0xA2, 'A', 'B'}), Bytes({0x8E, 0xA2, 'A', 'B'})},
      {"C1 controls and FF", Bytes({0x80, 0xA0, 0xFF, 0xFF}), Bytes({0x80, 0xA0, 0xFF, 0xFF})},
  };
  for (const Case& c : cases) EXPECT_EQ(Widen(c.input), c.expected) << c.what;
}

TEST(EucTwNarrower, WritesPlaneOneInTwoBytesAndLeavesTheRest) {
  const std::vector<Case> cases = {
      {"plane 1", Bytes({0x8E, 0xA1, 0xC4, 0xE3, '\r', '\n'}), Bytes({0xC4, 0xE3, '\r', '\n'})},
      {"plane 2 keeps its single shift", Bytes({0x8E, 0xA2, 0xA1, 0xA1}), Bytes({0x8E, 0xA2, 0xA1, 0xA1})},
      {"plane 16", Bytes({0x8E, 0xB0, 0xA1, 0xA1}), Bytes({0x8E, 0xB0, 0xA1, 0xA1})},
      // The library's EUC substitute: each character followed by 80.
      {"substitute", Bytes({'<', 0x80, '1', 0x80, '>', 0x80}), Bytes({'<', 0x80, '1', 0x80, '>', 0x80})},
      {"cut off at the end", Bytes({0x8E, 0xA1, 0xC4}), Bytes({0x8E, 0xA1, 0xC4})},
  };
  for (const Case& c : cases) EXPECT_EQ(Narrow(c.input), c.expected) << c.what;
}

// Random EUC-TW text: ASCII, plane 1 in two bytes, planes 2 to 7 in four.
std::string RandomEucTw(std::mt19937& random, std::size_t characters) {
  std::uniform_int_distribution<int> kind(0, 2), code(0xA1, 0xFE), plane(0xA2, 0xA7), ascii(0x20, 0x7E);
  std::string text;
  for (std::size_t i = 0; i < characters; ++i) {
    switch (kind(random)) {
      case 0:
        text += static_cast<char>(ascii(random));
        break;
      case 1:
        text += Bytes({code(random), code(random)});
        break;
      default:
        text += Bytes({0x8E, plane(random), code(random), code(random)});
    }
  }
  return text;
}

TEST(EucTwForms, WideningThenNarrowingGivesTheTextBack) {
  std::mt19937 random(12);
  for (int round = 0; round < 200; ++round) {
    const std::string text = RandomEucTw(random, 40);
    const std::string wide = Widen(text);
    EXPECT_EQ(Narrow(wide), text);
    EXPECT_EQ(CountTwoByte(wide), 0u) << "the library's form holds no two-byte characters";
  }
}

// Any split of the input into blocks gives what the whole input gives, whatever the bytes.
TEST(EucTwForms, BlockBoundariesDoNotChangeTheResult) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> any_byte(0, 255), pick(0, 3);
  const int favoured[] = {0x8E, 0xA1, 0xC4};  // more sequences and near-sequences
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int length = round % 24;
    for (int i = 0; i < length; ++i)
      text += static_cast<char>(pick(random) == 0 ? any_byte(random) : favoured[pick(random) % 3]);
    std::uniform_int_distribution<int> cut(0, length);
    const auto first = static_cast<std::size_t>(cut(random));
    const auto second = std::max(first, static_cast<std::size_t>(cut(random)));

    EucTwWidener widener;
    EucTwNarrower narrower;
    TwoByteCharacterCounter counter;
    std::string widened, narrowed;
    std::size_t at = 0;
    for (std::size_t end : {first, second, text.size()}) {
      const std::string block = text.substr(at, end - at);
      widened += widener.Convert(block, false);
      narrowed += narrower.Convert(block, false);
      counter.Count(block, false);
      at = end;
    }
    widened += widener.Convert("", true);
    narrowed += narrower.Convert("", true);
    counter.Count("", true);
    EXPECT_EQ(widened, Widen(text));
    EXPECT_EQ(narrowed, Narrow(text));
    EXPECT_EQ(counter.Found(), CountTwoByte(text));
  }
}

// Long texts take the bulk loops (and the counter its 16-byte check of plain stretches): they give
// what reading the same text a byte at a time gives. Texts mostly in the library's four-byte form
// with rare other pieces, and texts that mix everything.
TEST(EucTwForms, LongTextsGiveWhatReadingAByteAtATimeGives) {
  std::mt19937 random(17);
  std::uniform_int_distribution<int> code(0xA1, 0xFE), plane(0xA0, 0xB1), any_byte(0, 255);
  for (int round = 0; round < 60; ++round) {
    const int rarity = round % 2 ? 400 : 4;  // one odd piece in `rarity`
    std::string text;
    while (text.size() < 3000) {
      const int roll = static_cast<int>(random() % static_cast<unsigned>(rarity));
      if (roll == 0) {
        text += Bytes({code(random), code(random)});  // two-byte
      } else if (roll == 1) {
        text += static_cast<char>(any_byte(random));
      } else if (roll == 2) {
        text += Bytes({0x8E, plane(random), code(random)});  // cut short
      } else if (random() % 40 == 0) {
        text += "\r\n";
      } else {
        text += Bytes({0x8E, plane(random), code(random), code(random)});
      }
    }
    EucTwWidener widener, byte_widener;
    EucTwNarrower narrower, byte_narrower;
    TwoByteCharacterCounter counter, byte_counter;
    std::string widened, narrowed;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool last = i + 1 == text.size();
      widened += byte_widener.Convert(text.substr(i, 1), last);
      narrowed += byte_narrower.Convert(text.substr(i, 1), last);
      byte_counter.Count(text.substr(i, 1), last);
    }
    EXPECT_EQ(widener.Convert(text, true), widened) << round;
    EXPECT_EQ(narrower.Convert(text, true), narrowed) << round;
    counter.Count(text, true);
    EXPECT_EQ(counter.Found(), byte_counter.Found()) << round;
    EXPECT_EQ(widener.PlanesSeen(), byte_widener.PlanesSeen()) << round;
    EXPECT_EQ(widener.ZeroWritten(), byte_widener.ZeroWritten()) << round;
    EXPECT_EQ(widener.ZeroWritten(), text.find('\0') != std::string::npos) << round;
  }
}

// Lines of Han text as EUC-TW holds it (plane 1 in two bytes, other planes in four, CR LF), with
// rare stray bytes: the widener with byte shuffles, the one without them and the same text read a
// byte at a time give the same bytes, planes and zero flag; so do the narrowers on the result. Four-byte characters
// keep to one plane for long stretches and then change plane, so that both the comparison with the last plane and the
// reading of plane bytes one by one are taken.
TEST(EucTwForms, LinesOfHanTextConvertAlikeWithAndWithoutShuffles) {
  std::mt19937 random(23);
  std::uniform_int_distribution<int> code(0xA1, 0xFE), plane(0xA2, 0xB0), any_byte(0, 255), column(0, 39);
  for (int round = 0; round < 40; ++round) {
    std::string text;
    int four_byte_plane = 0xA2;
    while (text.size() < 5000) {
      for (int k = 0; k < 40; ++k) {
        const auto roll = random() % 1000;
        if (roll < 2) {
          text += static_cast<char>(any_byte(random));
        } else if (roll < 5) {
          four_byte_plane = plane(random);
        } else if (roll < 400) {
          text += Bytes({code(random), code(random)});
        } else {
          text += Bytes({0x8E, round % 4 == 0 ? plane(random) : four_byte_plane, code(random), code(random)});
        }
      }
      text += "\r\n";
    }
    EucTwWidener shuffled(true), plain(false), by_byte;
    std::string byte_by_byte;
    for (std::size_t i = 0; i < text.size(); ++i)
      byte_by_byte += by_byte.Convert(text.substr(i, 1), i + 1 == text.size());
    // In blocks cut anywhere, as a file is read.
    std::string in_blocks;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = std::min(text.size(), at + 1 + static_cast<std::size_t>(column(random)) * 37);
      in_blocks += shuffled.Convert(std::string_view(text).substr(at, end - at), end == text.size());
      at = end;
    }
    EXPECT_EQ(in_blocks, byte_by_byte) << round;
    EXPECT_EQ(plain.Convert(text, true), byte_by_byte) << round;
    EXPECT_EQ(shuffled.PlanesSeen(), by_byte.PlanesSeen()) << round;
    EXPECT_EQ(plain.PlanesSeen(), by_byte.PlanesSeen()) << round;
    EXPECT_EQ(shuffled.ZeroWritten(), by_byte.ZeroWritten()) << round;
    EXPECT_EQ(plain.ZeroWritten(), by_byte.ZeroWritten()) << round;

    // And back, the narrower with and without shuffles against reading a byte at a time.
    EucTwNarrower narrow_shuffled(true), narrow_plain(false), narrow_by_byte;
    std::string narrowed_by_byte;
    for (std::size_t i = 0; i < byte_by_byte.size(); ++i)
      narrowed_by_byte += narrow_by_byte.Convert(byte_by_byte.substr(i, 1), i + 1 == byte_by_byte.size());
    EXPECT_EQ(narrow_shuffled.Convert(byte_by_byte, true), narrowed_by_byte) << round;
    EXPECT_EQ(narrow_plain.Convert(byte_by_byte, true), narrowed_by_byte) << round;
  }
}

// One four-byte character of a plane used nowhere else, or an 8E and plane byte followed by no
// code bytes, at every place among two-byte characters, so that it also falls across the end of
// each block the widener reads at once: the bytes and the planes seen are what reading a byte at
// a time gives.
TEST(EucTwWidener, AFourByteCharacterAnywhereAmongTwoByteOnes) {
  for (const std::string& odd :
       {Bytes({0x8E, 0xA5, 0xC1, 0xD2}), Bytes({0x8E, 0xA5, 0x41, 0xC1}), Bytes({0x8E, 0xA5, 0xC1, 0x0D})}) {
    for (std::size_t before = 0; before < 70; ++before) {
      std::string text;
      for (std::size_t k = 0; k < before; ++k) text += Bytes({0xA4, static_cast<int>(0xA1 + k % 90)});
      text += odd;
      for (std::size_t k = 0; k < 40; ++k) text += Bytes({0xB0, 0xA1});
      EucTwWidener widener, by_byte;
      std::string byte_by_byte;
      for (std::size_t i = 0; i < text.size(); ++i)
        byte_by_byte += by_byte.Convert(text.substr(i, 1), i + 1 == text.size());
      EXPECT_EQ(widener.Convert(text, true), byte_by_byte) << before;
      EXPECT_EQ(widener.PlanesSeen(), by_byte.PlanesSeen()) << before;
    }
  }
}

TEST(TwoByteCharacterCounter, CountsPairsOutsideFourByteCharacters) {
  EXPECT_EQ(CountTwoByte(Bytes({'A', 0x8E, 0xA1, 0xC4, 0xE3, '\n'})), 0u);
  EXPECT_EQ(CountTwoByte(Bytes({0xC4, 0xE3, 0xC5, 0xC6, '\n', 0xA4})), 2u);
  EXPECT_EQ(CountTwoByte(Bytes({0x8E, 0xA2, 0xA1, 0xA1, 0xC4, 0xE3})), 1u);
}

}  // namespace
}  // namespace tessel::tools
