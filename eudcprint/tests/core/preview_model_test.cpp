// The preview without its window: the pages shown, one or two consecutive ones, the zoom steps,
// the enabled buttons, the button labels and the page description.
#include "core/preview_model.h"

#include <gtest/gtest.h>

#include "core/shell_resources.h"
#include "core/string_table.h"

namespace pictor {
namespace {

constexpr std::string_view kOnePage = "\xb2\xc4 1 \xad\xb6";                 // 第 1 頁
constexpr std::string_view kOneToTwo = "\xb2\xc4 1 \xa8\xec 2 \xad\xb6";     // 第 1 到 2 頁
constexpr std::string_view kThreeToFour = "\xb2\xc4 3 \xa8\xec 4 \xad\xb6";  // 第 3 到 4 頁

TEST(PreviewModel, OpensOnTheFirstPageAloneFittingTheWindow) {
  const PreviewModel model(32);
  EXPECT_EQ(model.Shown(), (PageSpan{1, 1}));
  EXPECT_EQ(model.Description(), kOnePage);
  EXPECT_EQ(model.ZoomStep(), 0);
  EXPECT_EQ(model.ZoomFactor(), 1.0);
  EXPECT_TRUE(model.IsEnabled(ID_PREVIEW_NEXT));
  EXPECT_FALSE(model.IsEnabled(ID_PREVIEW_PREV));
  EXPECT_TRUE(model.IsEnabled(ID_PREVIEW_NUMPAGE));
  EXPECT_TRUE(model.IsEnabled(ID_PREVIEW_ZOOMIN));
  EXPECT_FALSE(model.IsEnabled(ID_PREVIEW_ZOOMOUT));
  EXPECT_TRUE(model.IsEnabled(ID_PREVIEW_PRINT));
  EXPECT_TRUE(model.IsEnabled(ID_PREVIEW_CLOSE));
  EXPECT_EQ(model.Label(ID_PREVIEW_NUMPAGE), LoadStringResource(kPreviewTwoPagesId));
  EXPECT_EQ(model.Label(ID_PREVIEW_NEXT), "\xa4U\xa4@\xad\xb6(&N)");  // 下一頁(&N)
}

TEST(PreviewModel, TwoPagesAreConsecutiveStartingWithTheCurrentPage) {
  PreviewModel model(32);
  EXPECT_EQ(model.Press(ID_PREVIEW_NUMPAGE), PreviewAction::kShowPages);
  EXPECT_EQ(model.Shown(), (PageSpan{1, 2}));
  EXPECT_EQ(model.Description(), kOneToTwo);
  EXPECT_EQ(model.Label(ID_PREVIEW_NUMPAGE), LoadStringResource(kPreviewOnePageId));
  EXPECT_EQ(model.Press(ID_PREVIEW_NEXT), PreviewAction::kShowPages);
  EXPECT_EQ(model.Shown(), (PageSpan{3, 4}));
  EXPECT_EQ(model.Description(), kThreeToFour);
  model.Press(ID_PREVIEW_PREV);
  EXPECT_EQ(model.Shown(), (PageSpan{1, 2}));

  // From page 2 in one-page mode, two pages show 2 and 3.
  PreviewModel second(32);
  second.Press(ID_PREVIEW_NEXT);
  second.Press(ID_PREVIEW_NUMPAGE);
  EXPECT_EQ(second.Shown(), (PageSpan{2, 3}));
  second.Press(ID_PREVIEW_PREV);
  EXPECT_EQ(second.Shown(), (PageSpan{1, 2}));
  second.Press(ID_PREVIEW_NUMPAGE);
  EXPECT_EQ(second.Shown(), (PageSpan{1, 1}));
}

TEST(PreviewModel, TheLastPageOfAnOddCountShowsAlone) {
  PreviewModel model(3);
  model.Press(ID_PREVIEW_NUMPAGE);
  model.Press(ID_PREVIEW_NEXT);
  EXPECT_EQ(model.Shown(), (PageSpan{3, 3}));
  EXPECT_EQ(model.Description(), "\xb2\xc4 3 \xad\xb6");
  EXPECT_FALSE(model.IsEnabled(ID_PREVIEW_NEXT));
  EXPECT_EQ(model.Press(ID_PREVIEW_NEXT), PreviewAction::kNone);
  EXPECT_EQ(model.Shown(), (PageSpan{3, 3}));
}

TEST(PreviewModel, AOnePageJobHasNothingToTurn) {
  PreviewModel model(1);
  EXPECT_FALSE(model.IsEnabled(ID_PREVIEW_NEXT));
  EXPECT_FALSE(model.IsEnabled(ID_PREVIEW_NUMPAGE));
  EXPECT_EQ(model.Press(ID_PREVIEW_NUMPAGE), PreviewAction::kNone);
  EXPECT_FALSE(model.TwoPages());
}

TEST(PreviewModel, ZoomsInTwoStepsEachDoublingAndBack) {
  PreviewModel model(32);
  EXPECT_EQ(model.Press(ID_PREVIEW_ZOOMIN), PreviewAction::kZoom);
  EXPECT_EQ(model.Press(ID_PREVIEW_ZOOMIN), PreviewAction::kZoom);
  EXPECT_EQ(model.ZoomFactor(), 4.0);
  EXPECT_FALSE(model.IsEnabled(ID_PREVIEW_ZOOMIN));
  EXPECT_EQ(model.Press(ID_PREVIEW_ZOOMIN), PreviewAction::kNone);
  EXPECT_EQ(model.ZoomStep(), kPreviewZoomSteps);
  model.Press(ID_PREVIEW_ZOOMOUT);
  model.Press(ID_PREVIEW_ZOOMOUT);
  EXPECT_EQ(model.ZoomFactor(), 1.0);
  EXPECT_FALSE(model.IsEnabled(ID_PREVIEW_ZOOMOUT));
}

TEST(PreviewModel, PrintAndCloseEndThePreviewAndOnlyPrintAsksForTheJob) {
  PreviewModel closed(32);
  EXPECT_EQ(closed.Press(ID_PREVIEW_CLOSE), PreviewAction::kClose);
  EXPECT_FALSE(closed.PrintRequested());
  PreviewModel printed(32);
  EXPECT_EQ(printed.Press(ID_PREVIEW_PRINT), PreviewAction::kPrint);
  EXPECT_TRUE(printed.PrintRequested());
}

TEST(PreviewModel, DescriptionsUseTheTwoFormsOfTheString) {
  EXPECT_EQ(DescribePreviewPages({12, 12}), "\xb2\xc4 12 \xad\xb6");
  EXPECT_EQ(DescribePreviewPages({30, 31}), "\xb2\xc4 30 \xa8\xec 31 \xad\xb6");
}

}  // namespace
}  // namespace pictor
