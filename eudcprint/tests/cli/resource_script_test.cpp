// The resource script written from the core's tables: hand-written expectations for the lines
// each kind of entry gives, in UTF-8 with the script's escapes.
#include "tools/resource_script.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/posix/iconv_codec.h"

namespace pictor::resources {
namespace {

const std::string& Script() {
  static const posix::IconvCp950Codec kCodec;
  static const std::string kScript = ResourceScript([](std::string_view cp950) { return kCodec.ToUtf8(cp950); });
  return kScript;
}

void ExpectLine(std::string_view line) {
  EXPECT_NE(Script().find("\n" + std::string(line) + "\n"), std::string::npos) << line;
}

TEST(ResourceScript, EscapesQuotesBackslashesTabsAndLineEnds) {
  EXPECT_EQ(ScriptString("a\"b\\c\td\ne"), "\"a\"\"b\\\\c\\td\\ne\"");
  EXPECT_EQ(ScriptString("設定"), "\"設定\"");
}

TEST(ResourceScript, WritesTheLanguageMenuAndAccelerators) {
  EXPECT_EQ(Script().find("#include <windows.h>\n#include \"resource.h\"\n"), Script().find("#include"));
  ExpectLine("LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL");
  ExpectLine("128 MENU");
  ExpectLine("    POPUP \"檔案(&F)\"");
  ExpectLine("        MENUITEM \"設定字形(&R)...\", ID_FONT_SETTING");
  ExpectLine("        MENUITEM \"列印(&P)...\\tCtrl+P\", ID_FILE_PRINT");
  ExpectLine("        MENUITEM SEPARATOR");
  ExpectLine("128 ACCELERATORS");
  ExpectLine("    \"N\", ID_FILE_NEW, VIRTKEY, CONTROL");
  ExpectLine("    VK_BACK, ID_EDIT_UNDO, VIRTKEY, ALT");
  ExpectLine("    VK_DELETE, ID_EDIT_CUT, VIRTKEY, SHIFT");
  ExpectLine("    VK_F6, ID_NEXT_PANE, VIRTKEY");
}

TEST(ResourceScript, WritesTheStringTableWithItsEscapes) {
  ExpectLine("STRINGTABLE");
  ExpectLine("    1002, \"標準造字\"");
  ExpectLine("    61508, \"第 %u 頁\\n第 %u 到 %u 頁\\n\"");
  ExpectLine("    61511, \"Printer Files (*.prn)|*.prn|All Files (*.*)|*.*||\"");
  ExpectLine("    62000, \"字型：%s        外字檔案：%s\"");
}

TEST(ResourceScript, WritesEachDialogWithItsUnitsFontStylesAndControls) {
  ExpectLine("130 DIALOGEX 0, 0, 221, 82");
  ExpectLine("STYLE 0x80C80080");  // DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
  ExpectLine("CAPTION \"設定字形\"");
  ExpectLine("FONT 9, \"新細明體\"");
  ExpectLine("    CONTROL \"確定\", 1, \"Button\", 0x00010001, 167, 15, 40, 14");
  ExpectLine("    CONTROL \"\", 103, \"ListBox\", 0x00A10113, 14, 19, 142, 57");
  ExpectLine("    CONTROL \"字形：\", -1, \"Static\", 0x00000000, 15, 9, 50, 8");
  ExpectLine("131 DIALOGEX 0, 0, 250, 93");
  ExpectLine("    CONTROL \"全部(&A)\", 1601, \"Button\", 0x00030009, 14, 22, 40, 10");
  ExpectLine("    CONTROL \"\", 1401, \"Edit\", 0x00810089, 73, 33, 36, 14");
  ExpectLine("    CONTROL \"\", 1201, \"ComboBox\", 0x00210003, 100, 50, 67, 52");
  ExpectLine("30722 DIALOGEX 0, 0, 133, 92");
  ExpectLine("CAPTION \"列印程式\"");
  ExpectLine("30723 DIALOGEX 0, 0, 326, 16");
  ExpectLine("STYLE 0x40000000");  // WS_CHILD
  ExpectLine("FONT 8, \"新細明體\"");
  ExpectLine("    CONTROL \"兩頁(&T)\", ID_PREVIEW_NUMPAGE, \"Button\", 0x00000000, 140, 2, 44, 12");
}

TEST(ResourceScript, TheHeaderDefinesEveryCommandByItsName) {
  const std::string header = ResourceHeader();
  EXPECT_NE(header.find("\n#define ID_FONT_SETTING 32771\n"), std::string::npos);
  EXPECT_NE(header.find("\n#define ID_PREVIEW_ZOOMOUT 58118\n"), std::string::npos);
}

TEST(ResourceScript, FilesFollowTheDialogs) {
  const ResourceFile logo{"TTFLOGO1", "BITMAP", "ttflogo1.bmp"};
  const std::string script =
      ResourceScript([](std::string_view text) { return std::string(text); }, std::span(&logo, 1));
  EXPECT_TRUE(script.ends_with("\nTTFLOGO1 BITMAP \"ttflogo1.bmp\"\n"));
}

}  // namespace
}  // namespace pictor::resources
