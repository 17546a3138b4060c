#include "core/root_dictionary.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/known_input_methods.h"
#include "tests/support/fake_ports.h"
#include "tools/fixtures/dictionary_builder.h"

namespace pictor {
namespace {

using testsupport::DictionaryBuilder;
using testsupport::DictionaryForm;
using testsupport::EntryCode;

constexpr auto kNt = PlatformFamily::kWindowsNT;
constexpr auto k9x = PlatformFamily::kWindows9x;

// Roots of ㄅ　ㄚˋ, ㄆ　ㄛˊ and ㄅ　ㄚ (no tone).
constexpr std::initializer_list<std::uint8_t> kBaFourth = {1, 0, 25, 41};
constexpr std::initializer_list<std::uint8_t> kPoSecond = {2, 0, 26, 39};
constexpr std::initializer_list<std::uint8_t> kBaUntoned = {1, 0, 25, 0};

constexpr std::string_view kBaFourthText = "\xa3\x74\xa1\x40\xa3\xab\xa3\xbf";   // ㄅ　ㄚˋ
constexpr std::string_view kPoSecondText = "\xa3\x75\xa1\x40\xa3\xac\xa3\xbd";   // ㄆ　ㄛˊ
constexpr std::string_view kBaUntonedText = "\xa3\x74\xa1\x40\xa3\xab\xa1\x40";  // ㄅ　ㄚ　

class RootDictionaryTest : public ::testing::Test {
 protected:
  std::string Lookup(std::uint16_t code, std::uint32_t hkl) const {
    return std::string(LookupRoots(*tables_, code, hkl).View());
  }
  void Read(const DictionaryBuilder& builder, PlatformFamily family, std::uint32_t hkl) {
    const auto bytes = builder.Build();
    ReadRootDictionary(*tables_, bytes, family, hkl);
  }

  std::unique_ptr<RootTables> tables_ = std::make_unique<RootTables>();
};

TEST_F(RootDictionaryTest, TwoToneReadingsAreJoinedByAFullWidthSpace) {
  for (const PlatformFamily family : {kNt, k9x}) {
    DictionaryBuilder file(DictionaryForm::kPhonetic);
    file.Add(EntryCode(family, 0xFA40), kBaFourth).Add(EntryCode(family, 0xFA40), kPoSecond);
    Read(file, family, kPhoneticHkl);
    const std::string text = Lookup(0xFA40, kPhoneticHkl);
    EXPECT_EQ(text, "\xa3\x74\xa1\x40\xa3\xab\xa3\xbf\xa1\x40\xa3\x75\xa1\x40\xa3\xac\xa3\xbd");
    EXPECT_EQ(text.size(), 18u);
  }
}

TEST_F(RootDictionaryTest, AReadingWithoutToneLeavesItsSlotToTheNextReading) {
  DictionaryBuilder untoned_only(DictionaryForm::kPhonetic);
  untoned_only.Add(0xE000, kBaUntoned);
  Read(untoned_only, kNt, kPhoneticHkl);
  EXPECT_EQ(Lookup(0xFA40, kPhoneticHkl), kBaUntonedText);

  DictionaryBuilder overwritten(DictionaryForm::kPhonetic);
  overwritten.Add(0xE000, kBaUntoned).Add(0xE000, kPoSecond).Add(0xE000, kBaFourth);
  Read(overwritten, kNt, kPhoneticHkl);
  EXPECT_EQ(Lookup(0xFA40, kPhoneticHkl), std::string(kPoSecondText) + "\xa1\x40" + std::string(kBaFourthText));
}

TEST_F(RootDictionaryTest, RootBytesThatNameNoSymbolBecomeFullWidthSpaces) {
  DictionaryBuilder phonetic(DictionaryForm::kPhonetic);
  phonetic
      .Add(0xE000, {0, 21, 22, 38})         // 　ㄙㄧˉ
      .Add(0xE001, {43, 37, 0x90, 42})      // 　ㄦ　˙
      .Add(0xE002, {0xFF, 0x80, 0x7F, 0});  // nothing at all
  Read(phonetic, kNt, kPhoneticHkl);
  EXPECT_EQ(Lookup(0xFA40, kPhoneticHkl), "\xa1\x40\xa3\xaa\xa3\xb8\xa3\xbc");
  EXPECT_EQ(Lookup(0xFA41, kPhoneticHkl), "\xa1\x40\xa3\xb7\xa1\x40\xa3\xbb");
  EXPECT_EQ(Lookup(0xFA42, kPhoneticHkl), "\xa1\x40\xa1\x40\xa1\x40\xa1\x40");

  DictionaryBuilder changjie(DictionaryForm::kRadical);
  changjie.Add(0xE000, {1, 0, 27, 0x90, 26});  // 日　　　重
  Read(changjie, kNt, kChangjieHkl);
  EXPECT_EQ(Lookup(0xFA40, kChangjieHkl), "\xa4\xe9\xa1\x40\xa1\x40\xa1\x40\xad\xab");
}

TEST_F(RootDictionaryTest, ALaterChangjieEntryOverwritesAnEarlierOne) {
  DictionaryBuilder file(DictionaryForm::kRadical);
  file.Add(0xE000, {1, 2, 3}).Add(0xE000, {26});
  Read(file, kNt, kChangjieHkl);
  EXPECT_EQ(Lookup(0xFA40, kChangjieHkl), "\xad\xab\xa1\x40\xa1\x40\xa1\x40\xa1\x40");  // 重　　　　
}

TEST_F(RootDictionaryTest, QuickHasItsOwnTable) {
  DictionaryBuilder file(DictionaryForm::kRadical);
  file.Add(0xE000, {13, 12});
  Read(file, kNt, kQuickHkl);
  EXPECT_EQ(Lookup(0xFA40, kQuickHkl), "\xa4\x40\xa4\xa4\xa1\x40\xa1\x40\xa1\x40");  // 一中　　　
  EXPECT_EQ(Lookup(0xFA40, kChangjieHkl), "");
}

TEST_F(RootDictionaryTest, EntryCodesFollowThePlatformFamily) {
  // The same bytes mean U+E000 (0xFA40) on NT and nothing on 9x, where 0xE000 is no Big5 code.
  DictionaryBuilder file(DictionaryForm::kRadical);
  file.Add(0xE000, {1});
  Read(file, kNt, kChangjieHkl);
  EXPECT_NE(Lookup(0xFA40, kChangjieHkl), "");
  Read(file, k9x, kChangjieHkl);
  EXPECT_EQ(Lookup(0xFA40, kChangjieHkl), "");

  // Big5 codes on 9x, in every segment of the area.
  DictionaryBuilder big5(DictionaryForm::kRadical);
  big5.Add(0xFA40, {1}).Add(0x8E40, {2}).Add(0x8140, {3}).Add(0xC6A1, {4}).Add(0xC8FE, {5});
  Read(big5, k9x, kChangjieHkl);
  EXPECT_EQ(Lookup(0x8E40, kChangjieHkl).substr(0, 2), "\xa4\xeb");  // 月
  EXPECT_EQ(Lookup(0x8140, kChangjieHkl).substr(0, 2), "\xaa\xf7");  // 金
  EXPECT_EQ(Lookup(0xC6A1, kChangjieHkl).substr(0, 2), "\xa4\xec");  // 木
  EXPECT_EQ(Lookup(0xC8FE, kChangjieHkl).substr(0, 2), "\xa4\xf4");  // 水
}

TEST_F(RootDictionaryTest, AFirstEntryOutsideTheAreaLoadsNothing) {
  DictionaryBuilder standard9x(DictionaryForm::kRadical);
  standard9x.Add(0xA440, {1}).Add(0xFA40, {2});
  Read(standard9x, k9x, kChangjieHkl);
  EXPECT_EQ(Lookup(0xFA40, kChangjieHkl), "");

  DictionaryBuilder below_private_use(DictionaryForm::kPhonetic);
  below_private_use.Add(0xDFFF, kBaFourth).Add(0xE000, kBaFourth);
  Read(below_private_use, kNt, kPhoneticHkl);
  EXPECT_EQ(Lookup(0xFA40, kPhoneticHkl), "");
}

TEST_F(RootDictionaryTest, ReadingStopsAtTheFirstCodeOutsideTheArea) {
  DictionaryBuilder file(DictionaryForm::kRadical);
  file.Add(0xE000, {1}).Add(0xE001, {2}).Add(0x4E00, {3}).Add(0xE002, {4});
  Read(file, kNt, kChangjieHkl);
  EXPECT_NE(Lookup(0xFA40, kChangjieHkl), "");
  EXPECT_NE(Lookup(0xFA41, kChangjieHkl), "");
  EXPECT_EQ(Lookup(0xFA42, kChangjieHkl), "");
}

TEST_F(RootDictionaryTest, OnNtACodeAboveTheLastUserDefinedCodePointStopsReading) {
  DictionaryBuilder file(DictionaryForm::kRadical);
  file.Add(0xF848, {1}).Add(0xF849, {2}).Add(0xE000, {3});
  Read(file, kNt, kChangjieHkl);
  EXPECT_EQ(Lookup(0xC8FE, kChangjieHkl).substr(0, 2), "\xa4\xe9");  // U+F848 is 0xC8FE: 日
  EXPECT_EQ(Lookup(0xFA40, kChangjieHkl), "");
}

TEST_F(RootDictionaryTest, ACountLargerThanTheFileReadsOnlyWholeEntries) {
  DictionaryBuilder file(DictionaryForm::kPhonetic);
  file.Add(0xE000, kBaFourth).Add(0xE001, kBaFourth).ClaimCount(1000000);
  std::vector<std::uint8_t> bytes = file.Build();
  bytes.resize(bytes.size() - 3);  // the second entry loses its last root byte and padding
  ReadRootDictionary(*tables_, bytes, kNt, kPhoneticHkl);
  EXPECT_EQ(Lookup(0xFA40, kPhoneticHkl), kBaFourthText);
  EXPECT_EQ(Lookup(0xFA41, kPhoneticHkl), "");

  // The unused bytes of the last entry are not needed.
  DictionaryBuilder radical(DictionaryForm::kRadical);
  radical.Add(0xE000, {1, 2, 3, 4, 5}).ClaimCount(7);
  bytes = radical.Build();
  bytes.resize(bytes.size() - 2);
  ReadRootDictionary(*tables_, bytes, kNt, kChangjieHkl);
  EXPECT_EQ(Lookup(0xFA40, kChangjieHkl).size(), 10u);
}

TEST_F(RootDictionaryTest, FilesTooShortForTheirHeaderLoadNothing) {
  DictionaryBuilder file(DictionaryForm::kRadical);
  file.Add(0xE000, {1});
  Read(file, kNt, kChangjieHkl);
  ASSERT_NE(Lookup(0xFA40, kChangjieHkl), "");
  const std::vector<std::uint8_t> full = file.Build();
  for (std::size_t size : {0u, 1u, 12u, 15u, 16u, 100u, 258u, 264u}) {
    const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
    ReadRootDictionary(*tables_, cut, kNt, kChangjieHkl);
    EXPECT_EQ(Lookup(0xFA40, kChangjieHkl), "") << "file of " << size << " bytes";
  }
}

TEST_F(RootDictionaryTest, MoreThanSevenToneReadingsKeepTheFirstSeven) {
  DictionaryBuilder file(DictionaryForm::kPhonetic);
  for (std::uint8_t initial = 1; initial <= 9; ++initial) file.Add(0xE001, {initial, 0, 25, 41});
  file.Add(0xE002, kBaFourth);
  Read(file, kNt, kPhoneticHkl);
  const std::string text = Lookup(0xFA41, kPhoneticHkl);
  ASSERT_EQ(text.size(), 7u * 8 + 6 * 2);
  EXPECT_EQ(text.substr(0, 2), "\xa3\x74");       // ㄅ, the first reading
  EXPECT_EQ(text.substr(6 * 10, 2), "\xa3\x7a");  // ㄋ, the seventh
  EXPECT_EQ(Lookup(0xFA40, kPhoneticHkl), "");    // neighbours untouched
  EXPECT_EQ(Lookup(0xFA42, kPhoneticHkl), kBaFourthText);
}

TEST_F(RootDictionaryTest, ReadingATableClearsItAndOnlyIt) {
  DictionaryBuilder changjie(DictionaryForm::kRadical);
  changjie.Add(0xE000, {1});
  Read(changjie, kNt, kChangjieHkl);
  DictionaryBuilder phonetic(DictionaryForm::kPhonetic);
  phonetic.Add(0xE001, kBaFourth);
  Read(phonetic, kNt, kPhoneticHkl);

  DictionaryBuilder other(DictionaryForm::kRadical);
  other.Add(0xE005, {2});
  Read(other, kNt, kChangjieHkl);
  EXPECT_EQ(Lookup(0xFA40, kChangjieHkl), "");
  EXPECT_NE(Lookup(0xFA45, kChangjieHkl), "");
  EXPECT_EQ(Lookup(0xFA41, kPhoneticHkl), kBaFourthText);

  // An input method without a table changes nothing.
  Read(other, kNt, 0xE0050404);
  EXPECT_NE(Lookup(0xFA45, kChangjieHkl), "");
}

TEST_F(RootDictionaryTest, LookupIsEmptyForStandardCodesAndOtherInputMethods) {
  DictionaryBuilder file(DictionaryForm::kPhonetic);
  file.Add(0xE000, kBaFourth);
  Read(file, kNt, kPhoneticHkl);
  EXPECT_EQ(Lookup(0xA440, kPhoneticHkl), "");
  EXPECT_EQ(Lookup(0xFA40, 0xE0050404), "");
  EXPECT_EQ(Lookup(0xFA40, kPhoneticHkl), kBaFourthText);
}

TEST_F(RootDictionaryTest, AFileThatCannotBeOpenedIsToldWithTheInputMethodName) {
  DictionaryBuilder file(DictionaryForm::kRadical);
  file.Add(0xE000, {1});
  Read(file, kNt, kChangjieHkl);

  testing::MemoryFiles files;
  testing::RecordedMessages warnings;
  const std::string_view name = "\xad\xdc\xbe\x65";  // 倉頡
  LoadRootDictionary(*tables_, files, warnings, kNt, "C:\\missing.tbl", name, kChangjieHkl);
  ASSERT_EQ(warnings.messages.size(), 1u);
  // 警告! 無法開啟【倉頡】輸入法字根檔
  EXPECT_EQ(warnings.messages[0].text,
            "\xc4\xb5\xa7\x69! \xb5\x4c\xaa\x6b\xb6\x7d\xb1\xd2\xa1\x69\xad\xdc\xbe\x65\xa1\x6a"
            "\xbf\xe9\xa4\x4a\xaa\x6b\xa6\x72\xae\xda\xc0\xc9");
  EXPECT_EQ(warnings.messages[0].caption, "\xc4\xb5\xa7\x69\xb0\x54\xae\xa7");  // 警告訊息
  EXPECT_NE(Lookup(0xFA40, kChangjieHkl), "");                                  // what was there stays

  files.Put("C:\\there.tbl", file.Build());
  LoadRootDictionary(*tables_, files, warnings, kNt, "C:\\there.tbl", name, kChangjieHkl);
  EXPECT_EQ(warnings.messages.size(), 1u);
}

}  // namespace
}  // namespace pictor
