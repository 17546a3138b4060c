#include "win32ui/report_list_view.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "platform/win32/win32_file_system.h"
#include "win32ui/window_texts.h"

namespace quillon::win32ui {

void TReportListView::Create(HWND parent, const ControlSpec& spec, const RECT& rect, HFONT font, HINSTANCE instance,
                             int dpi) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL;
  if (spec.properties & kHeadersNotClickable) style |= LVS_NOSORTHEADER;
  handle_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, static_cast<int>(rect.left),
                            static_cast<int>(rect.top), static_cast<int>(rect.right - rect.left),
                            static_cast<int>(rect.bottom - rect.top), parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (spec.properties & kWholeRowSelect) {
    SendMessageW(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  }
  int index = 0;
  for (const ListColumn& column : spec.columns) {
    std::wstring title = LoadText(instance, column.title);
    LVCOLUMNW lv_column{};
    lv_column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    lv_column.fmt = LVCFMT_LEFT;
    lv_column.cx = MulDiv(column.width, dpi, kLayoutPixelsPerInch);
    lv_column.pszText = title.data();
    lv_column.iSubItem = index;
    SendMessageW(handle_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&lv_column));
    ++index;
  }
}

void TReportListView::AddRow(std::u16string_view first, std::u16string_view second, std::u16string_view third) {
  const int row = static_cast<int>(SendMessageW(handle_, LVM_GETITEMCOUNT, 0, 0));
  std::array<std::wstring, 3> texts = {win32::ToWide(first), win32::ToWide(second), win32::ToWide(third)};
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = 0;
  item.pszText = texts[0].data();
  const int inserted = static_cast<int>(SendMessageW(handle_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (inserted < 0) return;
  for (int column = 1; column < 3; ++column) {
    item.iItem = inserted;
    item.iSubItem = column;
    item.pszText = texts[static_cast<std::size_t>(column)].data();
    SendMessageW(handle_, LVM_SETITEMTEXTW, static_cast<WPARAM>(inserted), reinterpret_cast<LPARAM>(&item));
  }
}

void TReportListView::Clear() { SendMessageW(handle_, LVM_DELETEALLITEMS, 0, 0); }

}  // namespace quillon::win32ui
