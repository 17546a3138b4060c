#include "win32ui/printing/save_file_dialog.h"

#include <commdlg.h>

#include <string>

#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui {
namespace {

// Room for a path the dialog may answer.
constexpr std::size_t kPathRoom = 32768;

// "text\0patterns\0...\0\0", as the dialog takes its type list.
std::wstring FilterList(const FileDialogTexts& texts) {
  std::wstring list;
  for (const FileFilter& filter : texts.filters) {
    list += Cp950ToWide(filter.description);
    list.push_back(L'\0');
    list += Cp950ToWide(filter.patterns);
    list.push_back(L'\0');
  }
  list.push_back(L'\0');
  return list;
}

}  // namespace

std::optional<ChosenFile> AskSaveFile(HWND owner, const FileDialogTexts& texts) {
  const std::wstring filters = FilterList(texts);
  const std::wstring caption = Cp950ToWide(texts.caption);
  const std::wstring extension = Cp950ToWide(texts.default_extension);
  std::wstring path(kPathRoom, L'\0');
  const std::wstring name = Cp950ToWide(texts.default_name);
  path.replace(0, std::min(name.size(), kPathRoom - 1), name, 0, kPathRoom - 1);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = texts.filters.empty() ? nullptr : filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  path.resize(path.find(L'\0'));
  return ChosenFile{WideToCp950(path), WideToCp950(std::wstring_view(path).substr(dialog.nFileOffset))};
}

}  // namespace pictor::win32ui
