// The numbers of the core's resource tables are the platform's: window, dialog and control
// styles, control and command identifiers, virtual keys, accelerator flags and the resources'
// language. The generated resource script writes the tables' numbers; these checks tie them to
// what the platform's headers define.
#include <windows.h>

#include "core/dialog_templates.h"
#include "core/shell_resources.h"

namespace pictor::win32 {

static_assert(kWsPopup == WS_POPUP);
static_assert(kWsChild == WS_CHILD);
static_assert(kWsCaption == WS_CAPTION);
static_assert(kWsSysMenu == WS_SYSMENU);
static_assert(kWsTabStop == WS_TABSTOP);
static_assert(kWsGroup == WS_GROUP);
static_assert(kWsVScroll == WS_VSCROLL);
static_assert(kWsBorder == WS_BORDER);
static_assert(kDsModalFrame == DS_MODALFRAME);
static_assert(kBsPushButton == BS_PUSHBUTTON);
static_assert(kBsDefPushButton == BS_DEFPUSHBUTTON);
static_assert(kBsGroupBox == BS_GROUPBOX);
static_assert(kBsAutoRadioButton == BS_AUTORADIOBUTTON);
static_assert(kBsTypeMask == BS_TYPEMASK);
static_assert(kSsLeft == SS_LEFT);
static_assert(kSsCenter == SS_CENTER);
static_assert(kSsRight == SS_RIGHT);
static_assert(kEsCenter == ES_CENTER);
static_assert(kEsUppercase == ES_UPPERCASE);
static_assert(kEsAutoHScroll == ES_AUTOHSCROLL);
static_assert(kLbsNotify == LBS_NOTIFY);
static_assert(kLbsSort == LBS_SORT);
static_assert(kLbsMultipleSel == LBS_MULTIPLESEL);
static_assert(kLbsOwnerDrawFixed == LBS_OWNERDRAWFIXED);
static_assert(kLbsNoIntegralHeight == LBS_NOINTEGRALHEIGHT);
static_assert(kCbsDropDownList == CBS_DROPDOWNLIST);
static_assert(kIdOk == IDOK);
static_assert(kIdCancel == IDCANCEL);

static_assert(kAccelVirtualKey == FVIRTKEY);
static_assert(kAccelShift == FSHIFT);
static_assert(kAccelControl == FCONTROL);
static_assert(kAccelAlt == FALT);
static_assert(kVkBack == VK_BACK);
static_assert(kVkInsert == VK_INSERT);
static_assert(kVkDelete == VK_DELETE);
static_assert(kVkF6 == VK_F6);
static_assert(kResourceLanguage == MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL));

}  // namespace pictor::win32

// The command identifiers as the resource script sees them, through the generated resource.h:
// each is taken from the core before the header's macro of the same name exists, then compared.
#define PICTOR_TAKE_COMMAND_ID(name, number) constexpr std::uint16_t kCore_##name = pictor::name;
PICTOR_COMMAND_IDS(PICTOR_TAKE_COMMAND_ID)
#include "resources/resource.h"
#define PICTOR_TIE_COMMAND_ID(name, number) static_assert(kCore_##name == name, #name);
PICTOR_COMMAND_IDS(PICTOR_TIE_COMMAND_ID)
