// The font-association choice against a registry in memory: what the dialog lists, and the
// removal and restoring of 細明體's own link around the system default association.
#include "core/association_choice.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/association_list.h"
#include "core/reg_file.h"
#include "core/string_table.h"
#include "tests/support/choice_fakes.h"
#include "tests/support/test_texts.h"
#include "tools/fixtures/demo_data.h"

namespace pictor {
namespace {

using pictor::testing::kKai;
using pictor::testing::kMing;
using pictor::testing::kNewMing;
using pictor::testing::kSystemDefault;

using testing::ChoiceFixture;
using testing::ScriptedFontDialog;

constexpr std::string_view kTitle = "\xa6\x43\xa6\x4c\xb5\x7b\xa6\xa1";  // 列印程式
constexpr std::string_view kSystemDefaultValue = "SystemDefaultEUDCFont";

FontFace Big5TrueType(std::string_view name) { return {std::string(name), kChineseBig5Charset, kTrueTypeFontType}; }

class AssociationChoice : public ::testing::Test {
 protected:
  AssociationChoice() {
    f_.fonts.faces = {Big5TrueType(kKai), Big5TrueType(kMing)};
    Links()->Set({std::string(kSystemDefaultValue), kRegSz, "C:\\WINDOWS\\Fonts\\EUDC.TTE"});
    Links()->Set({std::string(kMing), kRegExpandSz, ming_link_});
    Links()->Set({std::string(kKai), kRegSz, "C:\\eudc\\kai.tte"});
    f_.log.clear();
  }

  std::unique_ptr<RegistryKey> Links() { return f_.registry.memory.Create(RegistryRoot::kCurrentUser, "EUDC\\950"); }
  std::optional<RegistryValue> MingLink() { return Links()->Query(kMing); }
  std::optional<RegistryValue> RestoreRecord() {
    const auto record = f_.registry.memory.Open(RegistryRoot::kCurrentUser, kRestoreRecordKey, RegistryAccess::kRead);
    if (!record) return std::nullopt;
    return record->Query(kMing);
  }
  std::vector<std::uint8_t> RegistryBytes() { return regfile::WriteRegFile(f_.registry.memory.Document()); }

  bool Choose(std::optional<std::string_view> name) {
    dialog_.choose = name ? std::optional<std::string>(*name) : std::nullopt;
    return ChooseAssociation(state_, f_.Ports(), dialog_);
  }

  // Longer than the 255 bytes the link was once read into.
  const std::string ming_link_ = "%SystemRoot%\\FONTS\\" + std::string(270, 'm') + ".TTE";
  ChoiceFixture f_;
  ProgramState state_;
  ScriptedFontDialog dialog_;
};

TEST_F(AssociationChoice, ListsTheSystemDefaultFirstThenTheTypefacesInByteOrder) {
  std::string vertical_ming(1, '@');
  vertical_ming += kMing;
  f_.fonts.faces = {
      Big5TrueType(kKai),
      Big5TrueType(kMing),
      Big5TrueType(vertical_ming),                      // vertical face
      {std::string(kNewMing), kChineseBig5Charset, 1},  // not TrueType
      {"Arial", 0, kTrueTypeFontType},                  // not Big5
      Big5TrueType(kMing),                              // told twice
  };
  Links()->Set({vertical_ming, kRegSz, "C:\\v.tte"});
  Links()->Set({std::string(kNewMing), kRegSz, "C:\\n.tte"});
  Links()->Set({"Arial", kRegSz, "C:\\a.tte"});
  Links()->Set({"Not Installed", kRegSz, "C:\\x.tte"});
  InitEudcSupport(state_, f_.Ports());
  EXPECT_FALSE(Choose(std::nullopt));
  // 細明體 (B2 D3) sorts before 標楷體 (BC D0).
  EXPECT_EQ(dialog_.offered,
            (std::vector<std::string>{std::string(kSystemDefault), std::string(kMing), std::string(kKai)}));
}

TEST_F(AssociationChoice, SystemRootIsTheWindowsDirectoryOnTheNtFamilyOnly) {
  Links()->Set({std::string(kKai), kRegSz, "%SYSTEMROOT%\\Fonts\\kai.tte"});
  std::vector<FaceName> names = FontNameList(f_.fonts.faces);
  const auto nt = ListAssociations(f_.registry, names, PlatformFamily::kWindowsNT, f_.windows_directory);
  ASSERT_EQ(nt.size(), 3u);
  EXPECT_EQ(nt[2].eudcFilePath.View(), "C:\\WINDOWS\\Fonts\\kai.tte");
  EXPECT_EQ(nt[2].font_file_path, "C:\\WINDOWS\\Fonts\\kai.tte");
  EXPECT_EQ(nt[1].font_file_path, "C:\\WINDOWS\\FONTS\\" + std::string(270, 'm') + ".TTE");  // whole
  EXPECT_EQ(nt[1].eudcFilePath.View().size(), kEudcFilePathSize - 1);                        // cut to the field
  const auto nine = ListAssociations(f_.registry, names, PlatformFamily::kWindows9x, f_.windows_directory);
  EXPECT_EQ(nine[2].eudcFilePath.View(), "%SYSTEMROOT%\\Fonts\\kai.tte");
}

TEST(AssociationFileLabel, IsTheFileNameWithoutExtensionUpperCasedAndShortened) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"C:\\WINDOWS\\FONTS\\eudc.tte", "EUDC"},
      {"C:\\EUDC\\abcdefghijklmnop.tte", "ABCDEFGHIJKLMNOP"},  // 16: whole
      {"C:\\EUDC\\abcdefghijklmnopq.tte", "ABCDEFGHIJKL..."},  // 17: 12 and "..."
      {"eudc", "EUDC"},                                        // no folder, no extension
      {"C:\\fonts.d\\eudc", "EUDC"},                           // the folder's dot stays
      {"C:\\a.b.tte", "A.B"},
      {"/usr/share/fonts/eudc/Ming.tte", "MING"},
      {"D:\\\xa6\x72\xae\xda\\\xa5\x5c.tte", "\xa5\x5c"},  // 字根\功: 5C is 功's second byte
      {"D:\\\xa4\x61x.tte", "\xa4\x61X"},                  // a second byte "a" stays
      // "A" and eight Big5 characters (17 bytes): 12 bytes would end inside the sixth character.
      {"A\xa4\x40\xa4\x41\xa4\x42\xa4\x43\xa4\x44\xa4\x45\xa4\x46\xa4\x47.tte",
       "A\xa4\x40\xa4\x41\xa4\x42\xa4\x43\xa4\x44..."},
  };
  for (const auto& [path, label] : cases) EXPECT_EQ(FileLabel(path), label) << path;
}

TEST_F(AssociationChoice, NoAssociationIsToldAndEndsTheDialogAsCancel) {
  ProgramState fresh;
  testing::ChoiceFixture empty;
  InitEudcSupport(fresh, empty.Ports());
  EXPECT_FALSE(ChooseAssociation(fresh, empty.Ports(), dialog_));
  EXPECT_EQ(dialog_.runs, 0);
  ASSERT_EQ(empty.messages.messages.size(), 1u);
  EXPECT_EQ(empty.messages.messages[0],
            (testing::RecordedMessages::Message{std::string(LoadStringResource(kNoAssociationId)), std::string(kTitle),
                                                MessageIcon::kStop}));
  EXPECT_TRUE(fresh.current_association.displayName.Empty());
}

TEST_F(AssociationChoice, TheSystemDefaultSetsMingsOwnLinkAsideUntilTheNextChoice) {
  InitEudcSupport(state_, f_.Ports());
  state_.input_methods.annotate_flags[0] = 1;
  state_.print_range = {0, 0x8140, 0x8DFE, 0, 2041};
  ASSERT_TRUE(Choose(kSystemDefault));

  EXPECT_EQ(state_.current_association.displayName.View(), kSystemDefault);
  EXPECT_EQ(state_.current_association.eudcFilePath.View(), "C:\\WINDOWS\\FONTS\\EUDC.TTE");
  EXPECT_EQ(state_.current_association.font_file_path, "C:\\WINDOWS\\Fonts\\EUDC.TTE");  // opened as read
  EXPECT_EQ(state_.input_methods.annotate_flags[0], 0);
  EXPECT_EQ(state_.print_range.printAll, 1);
  EXPECT_EQ(state_.print_range.start_code, 0xFA40);
  EXPECT_EQ(state_.print_range.end_code, 0xFEFE);
  EXPECT_EQ(state_.print_range.count, 6217);
  // The record first, then the removal, with EUDC linking off meanwhile.
  EXPECT_EQ(f_.log, (std::vector<std::string>{"EnableEudc(0)", "Set " + std::string(kMing),
                                              "Delete " + std::string(kMing), "EnableEudc(1)"}));
  EXPECT_FALSE(MingLink());
  ASSERT_TRUE(RestoreRecord());
  EXPECT_EQ(RestoreRecord()->type, kRegExpandSz);
  EXPECT_EQ(RestoreRecord()->data, ming_link_);
  EXPECT_EQ(state_.saved_default_link.pending_restore, 1);

  // Opening the dialog again puts the link back before it lists anything, even when cancelled.
  f_.log.clear();
  dialog_.while_open = [&] { EXPECT_TRUE(MingLink()); };
  EXPECT_FALSE(Choose(std::nullopt));
  EXPECT_EQ(f_.log, (std::vector<std::string>{"EnableEudc(0)", "Set " + std::string(kMing), "EnableEudc(1)",
                                              "Delete " + std::string(kMing)}));
  ASSERT_TRUE(MingLink());
  EXPECT_EQ(MingLink()->type, kRegExpandSz);
  EXPECT_EQ(MingLink()->data, ming_link_);
  EXPECT_FALSE(RestoreRecord());
  EXPECT_EQ(state_.saved_default_link.pending_restore, 0);
  EXPECT_EQ(state_.current_association.displayName.View(), kSystemDefault);  // cancel keeps the choice
  EXPECT_TRUE(f_.messages.messages.empty());
}

TEST_F(AssociationChoice, EndingTheProgramPutsTheLinkBack) {
  InitEudcSupport(state_, f_.Ports());
  ASSERT_TRUE(Choose(kSystemDefault));
  const std::vector<std::uint8_t> without_link = RegistryBytes();
  RestoreDefaultLink(state_, f_.Ports());
  EXPECT_EQ(MingLink()->data, ming_link_);
  f_.log.clear();
  RestoreDefaultLink(state_, f_.Ports());  // nothing owed any more
  EXPECT_TRUE(f_.log.empty());
  EXPECT_NE(RegistryBytes(), without_link);
}

TEST_F(AssociationChoice, WithoutALinkOfMingsOwnNothingChanges) {
  Links()->Delete(kMing);
  InitEudcSupport(state_, f_.Ports());
  const std::vector<std::uint8_t> before = RegistryBytes();
  f_.log.clear();
  ASSERT_TRUE(Choose(kSystemDefault));
  EXPECT_EQ(RegistryBytes(), before);
  EXPECT_EQ(state_.saved_default_link.pending_restore, 0);
  EXPECT_EQ(f_.log, (std::vector<std::string>{"EnableEudc(0)", "EnableEudc(1)"}));
}

TEST_F(AssociationChoice, ATypefaceLeavesTheLinksAlone) {
  // A folder 字庫 (A6 72 AE 77: both second bytes are letters' bytes).
  Links()->Set({std::string(kKai), kRegSz, "C:\\\xa6\x72\xae\x77\\k\xa4\x61i.tte"});
  InitEudcSupport(state_, f_.Ports());
  f_.log.clear();
  ASSERT_TRUE(Choose(kKai));
  EXPECT_TRUE(f_.log.empty());
  EXPECT_TRUE(MingLink());
  // Upper-cased for display, double-byte characters kept whole (not 吐娠, A6 52 AE 57); opened by
  // the path as read.
  EXPECT_EQ(state_.current_association.eudcFilePath.View(), "C:\\\xa6\x72\xae\x77\\K\xa4\x61I.TTE");
  EXPECT_EQ(state_.current_association.font_file_path, "C:\\\xa6\x72\xae\x77\\k\xa4\x61i.tte");
}

TEST_F(AssociationChoice, TheNextStartPutsBackALinkThatACrashLeftRemoved) {
  InitEudcSupport(state_, f_.Ports());
  ASSERT_TRUE(Choose(kSystemDefault));
  ASSERT_FALSE(MingLink());
  // The program dies here: no restore. The next run starts.
  ProgramState next;
  InitEudcSupport(next, f_.Ports());
  ASSERT_TRUE(MingLink());
  EXPECT_EQ(MingLink()->type, kRegExpandSz);
  EXPECT_EQ(MingLink()->data, ming_link_);
  EXPECT_FALSE(RestoreRecord());
  EXPECT_EQ(next.saved_default_link.pending_restore, 0);

  // A record whose link exists again (the crash came between writing the record and removing
  // the link, or the user linked the face anew) changes no link.
  f_.registry.memory.Create(RegistryRoot::kCurrentUser, kRestoreRecordKey)->Set({std::string(kMing), kRegSz, "stale"});
  ProgramState third;
  InitEudcSupport(third, f_.Ports());
  EXPECT_EQ(MingLink()->data, ming_link_);
  EXPECT_FALSE(RestoreRecord());
}

TEST_F(AssociationChoice, AFailedRestoreKeepsTheLinkOwedAndSaysSoOnce) {
  InitEudcSupport(state_, f_.Ports());
  ASSERT_TRUE(Choose(kSystemDefault));
  f_.registry.refuse_writes = true;
  RestoreDefaultLink(state_, f_.Ports());
  RestoreDefaultLink(state_, f_.Ports());
  ASSERT_EQ(f_.messages.messages.size(), 1u);
  EXPECT_EQ(f_.messages.messages[0].text, RestoreFailedMessage(kMing));
  EXPECT_EQ(f_.messages.messages[0].caption, kTitle);
  EXPECT_EQ(f_.messages.messages[0].icon, MessageIcon::kStop);
  EXPECT_TRUE(RestoreRecord());
  EXPECT_EQ(state_.saved_default_link.pending_restore, 1);

  f_.registry.refuse_writes = false;
  RestoreDefaultLink(state_, f_.Ports());
  EXPECT_EQ(MingLink()->data, ming_link_);
  EXPECT_FALSE(RestoreRecord());
}

TEST_F(AssociationChoice, ALinkIsNotRemovedWhenItsRecordCannotBeWritten) {
  InitEudcSupport(state_, f_.Ports());
  // The record's key cannot be created; the links stay writable.
  class NoRecords : public RegistryPort {
   public:
    explicit NoRecords(RegistryPort& inner) : inner_(inner) {}
    std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path, RegistryAccess access) override {
      return path == kRestoreRecordKey ? nullptr : inner_.Open(root, path, access);
    }
    std::unique_ptr<RegistryKey> Create(RegistryRoot root, std::string_view path) override {
      return path == kRestoreRecordKey ? nullptr : inner_.Create(root, path);
    }

   private:
    RegistryPort& inner_;
  } no_records(f_.registry);
  PictorPorts ports = f_.Ports();
  PictorPorts guarded{no_records,   ports.keyboard_layouts, ports.files, ports.messages,
                      ports.family, ports.eudc_link,        ports.fonts, ports.windows_directory};
  dialog_.choose = std::string(kSystemDefault);
  ASSERT_TRUE(ChooseAssociation(state_, guarded, dialog_));
  EXPECT_TRUE(MingLink());
  EXPECT_EQ(state_.saved_default_link.pending_restore, 0);
}

TEST_F(AssociationChoice, WithoutEnableEudcTheUserIsToldAndNoLinkIsEverRemoved) {
  testing::RecordedEudcLink missing(f_.log, /*found=*/false);
  PictorPorts ports = f_.Ports();
  PictorPorts no_eudc{ports.registry, ports.keyboard_layouts, ports.files, ports.messages, ports.family, missing,
                      ports.fonts,    ports.windows_directory};
  ASSERT_TRUE(testsupport::InstallDemoInputMethods(f_.registry, "C:\\demo", '\\'));
  InitEudcSupport(state_, no_eudc);
  ASSERT_EQ(f_.messages.messages.size(), 1u);
  EXPECT_EQ(f_.messages.messages[0], (testing::RecordedMessages::Message{"EnableEUDC function failure!",
                                                                         std::string(kTitle), MessageIcon::kNone}));
  EXPECT_EQ(state_.input_methods.input_methods.count, 0u);
  EXPECT_TRUE(state_.default_face_name.Empty());
  EXPECT_TRUE(state_.system_default_name.Empty());
  // The system default is still listed by its name, and may be chosen, but no link goes.
  dialog_.choose = std::string(kSystemDefault);
  ASSERT_TRUE(ChooseAssociation(state_, no_eudc, dialog_));
  EXPECT_EQ(state_.current_association.displayName.View(), kSystemDefault);
  EXPECT_TRUE(MingLink());
}

TEST_F(AssociationChoice, WithEnableEudcTheInputMethodsAndNamesAreLoaded) {
  ASSERT_TRUE(testsupport::InstallDemoInputMethods(f_.registry, "C:\\demo", '\\'));
  f_.layouts = testing::FixedLayouts({0xE0010404, 0xE0020404});
  f_.family.family = PlatformFamily::kWindows9x;
  InitEudcSupport(state_, f_.Ports());
  EXPECT_EQ(state_.platform_family, PlatformFamily::kWindows9x);
  EXPECT_EQ(state_.input_methods.input_methods.count, 2u);
  EXPECT_EQ(state_.default_face_name.View(), kMing);
  EXPECT_EQ(state_.system_default_name.View(), kSystemDefault);
}

}  // namespace
}  // namespace pictor
