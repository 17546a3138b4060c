// The platform's open and save dialogs for the frame's document commands and for printing to a
// file. Paths come back in code page 950, as the document files are opened by.
#pragma once

#include <windows.h>

#include <optional>

#include "core/pictor_shell.h"
#include "core/print_plan.h"

namespace pictor::win32ui {

std::optional<ChosenFile> AskOpenFile(HWND owner);
std::optional<ChosenFile> AskSaveFile(HWND owner, const FileDialogTexts& texts);

// The filter string of the dialogs: description and patterns of each filter, each ended by a
// zero, and one zero more.
std::wstring FilterString(const std::vector<FileFilter>& filters);

}  // namespace pictor::win32ui
