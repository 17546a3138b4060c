// GDI's side of the EUDC associations: the EnableEUDC switch and the font enumeration.
#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace pictor::win32 {

static_assert(kChineseBig5Charset == CHINESEBIG5_CHARSET);
static_assert(kTrueTypeFontType == TRUETYPE_FONTTYPE);

bool Win32EudcLink::Find() {
  char directory[255];
  const UINT length = GetSystemDirectoryA(directory, sizeof directory);
  if (length == 0 || length >= sizeof directory) return false;
  const std::string path = std::string(directory, length) + "\\" + module_;
  // The module is loaded already; GetModuleHandleA never loads one.
  enable_eudc_ = nullptr;
  const HMODULE module = GetModuleHandleA(path.c_str());
  if (module == nullptr) return false;
  enable_eudc_ = reinterpret_cast<EnableEudcFunction>(reinterpret_cast<void*>(GetProcAddress(module, "EnableEUDC")));
  return enable_eudc_ != nullptr;
}

void Win32EudcLink::EnableEudc(bool enable) {
  if (enable_eudc_ != nullptr) enable_eudc_(enable ? TRUE : FALSE);
}

namespace {

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD font_type, LPARAM faces) {
  reinterpret_cast<std::vector<FontFace>*>(faces)->push_back(
      {font->lfFaceName, font->lfCharSet, static_cast<std::uint32_t>(font_type)});
  return 1;
}

}  // namespace

std::vector<FontFace> FacesOf(HDC dc) {
  std::vector<FontFace> faces;
  EnumFontsA(dc, nullptr, CollectFace, reinterpret_cast<LPARAM>(&faces));
  return faces;
}

std::vector<FontFace> Win32FontList::InstalledFaces() {
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return {};
  std::vector<FontFace> faces = FacesOf(screen);
  ReleaseDC(nullptr, screen);
  return faces;
}

}  // namespace pictor::win32
