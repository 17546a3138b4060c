// The code page 950 texts written as byte escapes in the code, checked against the C library's
// code page 950 encoder.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/association_choice.h"
#include "core/dialog_templates.h"
#include "core/eudc_association.h"
#include "core/known_input_methods.h"
#include "core/page_strings.h"
#include "core/page_text.h"
#include "core/root_dictionary.h"
#include "core/root_symbols.h"
#include "core/shell_resources.h"
#include "core/shell_rules.h"
#include "core/string_table.h"
#include "platform/posix/iconv_codec.h"
#include "tests/support/fake_ports.h"
#include "tools/fixtures/demo_data.h"

namespace pictor {
namespace {

const posix::IconvCp950Codec& Codec() {
  static const posix::IconvCp950Codec kCodec;
  return kCodec;
}

std::string Cp950(std::string_view utf8) { return Codec().FromUtf8(utf8); }

TEST(Big5Texts, PhoneticSymbols) {
  const std::vector<std::string> symbols = {"ㄅ", "ㄆ", "ㄇ", "ㄈ", "ㄉ", "ㄊ", "ㄋ", "ㄌ", "ㄍ", "ㄎ", "ㄏ",
                                            "ㄐ", "ㄑ", "ㄒ", "ㄓ", "ㄔ", "ㄕ", "ㄖ", "ㄗ", "ㄘ", "ㄙ", "ㄧ",
                                            "ㄨ", "ㄩ", "ㄚ", "ㄛ", "ㄜ", "ㄝ", "ㄞ", "ㄟ", "ㄠ", "ㄡ", "ㄢ",
                                            "ㄣ", "ㄤ", "ㄥ", "ㄦ", "ˉ",  "ˊ",  "ˇ",  "ˋ",  "˙"};
  ASSERT_EQ(symbols.size(), PhoneticSymbolTable.size());
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    EXPECT_EQ(PhoneticSymbolTable[i], Cp950(symbols[i])) << "root code " << i + 1;
    EXPECT_EQ(static_cast<unsigned char>(PhoneticSymbolTable[i][0]), 0xA3);
  }
  EXPECT_EQ(kFullWidthSpace, Cp950("　"));
}

TEST(Big5Texts, RadicalSymbols) {
  const std::vector<std::string> symbols = {"日", "月", "金", "木", "水", "火", "土", "竹", "戈",
                                            "十", "大", "中", "一", "弓", "人", "心", "手", "口",
                                            "尸", "廿", "山", "女", "田", "難", "卜", "重"};
  ASSERT_EQ(symbols.size(), RadicalSymbolTable.size());
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    EXPECT_EQ(RadicalSymbolTable[i], Cp950(symbols[i])) << "root code " << i + 1;
  }
}

TEST(Big5Texts, InputMethodTitles) {
  const std::vector<std::string> titles = {"注音", "倉頡", "速成", "新注音", "新倉頡", "行列", "大易"};
  ASSERT_EQ(titles.size(), KnownInputMethodTable.size());
  for (std::size_t i = 0; i < titles.size(); ++i) {
    EXPECT_EQ(KnownInputMethodTable[i].title, Cp950(titles[i]));
    EXPECT_LT(KnownInputMethodTable[i].title.size(), kInputMethodTitleSize);
  }
  EXPECT_EQ(KnownInputMethodTitle(0xE0090404)->View(), Cp950("新倉頡"));
  EXPECT_FALSE(KnownInputMethodTitle(0xE0070404));
}

TEST(Big5Texts, DictionaryWarning) {
  auto tables = std::make_unique<RootTables>();
  testing::MemoryFiles files;
  testing::RecordedMessages warnings;
  LoadRootDictionary(*tables, files, warnings, PlatformFamily::kWindowsNT, "x", Cp950("注音"), kPhoneticHkl);
  ASSERT_EQ(warnings.messages.size(), 1u);
  EXPECT_EQ(warnings.messages[0].text, Cp950("警告! 無法開啟【注音】輸入法字根檔"));
  EXPECT_EQ(warnings.messages[0].caption, Cp950("警告訊息"));
}

TEST(Big5Texts, DemonstrationData) {
  EXPECT_EQ(testsupport::kDemoPhoneticName, Cp950("中文 (繁體) - 注音"));
  EXPECT_EQ(testsupport::kDemoChangjieName, Cp950("中文 (繁體) - 倉頡"));
  EXPECT_EQ(testsupport::kDemoQuickName, Cp950("中文 (繁體) - 速成"));
  const std::vector<std::string> roots = {
      "ㄅ　ㄚˋ　ㄆ　ㄛˊ", "ㄇㄧㄢˊ",    "ㄈ　ㄥ˙", "ㄉㄨㄥˉ", "日月金　　", "木水火土竹", "重　　　　",
      "難卜　　　",       "一中　　　", "",        ""};
  const auto& expectations = testsupport::DemoExpectations();
  ASSERT_EQ(expectations.size(), roots.size());
  for (std::size_t i = 0; i < roots.size(); ++i) EXPECT_EQ(expectations[i].roots, Cp950(roots[i]));
}

TEST(Big5Texts, CatalogueTexts) {
  EXPECT_EQ(std::string(kTitleLineFormat), Cp950("字型：%s        外字檔案：%s"));
  EXPECT_EQ(std::string(kPageNumberFormat), Cp950("第 %d 頁"));
  EXPECT_EQ(kCodeCaption, Cp950("內碼"));
  EXPECT_EQ(kSystemDefaultName, Cp950("標準造字"));
  EXPECT_EQ(kDefaultFaceName, Cp950("細明體"));
  EXPECT_EQ(FormatTitleLine(Cp950("標楷體"), "C:\\EUDC.TTE"), Cp950("字型：標楷體        外字檔案：C:\\EUDC.TTE"));
  EXPECT_EQ(FormatPageNumber(3), Cp950("第 3 頁"));
}

TEST(Big5Texts, kStringTable) {
  const std::vector<std::pair<std::uint16_t, std::string>> texts = {
      {128, "列印程式\n\nPictor\n\n\nPictor.Document\nPictor Document"},
      {1001, "SystemDefaultEUDCFont"},
      {1002, "標準造字"},
      {1003, "細明體"},
      {57344, "列印程式"},
      {61446, "不是正確的外字字碼！"},
      {61447, "起始碼輸入尚未完成！"},
      {61448, "結束碼輸入尚未完成！"},
      {61449, "起始碼大於結束碼！"},
      {61450, "沒有任何造字檔關聯設定！"},
      {61443, "自造字"},
      {61504, "於 %1"},
      {61505, "一頁(&P)"},
      {61506, "兩頁(&T)"},
      {61507, "第 %u 頁"},
      {61508, "第 %u 頁\n第 %u 到 %u 頁\n"},
      {61509, "prn"},
      {61510, "Output.prn"},
      {61511, "Printer Files (*.prn)|*.prn|All Files (*.*)|*.*||"},
      {61512, "列印至檔案"},
      {61513, "to %1"},
      {62000, "字型：%s        外字檔案：%s"},
      {62001, "第 %d 頁"},
      {62002, "內碼"},
  };
  ASSERT_EQ(texts.size(), kStringTable.size());
  for (const auto& [id, text] : texts) EXPECT_EQ(LoadStringResource(id), Cp950(text)) << id;
  EXPECT_EQ(RestoreFailedMessage(Cp950("細明體")), Cp950("無法還原【細明體】的造字檔關聯設定，下次啟動時將再試一次！"));
}

TEST(Big5Texts, ShellMenusToolbarAndBoxes) {
  std::vector<std::string> menu;
  for (const MenuPopup& popup : kMainMenu) {
    menu.emplace_back(popup.text);
    for (const MenuItem& item : popup.items) menu.emplace_back(item.text);
  }
  EXPECT_EQ(menu, (std::vector<std::string>{Cp950("檔案(&F)"), Cp950("設定字形(&R)..."), Cp950("設定列印範圍(&L)..."),
                                            "", Cp950("列印(&P)...\tCtrl+P"), Cp950("預覽列印(&V)"),
                                            Cp950("列印設定(&S)..."), "", Cp950("結束(&X)"), Cp950("說明(&H)"),
                                            Cp950("註解"), Cp950("關於外字列印程式(&A)...")}));
  EXPECT_EQ(kNotesCaption, Cp950("造字列印-註解"));
  EXPECT_EQ(kNotesText, Cp950("【新注音/新倉頡】與【注音/倉頡】之字根資料完全相同。"));
  EXPECT_EQ(kKaiFaceName, Cp950("標楷體"));
  EXPECT_EQ(kKaiTitleSuffix, Cp950("(若有輸入碼而無字,則該字僅用於系統標準造字檔)"));
  EXPECT_EQ(FrameCaption(Cp950("自造字")), Cp950("自造字 - 列印程式"));
}

std::vector<std::string> Texts(const DialogTemplate& dialog) {
  std::vector<std::string> texts;
  for (const ControlTemplate& control : dialog.controls) texts.emplace_back(control.text);
  return texts;
}

TEST(Big5Texts, DialogLayouts) {
  const DialogTemplate& font = FontSettingDialogTemplate();
  EXPECT_EQ(font.caption, Cp950("設定字形"));
  EXPECT_EQ(font.font_face, Cp950("新細明體"));
  std::vector<std::string> font_texts;
  for (const ControlTemplate& control : font.controls) font_texts.emplace_back(control.text);
  EXPECT_EQ(font_texts, (std::vector<std::string>{Cp950("確定"), Cp950("取消"), "", Cp950("字形：")}));

  const DialogTemplate& range = PrintRangeDialogTemplate();
  EXPECT_EQ(range.caption, Cp950("設定列印範圍"));
  EXPECT_EQ(range.font_face, Cp950("新細明體"));
  std::vector<std::string> range_texts;
  for (const ControlTemplate& control : range.controls) range_texts.emplace_back(control.text);
  EXPECT_EQ(range_texts,
            (std::vector<std::string>{Cp950("確定"), Cp950("取消"), Cp950("標註輸入法字根"), "", Cp950("列印範圍"),
                                      Cp950("全部(&A)"), Cp950("字碼(&D)"), Cp950("從(&F):"), "", Cp950("到(&T):"), "",
                                      Cp950("範圍(&R)："), ""}));

  EXPECT_EQ(Texts(PreviewToolbarTemplate()),
            (std::vector<std::string>{Cp950("列印(&P)..."), Cp950("下一頁(&N)"), Cp950("上一頁(&V)"), Cp950("兩頁(&T)"),
                                      Cp950("拉近(&I)"), Cp950("拉遠(&O)"), Cp950("關閉(&C)")}));
  EXPECT_EQ(Texts(PrintingBoxTemplate()),
            (std::vector<std::string>{Cp950("列印"), "", Cp950("到"), "", "", "", Cp950("取消")}));
  EXPECT_EQ(PrintingBoxTemplate().caption, Cp950("列印程式"));
}

TEST(Big5Texts, CodecMapsTheUserDefinedAreaToPrivateUse) {
  EXPECT_EQ(Codec().ToUtf16("\xfa\x40\xc8\xfe\x81\x40"), u"\uE000\uF848\uEEB8");
  EXPECT_EQ(Codec().FromUtf16(u"\uE000\uF848"), "\xfa\x40\xc8\xfe");
  EXPECT_EQ(Codec().ToUtf8("\xaa\x60\xad\xb5 A"), "注音 A");
  EXPECT_EQ(Codec().FromUtf16(u"\U0001F600x"), "?x");
  EXPECT_EQ(Codec().ToUtf16("\xa1"), u"\uFFFD");
}

}  // namespace
}  // namespace pictor
