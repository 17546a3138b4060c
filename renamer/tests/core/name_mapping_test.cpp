#include "core/name_mapping.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

class NameMapping : public ::testing::Test {
 protected:
  void SetUp() override {
    table_.SetForward(0xF6B1, 0x2460);  // ①
    table_.SetForward(0xE024, 0x4E00);
    table_.SetReverse(0x4E00, 0xE024);
    table_.SetReverse(0x0041, 0xF6B5);  // "A" back to a private-use character
    table_.SetReverse(0xD840, 0xF6B6);  // a high surrogate on its own
  }
  RenameTable table_;
};

TEST_F(NameMapping, ForwardReplacesPrivateUseUnitsThatHaveEntries) {
  const MappedName m = MapName(u"a\uF6B1b\uE024\uF6B2.txt", table_, Direction::kPrivateToStandard);
  EXPECT_TRUE(m.changed);
  EXPECT_TRUE(m.allowed);
  EXPECT_EQ(m.name, u"a\u2460b\u4E00\uF6B2.txt");  // U+F6B2 has no entry and stays
}

TEST_F(NameMapping, ForwardLeavesEverythingOutsideThePrivateUseArea) {
  const MappedName m = MapName(u"\u4E00A\u2460.txt", table_, Direction::kPrivateToStandard);
  EXPECT_FALSE(m.changed);
  EXPECT_EQ(m.name, u"\u4E00A\u2460.txt");
  EXPECT_FALSE(MapName(u"", table_, Direction::kPrivateToStandard).changed);
}

TEST_F(NameMapping, ReverseReplacesAnyUnitWithAnEntryIncludingLoneSurrogates) {
  const MappedName m = MapName(u"\u4E00A\U00020000x", table_, Direction::kStandardToPrivate);
  EXPECT_TRUE(m.changed);
  EXPECT_EQ(m.name, u"\uE024\uF6B5\uF6B6\xDC00x");  // U+20000 is D840 DC00; only D840 has an entry
  EXPECT_EQ(m.name.size(), 5u);
  EXPECT_FALSE(m.allowed);  // the low half would be left alone: not a valid name
  EXPECT_TRUE(MapName(u"\u4E00\U00020000", table_, Direction::kPrivateToStandard).allowed);
  EXPECT_FALSE(MapName(u"\uF6B1", table_, Direction::kStandardToPrivate).changed);
}

TEST_F(NameMapping, AnEntryMappingAUnitToItselfIsNoChange) {
  table_.SetForward(0xF6B3, 0xF6B3);
  EXPECT_FALSE(MapName(u"\uF6B3", table_, Direction::kPrivateToStandard).changed);
}

TEST_F(NameMapping, ReplacementsThatNamesMayNotHoldAreRefused) {
  const char16_t forbidden[] = {u'\\', u'/',    u':',    u'*',  u'?',      u'"',      u'<',      u'>',
                                u'|',  u'\x01', u'\x1F', u'\t', u'\xD800', u'\xDBFF', u'\xDC00', u'\xDFFF'};
  for (char16_t c : forbidden) {
    RenameTable table;
    table.SetForward(0xF6B1, c);
    const MappedName m = MapName(u"a\uF6B1b", table, Direction::kPrivateToStandard);
    EXPECT_TRUE(m.changed);
    EXPECT_FALSE(m.allowed) << static_cast<int>(c);
  }
  for (char16_t c : {u'-', u'_', u'\u3000', u'\uFFFF', u'.', u' '}) {
    RenameTable table;
    table.SetForward(0xF6B1, c);
    EXPECT_TRUE(MapName(u"a\uF6B1b", table, Direction::kPrivateToStandard).allowed) << static_cast<int>(c);
  }
}

TEST_F(NameMapping, CharactersAlreadyInTheNameAreNotTheTablesDoing) {
  // Such names exist on systems that allow them; the mapping only answers for what it puts in.
  const MappedName m = MapName(u"a:b?\uF6B1", table_, Direction::kPrivateToStandard);
  EXPECT_TRUE(m.allowed);
  EXPECT_EQ(m.name, u"a:b?\u2460");
}

TEST_F(NameMapping, DotNamesAndATrailingDotOrBlankAreRefused) {
  RenameTable table;
  table.SetForward(0xF6B1, u'.');
  table.SetForward(0xF6B2, u' ');
  EXPECT_FALSE(MapName(u"\uF6B1", table, Direction::kPrivateToStandard).allowed);        // "."
  EXPECT_FALSE(MapName(u"\uF6B1\uF6B1", table, Direction::kPrivateToStandard).allowed);  // ".."
  EXPECT_FALSE(MapName(u".\uF6B1", table, Direction::kPrivateToStandard).allowed);       // ".."
  EXPECT_FALSE(MapName(u"name\uF6B1", table, Direction::kPrivateToStandard).allowed);
  EXPECT_FALSE(MapName(u"name\uF6B2", table, Direction::kPrivateToStandard).allowed);
  EXPECT_TRUE(MapName(u"\uF6B1name", table, Direction::kPrivateToStandard).allowed);
  EXPECT_TRUE(MapName(u"a\uF6B2b", table, Direction::kPrivateToStandard).allowed);
  EXPECT_FALSE(MapName(u"\uF6B1\uF6B1\uF6B1", table, Direction::kPrivateToStandard).allowed);
}

}  // namespace
}  // namespace quillon
