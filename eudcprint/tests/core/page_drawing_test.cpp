#include "core/page_drawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp950_text.h"
#include "core/known_input_methods.h"
#include "core/page_text.h"
#include "core/window_drawing.h"
#include "tests/support/recording_canvas.h"
#include "tools/fixtures/demo_data.h"
#include "tools/fixtures/dictionary_builder.h"

namespace pictor {
namespace {

using testing::CanvasOperation;
using testing::CatalogueFixture;
using testing::RecordingCanvas;
using Kind = CanvasOperation::Kind;

constexpr std::string_view kStandardName = "\xbc\xd0\xb7\xc7\xb3\x79\xa6\x72";  // 標準造字
constexpr std::string_view kPhoneticTitle = "\xaa\x60\xad\xb5";                 // 注音
constexpr std::string_view kChangjieTitle = "\xad\xdc\xbe\x65";                 // 倉頡
constexpr std::string_view kCodeCaptionText = "\xa4\xba\xbd\x58";               // 內碼
constexpr std::string_view kEudcPath = "C:\\WINDOWS\\FONTS\\EUDC.TTE";
// 字型：標準造字        外字檔案：C:\WINDOWS\FONTS\EUDC.TTE
const std::string kStandardTitle = std::string("\xa6\x72\xab\xac\xa1\x47") + std::string(kStandardName) +
                                   "        \xa5\x7e\xa6\x72\xc0\xc9\xae\xd7\xa1\x47" + std::string(kEudcPath);

std::string Roots(std::uint16_t code, std::uint32_t hkl) {
  for (const auto& expected : testsupport::DemoExpectations()) {
    if (expected.code == code && expected.hkl == hkl) return std::string(expected.roots);
  }
  return {};
}

void ExpectText(const CanvasOperation& op, CanvasPoint at, FontRole role, std::string_view text) {
  EXPECT_EQ(op.kind, Kind::kText);
  EXPECT_EQ(op.a, at) << "at " << op.a.x << "," << op.a.y << " text " << op.text;
  EXPECT_EQ(op.role, role);
  EXPECT_EQ(op.text, text);
}

void ExpectBox(const CanvasOperation& op, CanvasPoint corner, CanvasPoint opposite) {
  EXPECT_EQ(op.kind, Kind::kRectangle);
  EXPECT_EQ(op.a, corner);
  EXPECT_EQ(op.b, opposite);
}

// The standard association with Phonetic and Changjie annotated and the demonstration roots.
class PageDrawingTest : public ::testing::Test {
 protected:
  PageDrawingTest() {
    fixture_.association.displayName.Assign(kStandardName);
    fixture_.association.eudcFilePath.Assign(kEudcPath);
    for (const auto& file : testsupport::DemoDictionaries(PlatformFamily::kWindowsNT)) {
      if (file.file_name == "phonetic.tbl")
        ReadRootDictionary(*fixture_.root_tables, file.bytes, PlatformFamily::kWindowsNT, kPhoneticHkl);
      if (file.file_name == "changjie.tbl")
        ReadRootDictionary(*fixture_.root_tables, file.bytes, PlatformFamily::kWindowsNT, kChangjieHkl);
    }
  }

  RecordingCanvas DrawPageOne() {
    PageLayout layout = ComputePageLayout(2030, 2870, fixture_.State());
    RecordingCanvas canvas;
    DrawPage(canvas, layout, fixture_.State(), 1);
    return canvas;
  }

  CatalogueFixture fixture_;
};

TEST_F(PageDrawingTest, OnePageHeaderCellsAndFooter) {
  fixture_.AddInputMethod(kPhoneticHkl, "phonetic", true);
  fixture_.AddInputMethod(kChangjieHkl, "changjie", true);
  const auto ops = DrawPageOne().operations;
  ASSERT_GE(ops.size(), 20u);

  // One column of 1588 centred on 2030: x0 = 221. The title is 16 units a byte.
  ASSERT_EQ(kStandardTitle.size(), 57u);
  ExpectText(ops[0], {(2030 - 57 * 16) / 2, -100}, FontRole::kText, kStandardTitle);
  ExpectText(ops[1], {221 + 84, -230}, FontRole::kText, kCodeCaptionText);
  ExpectText(ops[2], {221 + 168, -230}, FontRole::kText, kPhoneticTitle);
  ExpectText(ops[3], {221 + 168 + 1180, -230}, FontRole::kText, kChangjieTitle);
  EXPECT_EQ(ops[4].kind, Kind::kLine);
  EXPECT_EQ(ops[4].a, (CanvasPoint{221, -272}));
  EXPECT_EQ(ops[4].b, (CanvasPoint{221 + 1588, -272}));
  EXPECT_EQ(ops[4].pen_width, 3);

  // FA40: character, box, code, both root columns; the second root column at xi + 1348.
  ExpectText(ops[5], {221, -300}, FontRole::kCharacter, "\xfa\x40");
  ExpectBox(ops[6], {220, -299}, {287, -366});
  ExpectText(ops[7], {305, -316}, FontRole::kText, "FA40");
  ExpectText(ops[8], {389, -316}, FontRole::kText, Roots(0xFA40, kPhoneticHkl));
  ExpectText(ops[9], {221 + 1348, -316}, FontRole::kText, Roots(0xFA40, kChangjieHkl));
  ASSERT_EQ(Roots(0xFA40, kPhoneticHkl).size(), 18u);
  // FA41, a row of 84 lower.
  ExpectText(ops[10], {221, -384}, FontRole::kCharacter, "\xfa\x41");
  ExpectBox(ops[11], {220, -383}, {287, -450});
  ExpectText(ops[12], {305, -400}, FontRole::kText, "FA41");
  // FA42 has no roots: its root columns stay blank.
  ExpectText(ops[15], {221, -468}, FontRole::kCharacter, "\xfa\x42");
  ExpectBox(ops[16], {220, -467}, {287, -534});
  ExpectText(ops[17], {305, -484}, FontRole::kText, "FA42");
  ExpectText(ops[18], {221, -552}, FontRole::kCharacter, "\xfa\x43");

  // 28 cells, then "第 1 頁" centred 100 above the bottom.
  EXPECT_EQ(DrawPageOne().Texts(FontRole::kCharacter).size(), 28u);
  ExpectText(ops.back(), {(2030 - 7 * 16) / 2, 100 - 2870}, FontRole::kText, "\xb2\xc4 1 \xad\xb6");
}

TEST_F(PageDrawingTest, ARootColumnWithoutRootsStillTakesItsWidth) {
  fixture_.AddInputMethod(kPhoneticHkl, "phonetic", true);
  fixture_.AddInputMethod(kChangjieHkl, "changjie", true);
  const auto changjie =
      testsupport::DictionaryBuilder(testsupport::DictionaryForm::kRadical).Add(0xE000 + 2, {1}).Build();
  ReadRootDictionary(*fixture_.root_tables, changjie, PlatformFamily::kWindowsNT, kChangjieHkl);
  fixture_.range.count = 3;

  const auto texts = DrawPageOne().Texts(FontRole::kText);
  std::vector<CanvasOperation> roots;
  for (const auto& op : texts) {
    if (op.a.y < -300 && op.a.y > -600 && op.a.x > 305) roots.push_back(op);
  }
  // FA40 and FA41 keep only their phonetic roots; FA42 has Changjie roots only, drawn in the
  // second column.
  ASSERT_EQ(roots.size(), 3u);
  ExpectText(roots[0], {389, -316}, FontRole::kText, Roots(0xFA40, kPhoneticHkl));
  ExpectText(roots[1], {389, -400}, FontRole::kText, Roots(0xFA41, kPhoneticHkl));
  ExpectText(roots[2], {221 + 1348, -484}, FontRole::kText, "\xa4\xe9\xa1\x40\xa1\x40\xa1\x40\xa1\x40");
}

TEST_F(PageDrawingTest, EveryColumnHasItsCaptionsAndUnderline) {
  fixture_.AddInputMethod(kChangjieHkl, "changjie", true);
  fixture_.AddInputMethod(kPhoneticHkl, "phonetic", false);  // not annotated: no caption
  const auto ops = DrawPageOne().operations;
  // Four columns of 328: x0 = (2030 - 1612) / 2 = 209, then every 428.
  for (std::int32_t i = 0; i < 4; ++i) {
    const std::int32_t x = 209 + 428 * i;
    ExpectText(ops[1 + 2 * i], {x + 84, -230}, FontRole::kText, kCodeCaptionText);
    ExpectText(ops[2 + 2 * i], {x + 168, -230}, FontRole::kText, kChangjieTitle);
    EXPECT_EQ(ops[9 + i].kind, Kind::kLine);
    EXPECT_EQ(ops[9 + i].a, (CanvasPoint{x, -272}));
    EXPECT_EQ(ops[9 + i].b, (CanvasPoint{x + 328, -272}));
  }
  ExpectText(ops[13], {209, -300}, FontRole::kCharacter, "\xfa\x40");
}

TEST_F(PageDrawingTest, InputMethodsOutsideTheKnownTableAreCaptionedWithTheirLayoutText) {
  const std::string own = "\xa7\xda\xaa\xba\xbf\xe9\xa4\x4a\xaa\x6b";  // 我的輸入法
  fixture_.AddInputMethod(0xE0070404, own, true);
  fixture_.AddInputMethod(0xE0050404, "array", true);
  const auto ops = DrawPageOne().operations;
  // 148 + 180 + 180 = 508: three columns from x0 = (2030 - 1724) / 2 = 153.
  ExpectText(ops[2], {153 + 168, -230}, FontRole::kText, own);
  ExpectText(ops[3], {153 + 168 + 180, -230}, FontRole::kText, "\xa6\xe6\xa6\x43");  // 行列
}

TEST_F(PageDrawingTest, PrintingAllWalksTheOrdinals) {
  RecordingCanvas canvas = DrawPageOne();
  const auto characters = canvas.Texts(FontRole::kCharacter);
  ASSERT_EQ(characters.size(), 196u);
  // Seven to a row, left to right, then down; trail bytes skip 7F-A0.
  EXPECT_EQ(characters[0].text, "\xfa\x40");
  EXPECT_EQ(characters[1].text, "\xfa\x41");
  EXPECT_EQ(characters[1].a, (CanvasPoint{197 + 248, -300}));
  EXPECT_EQ(characters[7].a, (CanvasPoint{197, -384}));
  EXPECT_EQ(characters[62].text, "\xfa\x7e");
  EXPECT_EQ(characters[63].text, "\xfa\xa1");
  std::vector<std::string> codes;
  for (const auto& op : canvas.Texts(FontRole::kText)) {
    if (op.a.y == -316) codes.push_back(op.text);
  }
  EXPECT_EQ(codes, (std::vector<std::string>{"FA40", "FA41", "FA42", "FA43", "FA44", "FA45", "FA46"}));

  // Page 5 of all codes crosses from FEFE (ordinal 784) into 8E40.
  PageLayout layout = ComputePageLayout(2030, 2870, fixture_.State());
  RecordingCanvas fifth;
  DrawPage(fifth, layout, fixture_.State(), 5);
  const auto crossing = fifth.Texts(FontRole::kCharacter);
  EXPECT_EQ(crossing[784 - 4 * 196].text, "\xfe\xfe");
  EXPECT_EQ(crossing[785 - 4 * 196].text, "\x8e\x40");
}

TEST_F(PageDrawingTest, ACodeRangeWalksAscendingCodesAcrossTheGapInTrailBytes) {
  SetCodeRange(fixture_.range, 0x8DFE, 0x8E41);
  EXPECT_EQ(fixture_.range.firstIndex, 2040);
  EXPECT_EQ(fixture_.range.count, 3);
  const auto characters = DrawPageOne().Texts(FontRole::kCharacter);
  ASSERT_EQ(characters.size(), 3u);
  EXPECT_EQ(characters[0].text, "\x8d\xfe");
  EXPECT_EQ(characters[1].text, "\x8e\x40");
  EXPECT_EQ(characters[2].text, "\x8e\x41");
  std::vector<std::string> codes;
  for (const auto& op : DrawPageOne().Texts(FontRole::kText)) {
    if (op.a.y <= -300 && op.text.size() == 4) codes.push_back(op.text);
  }
  EXPECT_EQ(codes, (std::vector<std::string>{"8DFE", "8E40", "8E41"}));
}

TEST(Cp950Text, PrefixCutsAtACharacterBoundary) {
  struct Case {
    std::string_view text;
    std::size_t max;
    std::string_view cut;
  };
  const std::vector<Case> cases = {
      {"abc", 2, "ab"},
      {"a\xa4\x40", 2, "a"},  // the character would straddle the limit
      {"a\xa4\x40", 3, "a\xa4\x40"},
      {"\xa4\x40\xa4", 2, "\xa4\x40"},
      {"\xa4\x40\xa4", 5, "\xa4\x40\xa4"},  // a text that fits is kept as it is
      {"\xa4"
       "A\xa4",
       2,
       "\xa4"
       "A"},  // any byte after a lead byte is its trail
      {"", 255, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp950Prefix(c.text, c.max), c.cut) << c.text << " / " << c.max;
  }
}

TEST(Cp950Text, UppercaseChangesSingleByteLettersOnly) {
  struct Case {
    std::string_view text;
    std::string_view upper;
  };
  const std::vector<Case> cases = {
      {"c:\\eudc\\eudc.tte", "C:\\EUDC\\EUDC.TTE"},
      {"d:\\\xa6\x72\xae\x77\\x", "D:\\\xa6\x72\xae\x77\\X"},  // 字庫: second bytes r and w stay
      {"\xa4\x61\xa4\x7a\x61", "\xa4\x61\xa4\x7a\x41"},        // second bytes a and z, then a letter
      {"\xa4\x60\xa4\x7b", "\xa4\x60\xa4\x7b"},                // just outside a-z
      {"\x61\xa4", "\x41\xa4"},                                // a lone lead byte at the end
      {"\x81\x61\x62", "\x81\x61\x42"},                        // the lowest lead byte
      {"\xfe\x7a\x80\x7a", "\xfe\x7a\x80\x5a"},                // the highest; 0x80 leads nothing
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Cp950Uppercase(c.text), c.upper) << c.text;
}

TEST(PageText, TitleLineIsCutTo255BytesWithoutALoneLeadByte) {
  const std::string name(15 * 2, '\xa4');  // 15 characters of 0xA4A4 and one letter: 31 bytes
  const std::string display_name = name + "N";
  std::string pairs;
  for (int i = 0; i < 127; ++i) pairs += "\xc0\xc9";  // 檔
  const std::string prefix = FormatTitleLine(display_name, "");
  ASSERT_EQ(prefix.size(), 6u + 31 + 8 + 10);

  // After "X" only 199 bytes remain: 99 characters fit, the 100th would be split.
  const std::string odd = FormatTitleLine(display_name, "X" + pairs);
  EXPECT_EQ(odd.size(), 254u);
  EXPECT_EQ(odd, prefix + "X" + pairs.substr(0, 198));
  // Without it exactly 100 characters fill the 255 bytes.
  const std::string even = FormatTitleLine(display_name, pairs);
  EXPECT_EQ(even.size(), 255u);
  EXPECT_EQ(even, prefix + pairs.substr(0, 200));
}

TEST(PageText, CodesAndPageNumbers) {
  EXPECT_EQ(FormatCode(0xFA40), "FA40");
  EXPECT_EQ(FormatCode(0x8e4a), "8E4A");
  EXPECT_EQ(FormatPageNumber(12), "\xb2\xc4 12 \xad\xb6");  // 第 12 頁
}

TEST(PageText, TheStandardAssociationIsDrawnWithTheDefaultFace) {
  EXPECT_EQ(CharacterFaceName(kStandardName), "\xb2\xd3\xa9\xfa\xc5\xe9");               // 細明體
  EXPECT_EQ(CharacterFaceName("\xbc\xd0\xb7\xa2\xc5\xe9"), "\xbc\xd0\xb7\xa2\xc5\xe9");  // 標楷體
  EXPECT_EQ(CharacterFaceName("MingLiU"), "MingLiU");
}

class RecordingWindow : public WindowCanvas {
 public:
  void Text(CanvasPoint top_left, std::string_view cp950) override { lines.emplace_back(top_left, cp950); }
  std::int32_t TextWidth(std::string_view cp950) override { return 16 * static_cast<std::int32_t>(cp950.size()); }
  std::int32_t LineHeight() override { return 32; }
  std::int32_t ClientWidth() override { return 640; }
  std::int32_t ClientHeight() override { return 480; }
  std::vector<std::pair<CanvasPoint, std::string>> lines;
};

TEST(WindowDrawing, NameAndPathCentredOneEmptyLineApart) {
  EudcAssociation association;
  RecordingWindow blank;
  DrawWindowContents(blank, association);
  EXPECT_TRUE(blank.lines.empty());

  association.displayName.Assign(kStandardName);
  association.eudcFilePath.Assign(kEudcPath);
  RecordingWindow window;
  DrawWindowContents(window, association);
  ASSERT_EQ(window.lines.size(), 2u);
  // A block of three 32-pixel lines centred in 480: it starts at 192.
  EXPECT_EQ(window.lines[0].first, (CanvasPoint{(640 - 8 * 16) / 2, 192}));
  EXPECT_EQ(window.lines[0].second, kStandardName);
  EXPECT_EQ(window.lines[1].first, (CanvasPoint{(640 - 25 * 16) / 2, 192 + 64}));
  EXPECT_EQ(window.lines[1].second, kEudcPath);
}

}  // namespace
}  // namespace pictor
