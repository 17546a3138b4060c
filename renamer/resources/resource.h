// quillon's resource numbers, written by quillon-mkresources from the core's tables; do not edit.
#ifndef QUILLON_RESOURCE_H
#define QUILLON_RESOURCE_H

// Controls of the window, in tab order.
#define IDC_RGDIR 1001
#define IDC_RGDIR_ITEM0 1002
#define IDC_RGDIR_ITEM1 1003
#define IDC_RGPFOLDER 1004
#define IDC_RGPFOLDER_ITEM0 1005
#define IDC_RGPFOLDER_ITEM1 1006
#define IDC_EDTHD 1007
#define IDC_EDTPATH 1008
#define IDC_BTNBROWSER 1009
#define IDC_BTNSTART 1010
#define IDC_LVLOG 1011
#define IDC_BTNSTOP 1012
#define IDC_LBLNOW 1013

// Texts of the window.
#define IDS_CAPTION 1
#define IDS_RGDIR 2
#define IDS_RGDIR_ITEM0 3
#define IDS_RGDIR_ITEM1 4
#define IDS_RGPFOLDER 5
#define IDS_RGPFOLDER_ITEM0 6
#define IDS_RGPFOLDER_ITEM1 7
#define IDS_BTNBROWSER 8
#define IDS_BTNSTART 9
#define IDS_BTNSTOP 10
#define IDS_LVLOG_COLUMN0 11
#define IDS_LVLOG_COLUMN1 12
#define IDS_LVLOG_COLUMN2 13
#define IDS_BROWSE_TITLE 14
#define IDS_CANNOT_RENAME 15
#define IDS_RECOVERED 16
#define IDS_NOT_RECOVERED 17

// Error texts.
#define IDS_FILE_NOT_FOUND 64
#define IDS_INVALID_FILENAME 65
#define IDS_TOO_MANY_OPEN_FILES 66
#define IDS_FILE_ACCESS_DENIED 67
#define IDS_READ_BEYOND_END 68
#define IDS_DISK_FULL 69
#define IDS_INVALID_NUMERIC_INPUT 70
#define IDS_IO_ERROR 71
#define IDS_NOT_AN_INTEGER 72
#define IDS_CANNOT_CREATE_FILE 73
#define IDS_NOT_A_JOURNAL 74

// The program's icon.
#define IDI_PROGRAM 1

#endif
