// The Windows frame's mapping, in the process: the list's bitmaps as the program loads them, an
// owner-drawn item as it is painted, and the frame's commands through its window over ports in
// memory. Needs a display (run by frame_test.sh under Xvfb).
#include <gtest/gtest.h>
#include <windows.h>

#include <span>
#include <string>

#include "core/shell_resources.h"
#include "pictor.xpm"
#include "tests/support/choice_fakes.h"
#include "tests/support/test_texts.h"
#include "tests/win32ui/recording_printing.h"
#include "tools/resource_images.h"
#include "ttflogo1.xpm"
#include "ttflogo2.xpm"
#include "win32ui/frame/association_item_painter.h"
#include "win32ui/frame/gdi_handles.h"
#include "win32ui/frame/main_frame.h"
#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui {
namespace {

using testing::ChoiceFixture;
using testing::kMing;
using testing::kSystemDefault;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

COLORREF ColourOf(std::uint32_t rgb) { return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

// A 24-bit picture to draw on, selected into a memory context.
class Canvas {
 public:
  Canvas(int width, int height) : dc_(nullptr) {
    const WindowDc screen(nullptr);
    bitmap_ = OwnedBitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    selected_.emplace(dc_.Get(), bitmap_.Get());
  }
  HDC Get() const { return dc_.Get(); }
  COLORREF At(int x, int y) const { return GetPixel(dc_.Get(), x, y); }

 private:
  MemoryDc dc_;
  OwnedBitmap bitmap_;
  std::optional<Selection> selected_;
};

template <std::size_t N>
resources::XpmPicture Picture(const char* const (&lines)[N]) {
  return resources::ParseXpm(std::span<const char* const>(lines, N));
}

COLORREF XpmColour(const resources::XpmPicture& picture, int x, int y) {
  return ColourOf(*picture.colours[picture.pixels[static_cast<std::size_t>(y * picture.width + x)]]);
}

TEST(FrameResources, TheListBitmapsHaveThePixelsOfTheirPictures) {
  const ItemBitmaps bitmaps(Instance());
  for (const auto& [bitmap, picture] : {std::pair{ItemBitmap::kTtfLogo1, Picture(kTtflogo1Xpm)},
                                        std::pair{ItemBitmap::kTtfLogo2, Picture(kTtflogo2Xpm)}}) {
    ASSERT_NE(bitmaps.Get(bitmap), nullptr);
    BITMAP info{};
    GetObjectW(bitmaps.Get(bitmap), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, kItemBitmapSize);
    EXPECT_EQ(info.bmHeight, kItemBitmapSize);
    const MemoryDc dc(nullptr);
    const Selection selected(dc.Get(), bitmaps.Get(bitmap));
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        ASSERT_EQ(GetPixel(dc.Get(), x, y), XpmColour(picture, x, y)) << x << "," << y;
      }
    }
  }
  EXPECT_NE(LoadIconW(Instance(), MAKEINTRESOURCEW(kMainFrameResourceId)), nullptr);
}

// Paints one item of 200 x 20 pixels in the state given and reports the canvas.
void PaintItem(Canvas& canvas, UINT state, UINT action = ODA_DRAWENTIRE) {
  EudcAssociation association;
  association.displayName.Assign(kSystemDefault);
  association.eudcFilePath.Assign("C:\\FONTS\\EUDC.TTE");
  const ItemBitmaps bitmaps(Instance());
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_LISTBOX;
  item.itemAction = action;
  item.itemState = state;
  item.hDC = canvas.Get();
  item.rcItem = {0, 0, 200, 20};
  PaintAssociationItem(item, association, bitmaps);
}

TEST(FrameResources, ASelectedItemIsNavyWithItsBitmapCopiedWholeAndAnotherWhite) {
  const auto logo1 = Picture(kTtflogo1Xpm);
  const auto logo2 = Picture(kTtflogo2Xpm);
  Canvas selected(200, 20);
  PaintItem(selected, ODS_SELECTED | ODS_FOCUS, ODA_SELECT);
  EXPECT_EQ(selected.At(1, 10), RGB(0, 0, 128));
  EXPECT_EQ(selected.At(199, 19), RGB(0, 0, 128));
  // The bitmap at (left + 2, top), its colours kept by MERGECOPY.
  for (const auto& [x, y] : {std::pair{2, 2}, std::pair{8, 9}, std::pair{0, 0}}) {
    EXPECT_EQ(selected.At(2 + x, y), XpmColour(logo2, x, y)) << x << "," << y;
  }
  Canvas normal(200, 20);
  PaintItem(normal, 0);
  EXPECT_EQ(normal.At(1, 10), RGB(255, 255, 255));
  EXPECT_EQ(normal.At(2 + 2, 2), XpmColour(logo1, 2, 2));
  // Text in black from x = 26 on, and the file label before the right edge.
  auto has_black = [&](int from, int to) {
    for (int x = from; x < to; ++x) {
      for (int y = 0; y < 20; ++y) {
        if (normal.At(x, y) == RGB(0, 0, 0)) return true;
      }
    }
    return false;
  };
  EXPECT_FALSE(has_black(22, 26));
  EXPECT_TRUE(has_black(26, 60));
  EXPECT_TRUE(has_black(150, 198));
  EXPECT_FALSE(has_black(198, 200));
}

// The frame over ports in memory: 細明體 and the system default linked, 標準造字 chosen when the
// font setting runs, the range dialog cancelled.
class Frame : public ::testing::Test {
 protected:
  class CancelledRange : public PrintRangeDialogPort {
   public:
    bool Run(PrintRangeModel&) override {
      ++runs;
      return false;
    }
    int runs = 0;
  };
  class NoDocuments : public DocumentFilePort {
   public:
    bool CanRead(std::string_view) override { return false; }
    bool WriteEmpty(std::string_view) override { return false; }
  };

  void SetUp() override {
    auto links = fixture_.registry.memory.Create(RegistryRoot::kCurrentUser, "EUDC\\950");
    links->Set({"SystemDefaultEUDCFont", kRegSz, "C:\\FONTS\\EUDC.TTE"});
    links->Set({std::string(kMing), kRegSz, "C:\\FONTS\\MING.TTE"});
    fixture_.fonts.faces = {{std::string(kMing), kChineseBig5Charset, kTrueTypeFontType}};
    font_dialog_.choose = std::string(kSystemDefault);
    frame_ = std::make_unique<MainFrame>(Instance(), state_, ports_,
                                         FrameParts{font_dialog_, range_dialog_, documents_, printing_});
    ASSERT_TRUE(frame_->Create());
  }

  std::wstring Caption() const {
    wchar_t text[256] = {};
    GetWindowTextW(frame_->Window(), text, 256);
    return text;
  }

  // Opens the file menu as the user does; whether the command's item is greyed then.
  bool Greyed(std::uint16_t command) {
    const HMENU file_menu = GetSubMenu(GetMenu(frame_->Window()), 0);
    const HMENU help_menu = GetSubMenu(GetMenu(frame_->Window()), 1);
    SendMessageW(frame_->Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file_menu), 0);
    SendMessageW(frame_->Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(help_menu), 1);
    const HMENU menu = GetMenuState(file_menu, command, MF_BYCOMMAND) == static_cast<UINT>(-1) ? help_menu : file_menu;
    return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
  }

  bool MingLinked() {
    const auto links = fixture_.registry.memory.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kRead);
    return links->Query(kMing).has_value();
  }

  void Send(std::uint16_t command) { SendMessageW(frame_->Window(), WM_COMMAND, MAKEWPARAM(command, 0), 0); }

  ChoiceFixture fixture_;
  PictorPorts ports_ = fixture_.Ports();
  ProgramState state_;
  testing::ScriptedFontDialog font_dialog_;
  CancelledRange range_dialog_;
  NoDocuments documents_;
  testing::RecordingPrinting printing_;
  std::unique_ptr<MainFrame> frame_;
};

TEST_F(Frame, BeforeAChoiceTheMenuGreysAndSentCommandsAreRefused) {
  EXPECT_EQ(printing_.owner, frame_->Window());
  EXPECT_EQ(Caption(),
            Cp950ToWide("\xa6\xdb\xb3\x79\xa6\x72 - \xa6\x43\xa6\x4c\xb5\x7b\xa6\xa1"));  // 自造字 - 列印程式
  for (const std::uint16_t command : {ID_PRINT_RANGE, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_APP_ABOUT}) {
    EXPECT_TRUE(Greyed(command)) << command;
  }
  for (const std::uint16_t command : {ID_FONT_SETTING, ID_FILE_PRINT_SETUP, ID_APP_EXIT, ID_NOTES}) {
    EXPECT_FALSE(Greyed(command)) << command;
  }
  Send(ID_FILE_PRINT);
  Send(ID_FILE_PRINT_PREVIEW);
  Send(ID_PRINT_RANGE);
  EXPECT_TRUE(printing_.log.empty());
  EXPECT_EQ(range_dialog_.runs, 0);
  Send(ID_FILE_PRINT_SETUP);  // always enabled
  EXPECT_EQ(printing_.log, std::vector<std::string>{"AskPageSetup"});
}

TEST_F(Frame, TheStartChainsTheChoicesAndClosingPutsTheLinkBack) {
  frame_->Start();
  EXPECT_EQ(font_dialog_.runs, 1);
  EXPECT_EQ(range_dialog_.runs, 1);  // at once after the confirmed choice
  EXPECT_EQ(Caption(), Cp950ToWide(std::string(kSystemDefault) + " - \xa6\x43\xa6\x4c\xb5\x7b\xa6\xa1"));
  EXPECT_FALSE(MingLinked());
  EXPECT_FALSE(Greyed(ID_FILE_PRINT));
  EXPECT_TRUE(Greyed(ID_APP_ABOUT));
  Send(ID_FILE_PRINT);
  Send(ID_FILE_PRINT_PREVIEW);
  ASSERT_EQ(printing_.log.size(), 2u);
  EXPECT_EQ(printing_.log[0].rfind("AskPrint 1-", 0), 0u);
  EXPECT_EQ(printing_.log[1].rfind("ShowPreview ", 0), 0u);

  // 結束 closes the window through a posted message; the link is back once it is gone.
  Send(ID_APP_EXIT);
  MSG message{};
  while (IsWindow(frame_->Window()) && GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  EXPECT_FALSE(IsWindow(frame_->Window()));
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }  // the quit message the closing posted
  EXPECT_TRUE(MingLinked());
}

TEST_F(Frame, TheEndOfTheSessionPutsTheLinkBack) {
  frame_->Start();
  ASSERT_FALSE(MingLinked());
  SendMessageW(frame_->Window(), WM_QUERYENDSESSION, 0, 0);
  SendMessageW(frame_->Window(), WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(MingLinked());
}

}  // namespace
}  // namespace pictor::win32ui
