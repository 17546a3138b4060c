// The platform's dialogs as the printing side opens them: the print dialog with the offered pages
// and copies, whose answer becomes the choice (and 列印至檔案 a file still to be chosen); the save
// dialog with the print-to-file texts; page setup, whose orientation the next job's area follows.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <dlgs.h>

#include "core/print_plan.h"
#include "tests/win32/dialog_driver.h"
#include "tests/win32/printing_test_support.h"
#include "win32ui/printing/win32_printing.h"

namespace pictor::win32ui {
namespace {

using testing::FindChild;
using testing::TextOf;
using testing::WithDialog;

void Press(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TEST(PrintingDialogs, ThePrintDialogOpensAsOfferedAndAnswersTheChoice) {
  Win32Printing printing;
  PrintDialogOffer offer = OfferPrintDialog(7);
  offer.copies = 1;
  std::wstring caption, from, to;
  bool all_pages = false;
  std::optional<PrintChoice> choice;
  WithDialog(
      [&](HWND dialog) {
        caption = TextOf(dialog);
        from = TextOf(GetDlgItem(dialog, edt1));
        to = TextOf(GetDlgItem(dialog, edt2));
        all_pages = IsDlgButtonChecked(dialog, rad1) == BST_CHECKED;
        CheckRadioButton(dialog, rad1, rad3, rad3);
        SetDlgItemTextW(dialog, edt1, L"2");
        SetDlgItemTextW(dialog, edt2, L"3");
        SetDlgItemTextW(dialog, edt3, L"2");
        Press(dialog, IDOK);
      },
      [&] { choice = printing.AskPrint(offer); });
  EXPECT_EQ(caption, L"\u5217\u5370");  // 列印
  EXPECT_EQ(from, L"1");
  EXPECT_EQ(to, L"7");
  EXPECT_TRUE(all_pages);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->pages, (PageSpan{2, 3}));
  EXPECT_EQ(choice->copies, 2);

  // Every page, printed to a file still to be chosen: the file of an earlier job is forgotten.
  printing.Printer().SetOutputFile("C:\\earlier.prn");
  WithDialog(
      [&](HWND dialog) {
        CheckDlgButton(dialog, chx1, BST_CHECKED);
        Press(dialog, IDOK);
      },
      [&] { choice = printing.AskPrint(offer); });
  ASSERT_TRUE(choice);
  EXPECT_FALSE(choice->pages);
  EXPECT_TRUE(NeedsOutputFile(printing.Printer().Destination()));

  WithDialog([&](HWND dialog) { Press(dialog, IDCANCEL); }, [&] { choice = printing.AskPrint(offer); });
  EXPECT_FALSE(choice);
}

TEST(PrintingDialogs, TheSaveDialogOffersThePrintToFileTexts) {
  testing::TestFolder folder;
  const std::wstring chosen = folder / L"pages.prn";
  Win32Printing printing;
  std::wstring caption, name;
  std::optional<ChosenFile> file;
  WithDialog(
      [&](HWND dialog) {
        caption = TextOf(dialog);
        HWND field = FindChild(dialog, L"Edit", L"", edt1);
        if (field == nullptr) field = FindChild(dialog, L"Edit", L"Output.prn");
        name = field != nullptr ? TextOf(field) : L"";
        if (field != nullptr) SetWindowTextW(field, chosen.c_str());
        Press(dialog, IDOK);
      },
      [&] { file = printing.AskSavePath(PrintToFileDialog()); });
  EXPECT_EQ(caption, L"\u5217\u5370\u81f3\u6a94\u6848");  // 列印至檔案
  EXPECT_EQ(name, L"Output.prn");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->path, WideToCp950(chosen));
  EXPECT_EQ(file->name, "pages.prn");

  // A name typed without its extension gets the default one.
  WithDialog(
      [&](HWND dialog) {
        HWND field = FindChild(dialog, L"Edit", L"Output.prn");
        if (field != nullptr) SetWindowTextW(field, (folder / L"bare").c_str());
        Press(dialog, IDOK);
      },
      [&] { file = printing.AskSavePath(PrintToFileDialog()); });
  ASSERT_TRUE(file);
  EXPECT_EQ(file->name, "bare.prn");
}

TEST(PrintingDialogs, PageSetupChangesThePaperOfTheNextJob) {
  Win32Printing printing;
  const PrintableArea portrait = printing.Printer().Area();
  bool margins_enabled = true;
  WithDialog(
      [&](HWND dialog) {
        margins_enabled = IsWindowEnabled(GetDlgItem(dialog, edt4)) != FALSE;
        CheckRadioButton(dialog, rad1, rad2, rad2);
        Press(dialog, rad2);
        Press(dialog, IDOK);
      },
      [&] { printing.AskPageSetup(); });
  EXPECT_FALSE(margins_enabled);
  const PrintableArea landscape = printing.Printer().Area();
  EXPECT_EQ(landscape.width, portrait.height);
  EXPECT_EQ(landscape.height, portrait.width);
}

}  // namespace
}  // namespace pictor::win32ui
