// The preview window as its toolbar is clicked: the buttons of dialog 30723 in order with the
// model's texts and enabling, the pages the model shows recorded and laid side by side, the page
// description, zoom, and 列印 ending the preview with print asked for. And where the sheets go.
#include "win32ui/printing/preview_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "core/shell_resources.h"
#include "tests/win32/dialog_driver.h"
#include "tests/win32/metafile_records.h"
#include "tests/win32/printing_test_support.h"

namespace pictor::win32ui {
namespace {

using testing::TextOf;

// On the test printer's A4 pages of 196 codes, FA40 to FEFE (785 codes) take five pages.

class PreviewWindowTest : public ::testing::Test {
 protected:
  PreviewWindowTest()
      : font_file_(testing::WriteEudcFont(folder_, L"eudc.tte", "Preview Test EUDC", {})),
        catalogue_(font_file_, 0xFA40, 0xFEFE),
        pages_(catalogue_.State(), "Catalogue") {
    printer_.EnsurePrinter(false);
    reference_ = printer_.CreateContext(true);
    target_.emplace(reference_.get(), PrintableAreaOf(reference_.get()), std::make_shared<PrivateFontFile>(font_file_));
    model_.emplace(JobLayout(*target_, catalogue_.State()).pageCount);
    window_.emplace(nullptr, *model_, pages_, *target_, printer_.Paper(), L"Preview");
    ShowWindow(window_->Window(), SW_SHOW);
  }

  void Click(std::uint16_t id) { SendMessageW(window_->Button(id), BM_CLICK, 0, 0); }
  std::wstring Label(std::uint16_t id) const { return TextOf(window_->Button(id)); }
  bool Enabled(std::uint16_t id) const { return IsWindowEnabled(window_->Button(id)) != FALSE; }
  // The page number at the foot of each recorded page.
  std::vector<std::wstring> RecordedFooters() const {
    std::vector<std::wstring> footers;
    for (const EnhancedMetafile& page : target_->Pages())
      footers.push_back(testing::ReadMetafile(page.get()).operations.back().text);
    return footers;
  }

  testing::TestFolder folder_;
  std::wstring font_file_;
  testing::TestCatalogue catalogue_;
  PreviewPages pages_;
  PrinterSettings printer_;
  DeviceContext reference_;
  std::optional<MetafileTarget> target_;
  std::optional<PreviewModel> model_;
  std::optional<PreviewWindow> window_;
};

TEST_F(PreviewWindowTest, TheToolbarShowsTheModelsButtonsInOrder) {
  ASSERT_EQ(model_->PageCount(), 5);
  const std::vector<std::uint16_t> order = {ID_PREVIEW_PRINT,  ID_PREVIEW_NEXT,    ID_PREVIEW_PREV, ID_PREVIEW_NUMPAGE,
                                            ID_PREVIEW_ZOOMIN, ID_PREVIEW_ZOOMOUT, ID_PREVIEW_CLOSE};
  LONG left = -1;
  for (const std::uint16_t id : order) {
    RECT place{};
    ASSERT_TRUE(GetWindowRect(window_->Button(id), &place)) << id;
    EXPECT_GT(place.left, left) << id;
    left = place.left;
  }
  EXPECT_EQ(Label(ID_PREVIEW_PRINT), L"\u5217\u5370(&P)...");    // 列印(&P)...
  EXPECT_EQ(Label(ID_PREVIEW_NEXT), L"\u4e0b\u4e00\u9801(&N)");  // 下一頁(&N)
  EXPECT_EQ(Label(ID_PREVIEW_PREV), L"\u4e0a\u4e00\u9801(&V)");  // 上一頁(&V)
  EXPECT_EQ(Label(ID_PREVIEW_NUMPAGE), L"\u5169\u9801(&T)");     // 兩頁(&T)
  EXPECT_EQ(Label(ID_PREVIEW_ZOOMIN), L"\u62c9\u8fd1(&I)");      // 拉近(&I)
  EXPECT_EQ(Label(ID_PREVIEW_ZOOMOUT), L"\u62c9\u9060(&O)");     // 拉遠(&O)
  EXPECT_EQ(Label(ID_PREVIEW_CLOSE), L"\u95dc\u9589(&C)");       // 關閉(&C)
  EXPECT_FALSE(Enabled(ID_PREVIEW_PREV));
  EXPECT_FALSE(Enabled(ID_PREVIEW_ZOOMOUT));
  EXPECT_TRUE(Enabled(ID_PREVIEW_NEXT));
  EXPECT_EQ(TextOf(window_->Description()), L"\u7b2c 1 \u9801");  // 第 1 頁
  EXPECT_EQ(RecordedFooters(), std::vector<std::wstring>{L"\u7b2c 1 \u9801"});
  EXPECT_EQ(TextOf(window_->Window()), L"Preview");
}

TEST_F(PreviewWindowTest, PagingTwoPagesAndZoomFollowTheModel) {
  Click(ID_PREVIEW_NEXT);
  EXPECT_EQ(TextOf(window_->Description()), L"\u7b2c 2 \u9801");
  EXPECT_TRUE(Enabled(ID_PREVIEW_PREV));

  Click(ID_PREVIEW_NUMPAGE);
  EXPECT_EQ(Label(ID_PREVIEW_NUMPAGE), L"\u4e00\u9801(&P)");               // 一頁(&P)
  EXPECT_EQ(TextOf(window_->Description()), L"\u7b2c 2 \u5230 3 \u9801");  // 第 2 到 3 頁
  EXPECT_EQ(RecordedFooters(), (std::vector<std::wstring>{L"\u7b2c 2 \u9801", L"\u7b2c 3 \u9801"}));
  ASSERT_EQ(window_->Layout().sheets.size(), 2u);
  const PreviewSheet first = window_->Layout().sheets[0];
  const PreviewSheet second = window_->Layout().sheets[1];
  EXPECT_GT(second.paper.left, first.paper.right);  // side by side
  EXPECT_EQ(second.paper.top, first.paper.top);

  Click(ID_PREVIEW_NEXT);
  EXPECT_EQ(TextOf(window_->Description()), L"\u7b2c 4 \u5230 5 \u9801");
  EXPECT_FALSE(Enabled(ID_PREVIEW_NEXT));
  // The focus never stays on a button just disabled.
  EXPECT_NE(GetFocus(), window_->Button(ID_PREVIEW_NEXT));

  RECT view{};
  GetClientRect(window_->View(), &view);
  const LONG fitting = window_->Layout().content.cx;
  EXPECT_LE(fitting, view.right);
  Click(ID_PREVIEW_ZOOMIN);
  Click(ID_PREVIEW_ZOOMIN);
  EXPECT_FALSE(Enabled(ID_PREVIEW_ZOOMIN));
  EXPECT_TRUE(Enabled(ID_PREVIEW_ZOOMOUT));
  EXPECT_GT(window_->Layout().content.cx, view.right);  // scrolled now
  const LONG first_width = first.paper.right - first.paper.left;
  const LONG zoomed_width = window_->Layout().sheets[0].paper.right - window_->Layout().sheets[0].paper.left;
  EXPECT_NEAR(zoomed_width, 4 * first_width, 2);  // two doublings
  EXPECT_FALSE(window_->Finished());

  Click(ID_PREVIEW_PRINT);
  EXPECT_TRUE(window_->Finished());
  EXPECT_TRUE(model_->PrintRequested());
}

TEST(PreviewLayout, SheetsFitTheViewAndKeepThePrintableAreaInPlace) {
  // A4 with 5 mm margins in a view twice as wide as high.
  const PaperGeometry a4{{2100, 2970}, {2000, 2870}, 50, 50};
  const PreviewLayout one = LayOutPreview({800, 400}, a4, 1, 1.0, {});
  ASSERT_EQ(one.sheets.size(), 1u);
  const RECT paper = one.sheets[0].paper;
  EXPECT_EQ(paper.bottom - paper.top, 400 - 24);          // fits the height
  EXPECT_NEAR((paper.left + paper.right) / 2.0, 400, 1);  // centred
  EXPECT_NEAR(one.sheets[0].area.left - paper.left, 50 * 376.0 / 2970, 1);

  const PreviewLayout two = LayOutPreview({400, 800}, a4, 2, 1.0, {});
  ASSERT_EQ(two.sheets.size(), 2u);
  EXPECT_LE(two.sheets[1].paper.right, 400 - 12);  // both fit the width
  EXPECT_EQ(two.sheets[1].paper.left - two.sheets[0].paper.right, 16);

  const PreviewLayout zoomed = LayOutPreview({800, 400}, a4, 1, 4.0, {0, 100000});
  EXPECT_GT(zoomed.content.cy, 400);
  EXPECT_EQ(zoomed.sheets[0].paper.bottom + 12, 400);  // scrolled to the end, no further
}

}  // namespace
}  // namespace pictor::win32ui
