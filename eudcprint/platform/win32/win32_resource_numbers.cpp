// The style bits of the dialog layouts are the platform's.
#include <windows.h>

#include "core/dialog_templates.h"

namespace pictor::win32 {

static_assert(kWsTabStop == WS_TABSTOP);
static_assert(kWsGroup == WS_GROUP);
static_assert(kWsVScroll == WS_VSCROLL);
static_assert(kWsBorder == WS_BORDER);
static_assert(kBsPushButton == BS_PUSHBUTTON);
static_assert(kBsDefPushButton == BS_DEFPUSHBUTTON);
static_assert(kBsGroupBox == BS_GROUPBOX);
static_assert(kBsAutoRadioButton == BS_AUTORADIOBUTTON);
static_assert(kBsTypeMask == BS_TYPEMASK);
static_assert(kSsLeft == SS_LEFT);
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

}  // namespace pictor::win32
