// The generated resource script, compiled with windres -c 65001 into this program: every text of
// the string table loads as the core holds it, the icon loads in each of its sizes, and the
// manifest the process reads asks for version 6 of the common controls.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "core/error_texts.h"
#include "core/form_texts.h"
#include "core/program_icon.h"
#include "platform/win32/win32_file_system.h"
#include "resources/resource.h"

namespace quillon {
namespace {

std::u16string LoadText(int id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  return win32::FromWide(std::wstring_view(text ? text : L"", length > 0 ? static_cast<std::size_t>(length) : 0));
}

TEST(Resources, EveryTextLoadsAsTheCoreHoldsIt) {
  for (const TextEntry& entry : FormTexts()) {
    EXPECT_EQ(LoadText(static_cast<int>(entry.id)), entry.text) << entry.symbol;
  }
  for (const ErrorTextEntry& entry : ErrorTexts()) {
    EXPECT_EQ(LoadText(entry.id), std::u16string(entry.text.begin(), entry.text.end())) << entry.symbol;
  }
  static_assert(IDS_CAPTION == static_cast<int>(TextId::kCaption));
  EXPECT_EQ(LoadText(IDS_BTNSTOP), u"停止");
}

TEST(Resources, TheIconLoadsInEachSizeWithItsTransparentCorner) {
  static_assert(IDI_PROGRAM == kProgramIconId);
  for (const int size : {16, 32, 48}) {
    const auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    // The mask leaves the top-left pixel out: the sheet does not reach the corner.
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, info.hbmMask);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255)) << size;
    EXPECT_EQ(GetPixel(dc, size / 2, size / 2), RGB(0, 0, 0)) << size;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

TEST(Resources, TheProcessManifestAsksForCommonControlsSix) {
  const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(found, nullptr);
  const auto* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  const std::string_view manifest(data, SizeofResource(nullptr, found));
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string_view::npos);
}

}  // namespace
}  // namespace quillon
