#include "euc_tw.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tessel::tools {
namespace {

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

std::string widen(const std::string& text) { return EucTwWidener().convert(text, true); }
std::string narrow(const std::string& text) { return EucTwNarrower().convert(text, true); }
std::size_t countTwoByte(const std::string& text) {
  TwoByteCharacterCounter counter;
  counter.count(text, true);
  return counter.found();
}

struct Case {
  const char* what;
  std::string input;
  std::string expected;
};

TEST(EucTwWidener, GivesEveryCharacterTheLibrarysFourByteForm) {
  const std::vector<Case> cases = {
      {"ASCII and line ends", "AB\r\n", "AB\r\n"},
      {"plane 1 in two bytes", bytes({0xC4, 0xE3}), bytes({0x8E, 0xA1, 0xC4, 0xE3})},
      {"plane 1 already in four bytes", bytes({0x8E, 0xA1, 0xC4, 0xE3}), bytes({0x8E, 0xA1, 0xC4, 0xE3})},
      {"plane 2", bytes({0x8E, 0xA2, 0xA1, 0xA1}), bytes({0x8E, 0xA2, 0xA1, 0xA1})},
      {"plane 7", bytes({0x8E, 0xA7, 0xFE, 0xFE}), bytes({0x8E, 0xA7, 0xFE, 0xFE})},
      {"mixed", bytes({'A', 0xC4, 0xE3, 0x8E, 0xA3, 0xA1, 0xA1, 0xFE, 0xFE, '\n'}),
       bytes({'A', 0x8E, 0xA1, 0xC4, 0xE3, 0x8E, 0xA3, 0xA1, 0xA1, 0x8E, 0xA1, 0xFE, 0xFE, '\n'})},
      // Bytes that begin no character pass on one by one, and the next byte starts afresh.
      {"code byte before ASCII", bytes({0xC4, 'A'}), bytes({0xC4, 'A'})},
      {"code byte at the end", bytes({'A', 0xC4}), bytes({'A', 0xC4})},
      {"8E before a plane-1 pair", bytes({0x8E, 0xC4, 0xE3}), bytes({0x8E, 0x8E, 0xA1, 0xC4, 0xE3})},
      {"8E cut off at the end", bytes({0x8E, 0xA2, 0xA1}), bytes({0x8E, 0x8E, 0xA1, 0xA2, 0xA1})},
      {"8E A2 then no code bytes", bytes({0x8E, 0xA2, 'A', 'B'}), bytes({0x8E, 0xA2, 'A', 'B'})},
      {"C1 controls and FF", bytes({0x80, 0xA0, 0xFF, 0xFF}), bytes({0x80, 0xA0, 0xFF, 0xFF})},
  };
  for (const Case& c : cases) EXPECT_EQ(widen(c.input), c.expected) << c.what;
}

TEST(EucTwNarrower, WritesPlaneOneInTwoBytesAndLeavesTheRest) {
  const std::vector<Case> cases = {
      {"plane 1", bytes({0x8E, 0xA1, 0xC4, 0xE3, '\r', '\n'}), bytes({0xC4, 0xE3, '\r', '\n'})},
      {"plane 2 keeps its single shift", bytes({0x8E, 0xA2, 0xA1, 0xA1}), bytes({0x8E, 0xA2, 0xA1, 0xA1})},
      {"plane 16", bytes({0x8E, 0xB0, 0xA1, 0xA1}), bytes({0x8E, 0xB0, 0xA1, 0xA1})},
      // The library's EUC substitute: each character followed by 80.
      {"substitute", bytes({'<', 0x80, '1', 0x80, '>', 0x80}), bytes({'<', 0x80, '1', 0x80, '>', 0x80})},
      {"cut off at the end", bytes({0x8E, 0xA1, 0xC4}), bytes({0x8E, 0xA1, 0xC4})},
  };
  for (const Case& c : cases) EXPECT_EQ(narrow(c.input), c.expected) << c.what;
}

// Random EUC-TW text: ASCII, plane 1 in two bytes, planes 2 to 7 in four.
std::string randomEucTw(std::mt19937& random, std::size_t characters) {
  std::uniform_int_distribution<int> kind(0, 2), code(0xA1, 0xFE), plane(0xA2, 0xA7), ascii(0x20, 0x7E);
  std::string text;
  for (std::size_t i = 0; i < characters; ++i) {
    switch (kind(random)) {
      case 0:
        text += static_cast<char>(ascii(random));
        break;
      case 1:
        text += bytes({code(random), code(random)});
        break;
      default:
        text += bytes({0x8E, plane(random), code(random), code(random)});
    }
  }
  return text;
}

TEST(EucTwForms, WideningThenNarrowingGivesTheTextBack) {
  std::mt19937 random(12);
  for (int round = 0; round < 200; ++round) {
    const std::string text = randomEucTw(random, 40);
    const std::string wide = widen(text);
    EXPECT_EQ(narrow(wide), text);
    EXPECT_EQ(countTwoByte(wide), 0u) << "the library's form holds no two-byte characters";
  }
}

// Any split of the input into blocks gives what the whole input gives, whatever the bytes.
TEST(EucTwForms, BlockBoundariesDoNotChangeTheResult) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> anyByte(0, 255), pick(0, 3);
  const int favoured[] = {0x8E, 0xA1, 0xC4};  // more sequences and near-sequences
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int length = round % 24;
    for (int i = 0; i < length; ++i)
      text += static_cast<char>(pick(random) == 0 ? anyByte(random) : favoured[pick(random) % 3]);
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
      widened += widener.convert(block, false);
      narrowed += narrower.convert(block, false);
      counter.count(block, false);
      at = end;
    }
    widened += widener.convert("", true);
    narrowed += narrower.convert("", true);
    counter.count("", true);
    EXPECT_EQ(widened, widen(text));
    EXPECT_EQ(narrowed, narrow(text));
    EXPECT_EQ(counter.found(), countTwoByte(text));
  }
}

// Long texts take the bulk loops (and the counter its 16-byte check of plain stretches): they give
// what reading the same text a byte at a time gives. Texts mostly in the library's four-byte form
// with rare other pieces, and texts that mix everything.
TEST(EucTwForms, LongTextsGiveWhatReadingAByteAtATimeGives) {
  std::mt19937 random(17);
  std::uniform_int_distribution<int> code(0xA1, 0xFE), plane(0xA0, 0xB1), anyByte(0, 255);
  for (int round = 0; round < 60; ++round) {
    const int rarity = round % 2 ? 400 : 4;  // one odd piece in `rarity`
    std::string text;
    while (text.size() < 3000) {
      const int roll = static_cast<int>(random() % static_cast<unsigned>(rarity));
      if (roll == 0) {
        text += bytes({code(random), code(random)});  // two-byte
      } else if (roll == 1) {
        text += static_cast<char>(anyByte(random));
      } else if (roll == 2) {
        text += bytes({0x8E, plane(random), code(random)});  // cut short
      } else if (random() % 40 == 0) {
        text += "\r\n";
      } else {
        text += bytes({0x8E, plane(random), code(random), code(random)});
      }
    }
    EucTwWidener widener, byteWidener;
    EucTwNarrower narrower, byteNarrower;
    TwoByteCharacterCounter counter, byteCounter;
    std::string widened, narrowed;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool last = i + 1 == text.size();
      widened += byteWidener.convert(text.substr(i, 1), last);
      narrowed += byteNarrower.convert(text.substr(i, 1), last);
      byteCounter.count(text.substr(i, 1), last);
    }
    EXPECT_EQ(widener.convert(text, true), widened) << round;
    EXPECT_EQ(narrower.convert(text, true), narrowed) << round;
    counter.count(text, true);
    EXPECT_EQ(counter.found(), byteCounter.found()) << round;
    EXPECT_EQ(widener.planesSeen(), byteWidener.planesSeen()) << round;
    EXPECT_EQ(widener.zeroWritten(), byteWidener.zeroWritten()) << round;
    EXPECT_EQ(widener.zeroWritten(), text.find('\0') != std::string::npos) << round;
  }
}

// Lines of Han text as EUC-TW holds it (plane 1 in two bytes, other planes in four, CR LF), with
// rare stray bytes: the widener with byte shuffles, the one without them and the same text read a
// byte at a time give the same bytes, planes and zero flag; so do the narrowers on the result. Four-byte characters
// keep to one plane for long stretches and then change plane, so that both the comparison with the last plane and the
// reading of plane bytes one by one are taken.
TEST(EucTwForms, LinesOfHanTextConvertAlikeWithAndWithoutShuffles) {
  std::mt19937 random(23);
  std::uniform_int_distribution<int> code(0xA1, 0xFE), plane(0xA2, 0xB0), anyByte(0, 255), column(0, 39);
  for (int round = 0; round < 40; ++round) {
    std::string text;
    int fourBytePlane = 0xA2;
    while (text.size() < 5000) {
      for (int k = 0; k < 40; ++k) {
        const auto roll = random() % 1000;
        if (roll < 2) {
          text += static_cast<char>(anyByte(random));
        } else if (roll < 5) {
          fourBytePlane = plane(random);
        } else if (roll < 400) {
          text += bytes({code(random), code(random)});
        } else {
          text += bytes({0x8E, round % 4 == 0 ? plane(random) : fourBytePlane, code(random), code(random)});
        }
      }
      text += "\r\n";
    }
    EucTwWidener shuffled(true), plain(false), byByte;
    std::string byteByByte;
    for (std::size_t i = 0; i < text.size(); ++i) byteByByte += byByte.convert(text.substr(i, 1), i + 1 == text.size());
    // In blocks cut anywhere, as a file is read.
    std::string inBlocks;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = std::min(text.size(), at + 1 + static_cast<std::size_t>(column(random)) * 37);
      inBlocks += shuffled.convert(std::string_view(text).substr(at, end - at), end == text.size());
      at = end;
    }
    EXPECT_EQ(inBlocks, byteByByte) << round;
    EXPECT_EQ(plain.convert(text, true), byteByByte) << round;
    EXPECT_EQ(shuffled.planesSeen(), byByte.planesSeen()) << round;
    EXPECT_EQ(plain.planesSeen(), byByte.planesSeen()) << round;
    EXPECT_EQ(shuffled.zeroWritten(), byByte.zeroWritten()) << round;
    EXPECT_EQ(plain.zeroWritten(), byByte.zeroWritten()) << round;

    // And back, the narrower with and without shuffles against reading a byte at a time.
    EucTwNarrower narrowShuffled(true), narrowPlain(false), narrowByByte;
    std::string narrowedByByte;
    for (std::size_t i = 0; i < byteByByte.size(); ++i)
      narrowedByByte += narrowByByte.convert(byteByByte.substr(i, 1), i + 1 == byteByByte.size());
    EXPECT_EQ(narrowShuffled.convert(byteByByte, true), narrowedByByte) << round;
    EXPECT_EQ(narrowPlain.convert(byteByByte, true), narrowedByByte) << round;
  }
}

TEST(TwoByteCharacterCounter, CountsPairsOutsideFourByteCharacters) {
  EXPECT_EQ(countTwoByte(bytes({'A', 0x8E, 0xA1, 0xC4, 0xE3, '\n'})), 0u);
  EXPECT_EQ(countTwoByte(bytes({0xC4, 0xE3, 0xC5, 0xC6, '\n', 0xA4})), 2u);
  EXPECT_EQ(countTwoByte(bytes({0x8E, 0xA2, 0xA1, 0xA1, 0xC4, 0xE3})), 1u);
}

}  // namespace
}  // namespace tessel::tools
