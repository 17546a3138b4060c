#include "win32ui/window_texts.h"

#include "core/form_layout.h"
#include "resources/resource.h"

namespace quillon::win32ui {
namespace {

// resource.h is written from the core's tables; these tie the numbers the window uses to them.
static_assert(IDC_RGDIR == kIdRgDir && IDC_RGDIR_ITEM0 == kIdRgDirForward && IDC_RGDIR_ITEM1 == kIdRgDirReverse);
static_assert(IDC_RGPFOLDER == kIdRgpFolder && IDC_RGPFOLDER_ITEM0 == kIdRgpFolderAllDisks &&
              IDC_RGPFOLDER_ITEM1 == kIdRgpFolderOneFolder);
static_assert(IDC_EDTHD == kIdEdtHD && IDC_EDTPATH == kIdEdtPath && IDC_BTNBROWSER == kIdBtnBrowser);
static_assert(IDC_BTNSTART == kIdBtnStart && IDC_LVLOG == kIdLvLog && IDC_BTNSTOP == kIdBtnStop &&
              IDC_LBLNOW == kIdLblNow);
static_assert(IDS_CAPTION == static_cast<int>(TextId::kCaption) &&
              IDS_NOT_RECOVERED == static_cast<int>(TextId::kNotRecovered));
// The dialog manager's own ids must not be taken by a control.
static_assert(kIdRgDir > IDCANCEL && kIdRgDir > IDOK);

}  // namespace

std::wstring LoadText(HINSTANCE instance, TextId id) {
  if (id == TextId::kNone) return {};
  // With no buffer size the system hands out a pointer into the resource itself.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(instance, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring WidenAscii(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string ToCodePage(std::wstring_view text) {
  if (text.empty()) return {};
  const int units = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), units, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}

}  // namespace quillon::win32ui
