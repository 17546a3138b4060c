#include "win32ui/frame/file_dialogs.h"

#include <commdlg.h>

#include <string>

#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui {
namespace {

// Room for a path, as the dialogs fill it.
constexpr std::size_t kPathRoom = 1024;

ChosenFile ChosenOf(const std::wstring& path, std::size_t name_offset) {
  return {WideToCp950(path), WideToCp950(std::wstring_view(path).substr(name_offset))};
}

std::wstring ResultPath(const std::wstring& buffer) { return buffer.substr(0, buffer.find(L'\0')); }

}  // namespace

std::wstring FilterString(const std::vector<FileFilter>& filters) {
  std::wstring text;
  for (const FileFilter& filter : filters) {
    text += Cp950ToWide(filter.description);
    text += L'\0';
    text += Cp950ToWide(filter.patterns);
    text += L'\0';
  }
  text += L'\0';
  return text;
}

std::optional<ChosenFile> AskOpenFile(HWND owner) {
  std::wstring path(kPathRoom, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  return ChosenOf(ResultPath(path), dialog.nFileOffset);
}

std::optional<ChosenFile> AskSaveFile(HWND owner, const FileDialogTexts& texts) {
  std::wstring path = Cp950ToWide(texts.default_name);
  path.resize(kPathRoom, L'\0');
  const std::wstring caption = Cp950ToWide(texts.caption);
  const std::wstring extension = Cp950ToWide(texts.default_extension);
  const std::wstring filters = FilterString(texts.filters);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  if (!texts.filters.empty()) dialog.lpstrFilter = filters.c_str();
  if (!caption.empty()) dialog.lpstrTitle = caption.c_str();
  if (!extension.empty()) dialog.lpstrDefExt = extension.c_str();
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  return ChosenOf(ResultPath(path), dialog.nFileOffset);
}

}  // namespace pictor::win32ui
