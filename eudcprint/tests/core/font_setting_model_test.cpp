// The font-setting dialog's list without a window: as a list box of the platform it keeps its
// selection, so OK always confirms the item shown selected.
#include "core/font_setting_model.h"

#include <gtest/gtest.h>

#include "tests/support/choice_fakes.h"
#include "tests/support/test_texts.h"

namespace pictor {
namespace {

using pictor::testing::kKai;
using pictor::testing::kMing;

TEST(FontSettingModel, TheListKeepsItsSelectionWhenNothingIsChosen) {
  testing::ChoiceFixture f;
  f.fonts.faces = {{std::string(kKai), kChineseBig5Charset, kTrueTypeFontType},
                   {std::string(kMing), kChineseBig5Charset, kTrueTypeFontType}};
  auto links = f.registry.memory.Create(RegistryRoot::kCurrentUser, "EUDC\\950");
  links->Set({std::string(kMing), kRegSz, "C:\\eudc\\ming.tte"});
  links->Set({std::string(kKai), kRegSz, "C:\\eudc\\kai.tte"});
  const PictorPorts ports = f.Ports();
  FontSettingModel model;
  ASSERT_TRUE(model.Open({ports.registry, ports.fonts, ports.windows_directory, ports.messages, f.family.Family()}));
  EXPECT_EQ(model.Selection(), 0u);

  model.Select(1);
  model.Select(std::nullopt);  // a click on the list's blank part
  EXPECT_EQ(model.Selection(), 1u);
  model.Select(7);  // past the list
  EXPECT_EQ(model.Selection(), 1u);
  ASSERT_TRUE(model.Accept());
  EXPECT_EQ(model.Accept()->displayName.View(), kKai);  // 細明體 sorts first
}

}  // namespace
}  // namespace pictor
