#include "win32ui/frame/pictor_app.h"

#include <commctrl.h>
#include <shellapi.h>

#include "core/string_table.h"
#include "platform/win32/win32_platform.h"
#include "win32ui/frame/font_setting_dialog.h"
#include "win32ui/frame/main_frame.h"
#include "win32ui/frame/owned_message_boxes.h"
#include "win32ui/frame/print_range_dialog.h"
#include "win32ui/frame/window_font_list.h"
#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui {
namespace {

// The document named on the command line, if any: the file's path and its name without folders.
std::optional<ChosenFile> DocumentArgument() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return std::nullopt;
  std::optional<ChosenFile> file;
  if (count >= 2) {
    const std::wstring path = arguments[1];
    const std::size_t separator = path.find_last_of(L"\\/:");
    file =
        ChosenFile{WideToCp950(path), WideToCp950(separator == std::wstring::npos ? path : path.substr(separator + 1))};
  }
  LocalFree(arguments);
  return file;
}

}  // namespace

int RunPictor(HINSTANCE instance, FramePrinting& printing, int show_command) {
  // The manifest's common controls draw the dialogs' buttons and lists.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  win32::Win32Platform platform;
  OwnedMessageBoxes messages;
  WindowFontList fonts;
  win32::Win32EudcLink eudc_link;
  win32::Win32WindowsDirectory windows_directory;
  const PictorPorts ports{
      platform.Registry(), platform.KeyboardLayouts(), platform.Files(), messages, platform.Family(), eudc_link, fonts,
      windows_directory};
  Win32FontSettingDialog font_dialog(instance);
  Win32PrintRangeDialog range_dialog(instance);
  ProgramState state;
  printing.FollowAssociation(state.current_association);
  MainFrame frame(instance, state, ports, {font_dialog, range_dialog, platform.DocumentFiles(), printing});
  if (!frame.Create()) return 1;
  fonts.SetWindow(frame.Window());
  font_dialog.SetOwner(frame.Window());
  range_dialog.SetOwner(frame.Window());

  if (const auto document = DocumentArgument(); document && !frame.Shell().OpenDocument(*document)) {
    messages.Warn(document->path, LoadStringResource(kApplicationTitleId));
    return 1;
  }
  frame.Show(show_command);
  frame.Start();

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (frame.TranslateKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace pictor::win32ui
