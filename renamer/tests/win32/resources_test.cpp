// The generated resource script, compiled with windres -c 65001 into this program: every text of
// the string table loads as the core holds it.

#include <gtest/gtest.h>
#include <windows.h>

#include "core/error_texts.h"
#include "core/form_texts.h"
#include "platform/win32/win32_file_system.h"
#include "resources/resource.h"

namespace quillon {
namespace {

std::u16string LoadText(int id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  return win32::FromWide(std::wstring_view(text ? text : L"", length > 0 ? static_cast<std::size_t>(length) : 0));
}

TEST(StringTable, EveryTextLoadsAsTheCoreHoldsIt) {
  for (const TextEntry& entry : FormTexts()) {
    EXPECT_EQ(LoadText(static_cast<int>(entry.id)), entry.text) << entry.symbol;
  }
  for (const ErrorTextEntry& entry : ErrorTexts()) {
    EXPECT_EQ(LoadText(entry.id), std::u16string(entry.text.begin(), entry.text.end())) << entry.symbol;
  }
  static_assert(IDS_CAPTION == static_cast<int>(TextId::kCaption));
  EXPECT_EQ(LoadText(IDS_BTNSTOP), u"停止");
}

}  // namespace
}  // namespace quillon
