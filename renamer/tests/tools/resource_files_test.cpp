// The resource files' text: string literals byte for byte, and every number of the core's tables
// defined in resource.h. That the committed files are what the tables give is the test
// quillon_resources_current; that windres reads them as the core's texts, the Windows test of the
// string table.

#include "tools/resource_files.h"

#include <gtest/gtest.h>

#include "core/error_texts.h"
#include "core/form_layout.h"
#include "core/form_texts.h"

namespace quillon::tools {
namespace {

TEST(ResourceFiles, StringLiteralsDoubleQuotesAndEscapeBackslashes) {
  EXPECT_EQ(ScriptString("'%s' is not"), "\"'%s' is not\"");
  EXPECT_EQ(ScriptString("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(ScriptString("C:\\x"), "\"C:\\\\x\"");
  EXPECT_EQ(ScriptString("a\nb\tc"), "\"a\\nb\\tc\"");
  EXPECT_EQ(ScriptString("\xE5\x81\x9C\xE6\xAD\xA2"), "\"\xE5\x81\x9C\xE6\xAD\xA2\"");  // 停止, UTF-8 as it is
  EXPECT_EQ(ScriptString(""), "\"\"");
}

TEST(ResourceFiles, HeaderDefinesEveryNumberAndTheScriptUsesEachText) {
  const std::string header = ResourceHeader();
  const std::string script = ResourceScript();
  const auto defines = [&](std::string_view symbol, int value) {
    return header.find("#define " + std::string(symbol) + " " + std::to_string(value) + "\n") != std::string::npos;
  };
  for (const ControlSpec& control : MainWindow().controls) {
    EXPECT_TRUE(defines(control.symbol, control.id)) << control.symbol;
    for (const RadioItem& item : control.items) EXPECT_TRUE(defines(item.symbol, item.id)) << item.symbol;
  }
  for (const TextEntry& entry : FormTexts()) {
    EXPECT_TRUE(defines(entry.symbol, static_cast<int>(entry.id))) << entry.symbol;
    EXPECT_NE(script.find("  " + std::string(entry.symbol) + " \""), std::string::npos) << entry.symbol;
  }
  for (const ErrorTextEntry& entry : ErrorTexts()) {
    EXPECT_TRUE(defines(entry.symbol, entry.id)) << entry.symbol;
    EXPECT_NE(script.find("  " + std::string(entry.symbol) + " " + ScriptString(entry.text) + "\n"), std::string::npos);
  }
  EXPECT_NE(script.find("\nLANGUAGE LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL\n"), std::string::npos);
  EXPECT_NE(script.find("  IDS_CAPTION \"\xE9\x87\x8D\xE6\x96\xB0\xE5\x91\xBD\xE5\x90\x8D\xE7\xA8\x8B\xE5\xBC\x8F\"\n"),
            std::string::npos);  // 重新命名程式
}

}  // namespace
}  // namespace quillon::tools
