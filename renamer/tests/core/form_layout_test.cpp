// The window as data: every id, symbol and text once; the table holds the window's controls in tab
// order; the radio items of a group lie level with the fields beside them.

#include "core/form_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "core/error_texts.h"
#include "core/form_texts.h"

namespace quillon {
namespace {

TEST(FormLayout, IdsSymbolsAndTextsAreEachDefinedOnce) {
  std::set<int> control_ids;
  std::set<std::string_view> symbols;
  std::size_t controls = 0;
  for (const ControlSpec& control : MainWindow().controls) {
    control_ids.insert(control.id);
    symbols.insert(control.symbol);
    ++controls;
    for (const RadioItem& item : control.items) {
      control_ids.insert(item.id);
      symbols.insert(item.symbol);
      ++controls;
    }
    EXPECT_EQ(FindControl(control.id), &control);
  }
  EXPECT_EQ(control_ids.size(), controls);
  EXPECT_EQ(FindControl(0), nullptr);

  std::set<int> text_ids;
  std::size_t texts = 0;
  for (const TextEntry& text : FormTexts()) {
    EXPECT_FALSE(text.text.empty());
    EXPECT_EQ(TextOf(text.id), text.text);
    text_ids.insert(static_cast<int>(text.id));
    symbols.insert(text.symbol);
    ++texts;
  }
  for (const ErrorTextEntry& text : ErrorTexts()) {
    text_ids.insert(text.id);
    symbols.insert(text.symbol);
    ++texts;
  }
  EXPECT_EQ(text_ids.size(), texts);
  EXPECT_EQ(symbols.size(), controls + texts);
  EXPECT_EQ(TextOf(TextId::kNone), u"");
}

TEST(FormLayout, ControlsInTabOrderWithTheirFacts) {
  std::vector<std::string_view> names;
  for (const ControlSpec& control : MainWindow().controls) names.push_back(control.name);
  EXPECT_THAT(names, ::testing::ElementsAre("rgDir", "rgpFolder", "edtHD", "edtPath", "btnBrowser", "btnStart", "lvLog",
                                            "btnStop", "lblNow"));
  EXPECT_EQ(MainWindow().client_width, 464);
  EXPECT_EQ(MainWindow().client_height, 334);
  EXPECT_EQ(TextOf(MainWindow().caption), u"重新命名程式");

  // The fields that choose a scope tell the model when they are entered; the buttons when clicked.
  EXPECT_EQ(FindControl(kIdEdtHD)->event, ControlEvent::kEnter);
  EXPECT_EQ(FindControl(kIdEdtPath)->event, ControlEvent::kEnter);
  EXPECT_EQ(FindControl(kIdBtnStart)->event, ControlEvent::kClick);
  EXPECT_TRUE(FindControl(kIdBtnStop)->properties & kDisabledAtStart);
  EXPECT_TRUE(FindControl(kIdEdtHD)->properties & kReadOnly);
  EXPECT_EQ(TextOf(FindControl(kIdRgpFolder)->items[kScopeOneFolderItem].text), u"指定路徑");
  EXPECT_EQ(TextOf(FindControl(kIdRgDir)->items[kDirectionReverseItem].text), u"假名及漢字區 → 使用者造字區");
}

// The two fields lie inside the scope group, each level with the radio item it belongs to.
TEST(FormLayout, ScopeItemsLieLevelWithTheirFields) {
  const ControlSpec& scope = *FindControl(kIdRgpFolder);
  const std::vector<PixelRect> items = RadioItemRects(scope.rect.width, scope.rect.height, 2, 15);
  ASSERT_EQ(items.size(), 2u);
  const auto middle = [](const PixelRect& r) { return r.top + r.height / 2; };
  const auto contains_y = [&](const PixelRect& item, int y) {
    return y >= scope.rect.top + item.top && y < scope.rect.top + item.top + item.height;
  };
  EXPECT_TRUE(contains_y(items[kScopeAllDisksItem], middle(FindControl(kIdEdtHD)->rect)));
  EXPECT_TRUE(contains_y(items[kScopeOneFolderItem], middle(FindControl(kIdEdtPath)->rect)));
  EXPECT_LE(items[0].left + items[0].width, scope.rect.width);

  // The division's remainder is split above and below the items.
  EXPECT_EQ(RadioItemRects(100, 50, 2, 10), (std::vector<PixelRect>{{8, 11, 90, 17}, {8, 28, 90, 17}}));
  EXPECT_EQ(RadioItemRects(100, 50, 3, 10),
            (std::vector<PixelRect>{{8, 12, 90, 11}, {8, 23, 90, 11}, {8, 34, 90, 11}}));
  EXPECT_TRUE(RadioItemRects(100, 50, 0, 10).empty());
}

}  // namespace
}  // namespace quillon
