// The platform's save dialog (GetSaveFileNameW) with the texts the core gives: caption, default
// name and extension, type list. For the file a job prints into, and the document's file.
#pragma once

#include <windows.h>

#include <optional>

#include "core/pictor_shell.h"
#include "core/print_plan.h"

namespace pictor::win32ui {

// The chosen file, path and name in code page 950; nullopt when cancelled.
std::optional<ChosenFile> AskSaveFile(HWND owner, const FileDialogTexts& texts);

}  // namespace pictor::win32ui
