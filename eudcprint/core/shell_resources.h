// The print program's shell as data: command identifiers, menu 128, accelerator table 128 and the
// shell's texts that the string table does not hold. Both the Qt front end and a native one build
// their windows from these tables, and the resource tool writes them into the resource script.
// Texts are code page 950.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "string_table.h"

namespace pictor {

// Command identifiers keep the platform's resource naming, as the menus, the accelerators and the
// generated resource.h spell them. Each is listed once, X(name, number); the list also gives the
// names to the resource tool and to the Windows adapter's checks.
#define PICTOR_COMMAND_IDS(X)     \
  X(ID_FONT_SETTING, 32771)       \
  X(ID_PRINT_RANGE, 32772)        \
  X(ID_NOTES, 32773)              \
  X(ID_FILE_NEW, 57600)           \
  X(ID_FILE_OPEN, 57601)          \
  X(ID_FILE_SAVE, 57603)          \
  X(ID_FILE_PRINT_SETUP, 57606)   \
  X(ID_FILE_PRINT, 57607)         \
  X(ID_FILE_PRINT_DIRECT, 57608)  \
  X(ID_FILE_PRINT_PREVIEW, 57609) \
  X(ID_EDIT_COPY, 57634)          \
  X(ID_EDIT_CUT, 57635)           \
  X(ID_EDIT_PASTE, 57637)         \
  X(ID_EDIT_UNDO, 57643)          \
  X(ID_APP_ABOUT, 57664)          \
  X(ID_APP_EXIT, 57665)           \
  X(ID_NEXT_PANE, 57680)          \
  X(ID_PREV_PANE, 57681)          \
  X(ID_PREVIEW_CLOSE, 58112)      \
  X(ID_PREVIEW_NUMPAGE, 58113)    \
  X(ID_PREVIEW_NEXT, 58114)       \
  X(ID_PREVIEW_PREV, 58115)       \
  X(ID_PREVIEW_PRINT, 58116)      \
  X(ID_PREVIEW_ZOOMIN, 58117)     \
  X(ID_PREVIEW_ZOOMOUT, 58118)

#define PICTOR_DECLARE_COMMAND_ID(name, number) inline constexpr std::uint16_t name = number;
PICTOR_COMMAND_IDS(PICTOR_DECLARE_COMMAND_ID)
#undef PICTOR_DECLARE_COMMAND_ID

struct NamedCommand {
  std::string_view name;
  std::uint16_t id;
};

// Every command identifier with its name, in the order of the list.
#define PICTOR_NAME_COMMAND_ID(name, number) NamedCommand{#name, name},
inline constexpr NamedCommand kCommandIds[] = {PICTOR_COMMAND_IDS(PICTOR_NAME_COMMAND_ID)};
#undef PICTOR_NAME_COMMAND_ID

// Resource numbers: menu 128, accelerator table 128 and the program's icon 128 share the frame's
// number; the resources' language is Traditional Chinese (Taiwan), 1028.
inline constexpr int kMainFrameResourceId = 128;
inline constexpr std::uint16_t kResourceLanguage = 1028;

// Texts of the shell that the string table does not hold.
inline constexpr std::string_view kKaiFaceName = "\xbc\xd0\xb7\xa2\xc5\xe9";  // 標楷體
// (若有輸入碼而無字,則該字僅用於系統標準造字檔)
inline constexpr std::string_view kKaiTitleSuffix =
    "(\xadY\xa6\xb3\xbf\xe9\xa4J\xbdX\xa6\xd3\xb5L\xa6r,\xabh\xb8\xd3\xa6r\xb6\xc8\xa5\xce\xa9\xf3\xa8t"
    "\xb2\xce\xbc\xd0\xb7\xc7\xb3y\xa6r\xc0\xc9)";
inline constexpr std::string_view kNotesCaption =
    "\xb3y\xa6r\xa6"
    "C\xa6L-\xb5\xf9\xb8\xd1";  // 造字列印-註解
// 【新注音/新倉頡】與【注音/倉頡】之字根資料完全相同。
inline constexpr std::string_view kNotesText =
    "\xa1i\xb7s\xaa`\xad\xb5/\xb7s\xad\xdc\xbe"
    "e\xa1j\xbbP\xa1i\xaa`\xad\xb5/\xad\xdc\xbe"
    "e\xa1j\xa4\xa7"
    "\xa6r\xae\xda\xb8\xea\xae\xc6\xa7\xb9\xa5\xfe\xac\xdb\xa6P\xa1"
    "C";
// The document title buffer holds 255 bytes with its terminator.
inline constexpr std::size_t kDocumentTitleSize = 255;

struct MenuItem {
  std::string_view text;  // empty with command 0: a separator
  std::uint16_t command;
};

struct MenuPopup {
  std::string_view text;
  std::span<const MenuItem> items;
};

inline constexpr std::array<MenuItem, 8> kFileMenuItems = {{
    {"\xb3]\xa9w\xa6r\xa7\xce(&R)...", ID_FONT_SETTING},  // 設定字形(&R)...
    {"\xb3]\xa9w\xa6"
     "C\xa6L\xbd"
     "d\xb3\xf2(&L)...",
     ID_PRINT_RANGE},  // 設定列印範圍(&L)...
    {"", 0},
    {"\xa6"
     "C\xa6L(&P)...\tCtrl+P",
     ID_FILE_PRINT},  // 列印(&P)...
    {"\xb9w\xc4\xfd\xa6"
     "C\xa6L(&V)",
     ID_FILE_PRINT_PREVIEW},  // 預覽列印(&V)
    {"\xa6"
     "C\xa6L\xb3]\xa9w(&S)...",
     ID_FILE_PRINT_SETUP},  // 列印設定(&S)...
    {"", 0},
    {"\xb5\xb2\xa7\xf4(&X)", ID_APP_EXIT},  // 結束(&X)
}};

inline constexpr std::array<MenuItem, 2> kHelpMenuItems = {{
    {"\xb5\xf9\xb8\xd1", ID_NOTES},  // 註解
    {"\xc3\xf6\xa9\xf3\xa5~\xa6r\xa6"
     "C\xa6L\xb5{\xa6\xa1(&A)...",
     ID_APP_ABOUT},  // 關於外字列印程式(&A)...
}};

// Menu 128.
inline constexpr std::array<MenuPopup, 2> kMainMenu = {{
    {"\xc0\xc9\xae\xd7(&F)", kFileMenuItems},  // 檔案(&F)
    {"\xbb\xa1\xa9\xfa(&H)", kHelpMenuItems},  // 說明(&H)
}};

// Accelerator keys: every entry is a virtual-key code, with modifier flags.
inline constexpr std::uint8_t kAccelVirtualKey = 0x01;
inline constexpr std::uint8_t kAccelShift = 0x04;
inline constexpr std::uint8_t kAccelControl = 0x08;
inline constexpr std::uint8_t kAccelAlt = 0x10;
// Virtual keys other than letters and digits, whose codes are their ASCII upper case.
inline constexpr std::uint16_t kVkBack = 0x08;
inline constexpr std::uint16_t kVkInsert = 0x2D;
inline constexpr std::uint16_t kVkDelete = 0x2E;
inline constexpr std::uint16_t kVkF6 = 0x75;

struct NamedKey {
  std::uint16_t virtual_key;
  std::string_view name;  // as the platform's headers name it
};
inline constexpr std::array<NamedKey, 4> kVirtualKeyNames = {{
    {kVkBack, "VK_BACK"},
    {kVkInsert, "VK_INSERT"},
    {kVkDelete, "VK_DELETE"},
    {kVkF6, "VK_F6"},
}};

struct Accelerator {
  std::uint8_t modifiers;
  std::uint16_t virtual_key;
  std::uint16_t command;
};

// Accelerator table 128.
inline constexpr std::array<Accelerator, 14> kAccelerators = {{
    {kAccelControl, 'N', ID_FILE_NEW},
    {kAccelControl, 'O', ID_FILE_OPEN},
    {kAccelControl, 'S', ID_FILE_SAVE},
    {kAccelControl, 'P', ID_FILE_PRINT},
    {kAccelControl, 'Z', ID_EDIT_UNDO},
    {kAccelAlt, kVkBack, ID_EDIT_UNDO},
    {kAccelControl, 'X', ID_EDIT_CUT},
    {kAccelShift, kVkDelete, ID_EDIT_CUT},
    {kAccelControl, 'C', ID_EDIT_COPY},
    {kAccelControl, kVkInsert, ID_EDIT_COPY},
    {kAccelControl, 'V', ID_EDIT_PASTE},
    {kAccelShift, kVkInsert, ID_EDIT_PASTE},
    {0, kVkF6, ID_NEXT_PANE},
    {kAccelShift, kVkF6, ID_PREV_PANE},
}};

// Told when a job cannot be started or finished: 無法列印！
inline constexpr std::string_view kPrintFailed =
    "\xb5L\xaak\xa6"
    "C\xa6L\xa1I";
// Told when a document file cannot be opened or written: 無法開啟或寫入此檔案！
inline constexpr std::string_view kDocumentFileFailed =
    "\xb5L\xaak\xb6}\xb1\xd2\xa9\xce\xbcg\xa4J\xa6\xb9\xc0\xc9\xae\xd7\xa1I";

}  // namespace pictor
