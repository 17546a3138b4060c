// The font choice on Linux: typefaces from a private fontconfig configuration holding generated
// fonts, and the registry file after the program is killed while 細明體's link is set aside.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "core/association_choice.h"
#include "core/association_list.h"
#include "core/reg_file.h"
#include "platform/posix/posix_platform.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_texts.h"
#include "tools/fixtures/demo_data.h"
#include "tools/fixtures/eudc_font_builder.h"

namespace pictor::posix {
namespace {

using pictor::testing::kMing;
using pictor::testing::kNewMing;
using pictor::testing::kSystemDefault;

using pictor::testing::ScopedEnv;
using pictor::testing::TempFolder;
using pictor::testing::WriteFile;

// A fontconfig configuration that knows only the fonts of one folder.
class PrivateFonts {
 public:
  PrivateFonts() {
    std::filesystem::create_directory(folder_ / "fonts");
    std::ofstream(folder_ / "fonts.conf")
        << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
        << "  <dir>" << folder_ / "fonts"
        << "</dir>\n  <cachedir>" << folder_ / "cache"
        << "</cachedir>\n"
        << "</fontconfig>\n";
  }
  void Add(const std::string& file, const std::string& family, bool traditional_chinese) {
    WriteFile(folder_ / ("fonts/" + file),
              testsupport::BuildTrueTypeFont({family, {0xE000, 0xE001}, traditional_chinese}));
  }
  std::string ConfigFile() const { return folder_ / "fonts.conf"; }

 private:
  TempFolder folder_;
};

TEST(FontconfigFaces, ListsTraditionalChineseOutlineFamiliesInCodePage950) {
  PrivateFonts fonts;
  fonts.Add("ming.ttf", "Pictor Ming", true);
  fonts.Add("newming.ttf", "新細明體", true);
  fonts.Add("vertical.ttf", "@Pictor Vertical", true);
  fonts.Add("latin.ttf", "Pictor Latin", false);  // covers no Traditional Chinese
  fonts.Add("plane.ttf", "Pictor \u2708", true);  // no code page 950 spelling
  const ScopedEnv config("FONTCONFIG_FILE", fonts.ConfigFile().c_str());

  IconvCp950Codec codec;
  FontconfigFaces port(codec);
  const std::vector<FontFace> faces = port.InstalledFaces();
  std::vector<std::string> names;
  for (const FontFace& face : faces) {
    names.push_back(face.face_name);
    EXPECT_EQ(face.charset, kChineseBig5Charset);
    EXPECT_EQ(face.font_type, kTrueTypeFontType);
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"@Pictor Vertical", "Pictor Ming", std::string(kNewMing)}));

  const std::vector<FaceName> listed = FontNameList(faces);
  ASSERT_EQ(listed.size(), 3u);
  EXPECT_EQ(listed[1].View(), "Pictor Ming");
  EXPECT_EQ(listed[2].View(), kNewMing);
}

// Picks the system default association.
class ChooseSystemDefault : public FontSettingDialogPort {
 public:
  std::optional<EudcAssociation> Run(FontSettingModel& model) override {
    for (std::size_t i = 0; i < model.Associations().size(); ++i) {
      if (model.Associations()[i].displayName.View() == kSystemDefault) model.Select(i);
    }
    return model.Accept();
  }
};

std::optional<RegistryValue> MingLink(PosixPlatform& platform) {
  const auto links = platform.Registry().Open(RegistryRoot::kCurrentUser, kEudcLinksKey, RegistryAccess::kRead);
  if (!links) return std::nullopt;
  return links->Query(kMing);
}

// The demonstration data on a fresh machine: the system default chosen, the program killed with
// SIGKILL while the link is set aside, and the next start putting the link back.
TEST(PosixChoice, TheNextStartPutsBackALinkThatAKilledProgramSetAside) {
  TempFolder folder;
  const std::string path = folder / "registry.reg";
  IconvCp950Codec codec;
  {
    FileRegistry registry(path, codec);
    ASSERT_TRUE(testsupport::InstallDemoEudcLinks(registry, codec.FromUtf8(folder.Path().string()), '/'));
  }
  const std::vector<std::uint8_t> before = testing::ReadFile(path);

  const pid_t child = fork();
  if (child == 0) {
    PosixPlatform platform(path);
    ProgramState state;
    const PictorPorts ports = platform.AllPorts();
    InitEudcSupport(state, ports);
    ChooseSystemDefault dialog;
    const bool chosen = ChooseAssociation(state, ports, dialog);
    if (!chosen || state.saved_default_link.pending_restore != 1 || MingLink(platform)) _exit(3);
    raise(SIGKILL);
    _exit(4);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "child ended with " << status;

  PosixPlatform platform(path);
  EXPECT_FALSE(MingLink(platform));
  const auto record = platform.Registry().Open(RegistryRoot::kCurrentUser, kRestoreRecordKey, RegistryAccess::kRead);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Query(kMing)->data, codec.FromUtf8(folder.Path().string()) + "/mingliu.tte");

  ProgramState next;
  InitEudcSupport(next, platform.AllPorts());
  ASSERT_TRUE(MingLink(platform));
  EXPECT_EQ(MingLink(platform)->data, codec.FromUtf8(folder.Path().string()) + "/mingliu.tte");
  EXPECT_EQ(next.saved_default_link.pending_restore, 0);
  // The links are as they were; an empty record key stays behind.
  const regfile::RegistryDocument document = regfile::ReadRegFile(testing::ReadFile(path));
  const regfile::RegistryDocument original = regfile::ReadRegFile(before);
  EXPECT_EQ(document.FindKey(u"HKEY_CURRENT_USER\\EUDC\\950")->values.size(),
            original.FindKey(u"HKEY_CURRENT_USER\\EUDC\\950")->values.size());
  EXPECT_TRUE(document.FindKey(u"HKEY_CURRENT_USER\\Software\\Pictor\\EUDC\\950")->values.empty());
}

}  // namespace
}  // namespace pictor::posix
