#include "platform/posix/utf8_names.h"

#include <gtest/gtest.h>

#include <random>

namespace quillon::posix {
namespace {

TEST(Utf8Names, ValidNamesDecodeExactly) {
  EXPECT_EQ(DecodeName("plain.txt").text, u"plain.txt");
  EXPECT_EQ(DecodeName("\xEF\x9A\xB1"
                       "a")
                .text,
            u"\uF6B1a");                                          // U+F6B1, private use
  EXPECT_EQ(DecodeName("\xE2\x91\xA0").text, u"\u2460");          // ①
  EXPECT_EQ(DecodeName("\xF0\xA0\x80\x80").text, u"\U00020000");  // a surrogate pair
  EXPECT_EQ(DecodeName("\xC3\xA9").text, u"\u00E9");
  EXPECT_TRUE(DecodeName("\xEF\x9A\xB1\xF0\xA0\x80\x80").exact);
}

TEST(Utf8Names, InvalidBytesBecomeEscapesAndTheNameIsInexact) {
  struct Case {
    const char* bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"a\xFF"
       "b",
       u"a\xDCFF"
       "b"},
      {"\xC0\x80", u"\xDCC0\xDC80"},                      // overlong NUL
      {"\xE0\x80\xAF", u"\xDCE0\xDC80\xDCAF"},            // overlong "/"
      {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},  // beyond U+10FFFF
      {"\xE2\x91", u"\xDCE2\xDC91"},                      // cut short
      {"\xB1\xE2\x91\xA0", u"\xDCB1\u2460"},              // a stray continuation byte, then a valid character
      {"\xA4\xA4\xA4\xE5", u"\xDCA4\xDCA4\xDCA4\xDCE5"},  // Big5 bytes
  };
  for (const Case& c : cases) {
    const DecodedName d = DecodeName(c.bytes);
    EXPECT_EQ(d.text, c.text) << c.bytes;
    EXPECT_FALSE(d.exact) << c.bytes;
    EXPECT_EQ(EncodePath(d.text), c.bytes);
  }
}

TEST(Utf8Names, EveryByteStringSurvivesTheRoundTrip) {
  std::mt19937 random(1234);
  std::uniform_int_distribution<int> byte(1, 255);
  std::uniform_int_distribution<int> length(0, 12);
  for (int i = 0; i < 20000; ++i) {
    std::string bytes;
    for (int n = length(random); n > 0; --n) bytes += static_cast<char>(byte(random));
    ASSERT_EQ(EncodePath(DecodeName(bytes).text), bytes);
  }
}

TEST(Utf8Names, StrictEncodingRefusesLoneSurrogates) {
  EXPECT_EQ(EncodeNameStrict(u"\u2460\U00020000"), "\xE2\x91\xA0\xF0\xA0\x80\x80");
  EXPECT_EQ(EncodeNameStrict(u"a\xD840"), std::nullopt);
  EXPECT_EQ(EncodeNameStrict(u"\xDC80"), std::nullopt);
  EXPECT_EQ(EncodeNameStrict(u"\xDC00\xD800"), std::nullopt);
  EXPECT_EQ(EncodeNameStrict(u""), "");
}

}  // namespace
}  // namespace quillon::posix
