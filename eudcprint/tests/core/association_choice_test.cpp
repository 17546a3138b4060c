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
    f.fonts.faces = {Big5TrueType(kKai), Big5TrueType(kMing)};
    Links()->Set({std::string(kSystemDefaultValue), kRegSz, "C:\\WINDOWS\\Fonts\\EUDC.TTE"});
    Links()->Set({std::string(kMing), kRegExpandSz, mingLink});
    Links()->Set({std::string(kKai), kRegSz, "C:\\eudc\\kai.tte"});
    f.log.clear();
  }

  std::unique_ptr<RegistryKey> Links() { return f.registry.memory.Create(RegistryRoot::kCurrentUser, "EUDC\\950"); }
  std::optional<RegistryValue> MingLink() { return Links()->Query(kMing); }
  std::optional<RegistryValue> RestoreRecord() {
    const auto record = f.registry.memory.Open(RegistryRoot::kCurrentUser, kRestoreRecordKey, RegistryAccess::kRead);
    if (!record) return std::nullopt;
    return record->Query(kMing);
  }
  std::vector<std::uint8_t> RegistryBytes() { return regfile::WriteRegFile(f.registry.memory.Document()); }

  bool Choose(std::optional<std::string_view> name) {
    dialog.choose = name ? std::optional<std::string>(*name) : std::nullopt;
    return ChooseAssociation(state, f.Ports(), dialog);
  }

  // Longer than the 255 bytes the link was once read into.
  const std::string mingLink = "%SystemRoot%\\FONTS\\" + std::string(270, 'm') + ".TTE";
  ChoiceFixture f;
  ProgramState state;
  ScriptedFontDialog dialog;
};

TEST_F(AssociationChoice, ListsTheSystemDefaultFirstThenTheTypefacesInByteOrder) {
  std::string verticalMing(1, '@');
  verticalMing += kMing;
  f.fonts.faces = {
      Big5TrueType(kKai),
      Big5TrueType(kMing),
      Big5TrueType(verticalMing),                       // vertical face
      {std::string(kNewMing), kChineseBig5Charset, 1},  // not TrueType
      {"Arial", 0, kTrueTypeFontType},                  // not Big5
      Big5TrueType(kMing),                              // told twice
  };
  Links()->Set({verticalMing, kRegSz, "C:\\v.tte"});
  Links()->Set({std::string(kNewMing), kRegSz, "C:\\n.tte"});
  Links()->Set({"Arial", kRegSz, "C:\\a.tte"});
  Links()->Set({"Not Installed", kRegSz, "C:\\x.tte"});
  InitEudcSupport(state, f.Ports());
  EXPECT_FALSE(Choose(std::nullopt));
  // 細明體 (B2 D3) sorts before 標楷體 (BC D0).
  EXPECT_EQ(dialog.offered,
            (std::vector<std::string>{std::string(kSystemDefault), std::string(kMing), std::string(kKai)}));
}

TEST_F(AssociationChoice, SystemRootIsTheWindowsDirectoryOnTheNtFamilyOnly) {
  Links()->Set({std::string(kKai), kRegSz, "%SYSTEMROOT%\\Fonts\\kai.tte"});
  std::vector<FaceName> names = FontNameList(f.fonts.faces);
  const auto nt = ListAssociations(f.registry, names, PlatformFamily::kWindowsNT, f.windowsDirectory);
  ASSERT_EQ(nt.size(), 3u);
  EXPECT_EQ(nt[2].eudcFilePath.View(), "C:\\WINDOWS\\Fonts\\kai.tte");
  EXPECT_EQ(nt[2].fontFilePath, "C:\\WINDOWS\\Fonts\\kai.tte");
  EXPECT_EQ(nt[1].fontFilePath, "C:\\WINDOWS\\FONTS\\" + std::string(270, 'm') + ".TTE");  // whole
  EXPECT_EQ(nt[1].eudcFilePath.View().size(), kEudcFilePathSize - 1);                      // cut to the field
  const auto nine = ListAssociations(f.registry, names, PlatformFamily::kWindows9x, f.windowsDirectory);
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
  EXPECT_FALSE(ChooseAssociation(fresh, empty.Ports(), dialog));
  EXPECT_EQ(dialog.runs, 0);
  ASSERT_EQ(empty.messages.messages.size(), 1u);
  EXPECT_EQ(empty.messages.messages[0],
            (testing::RecordedMessages::Message{std::string(LoadStringResource(kNoAssociationId)), std::string(kTitle),
                                                MessageIcon::kStop}));
  EXPECT_TRUE(fresh.currentAssociation.displayName.Empty());
}

TEST_F(AssociationChoice, TheSystemDefaultSetsMingsOwnLinkAsideUntilTheNextChoice) {
  InitEudcSupport(state, f.Ports());
  state.inputMethods.annotateFlags[0] = 1;
  state.printRange = {0, 0x8140, 0x8DFE, 0, 2041};
  ASSERT_TRUE(Choose(kSystemDefault));

  EXPECT_EQ(state.currentAssociation.displayName.View(), kSystemDefault);
  EXPECT_EQ(state.currentAssociation.eudcFilePath.View(), "C:\\WINDOWS\\FONTS\\EUDC.TTE");
  EXPECT_EQ(state.currentAssociation.fontFilePath, "C:\\WINDOWS\\Fonts\\EUDC.TTE");  // opened as read
  EXPECT_EQ(state.inputMethods.annotateFlags[0], 0);
  EXPECT_EQ(state.printRange.printAll, 1);
  EXPECT_EQ(state.printRange.startCode, 0xFA40);
  EXPECT_EQ(state.printRange.endCode, 0xFEFE);
  EXPECT_EQ(state.printRange.count, 6217);
  // The record first, then the removal, with EUDC linking off meanwhile.
  EXPECT_EQ(f.log, (std::vector<std::string>{"EnableEudc(0)", "Set " + std::string(kMing),
                                             "Delete " + std::string(kMing), "EnableEudc(1)"}));
  EXPECT_FALSE(MingLink());
  ASSERT_TRUE(RestoreRecord());
  EXPECT_EQ(RestoreRecord()->type, kRegExpandSz);
  EXPECT_EQ(RestoreRecord()->data, mingLink);
  EXPECT_EQ(state.savedDefaultLink.pendingRestore, 1);

  // Opening the dialog again puts the link back before it lists anything, even when cancelled.
  f.log.clear();
  dialog.whileOpen = [&] { EXPECT_TRUE(MingLink()); };
  EXPECT_FALSE(Choose(std::nullopt));
  EXPECT_EQ(f.log, (std::vector<std::string>{"EnableEudc(0)", "Set " + std::string(kMing), "EnableEudc(1)",
                                             "Delete " + std::string(kMing)}));
  ASSERT_TRUE(MingLink());
  EXPECT_EQ(MingLink()->type, kRegExpandSz);
  EXPECT_EQ(MingLink()->data, mingLink);
  EXPECT_FALSE(RestoreRecord());
  EXPECT_EQ(state.savedDefaultLink.pendingRestore, 0);
  EXPECT_EQ(state.currentAssociation.displayName.View(), kSystemDefault);  // cancel keeps the choice
  EXPECT_TRUE(f.messages.messages.empty());
}

TEST_F(AssociationChoice, EndingTheProgramPutsTheLinkBack) {
  InitEudcSupport(state, f.Ports());
  ASSERT_TRUE(Choose(kSystemDefault));
  const std::vector<std::uint8_t> withoutLink = RegistryBytes();
  RestoreDefaultLink(state, f.Ports());
  EXPECT_EQ(MingLink()->data, mingLink);
  f.log.clear();
  RestoreDefaultLink(state, f.Ports());  // nothing owed any more
  EXPECT_TRUE(f.log.empty());
  EXPECT_NE(RegistryBytes(), withoutLink);
}

TEST_F(AssociationChoice, WithoutALinkOfMingsOwnNothingChanges) {
  Links()->Delete(kMing);
  InitEudcSupport(state, f.Ports());
  const std::vector<std::uint8_t> before = RegistryBytes();
  f.log.clear();
  ASSERT_TRUE(Choose(kSystemDefault));
  EXPECT_EQ(RegistryBytes(), before);
  EXPECT_EQ(state.savedDefaultLink.pendingRestore, 0);
  EXPECT_EQ(f.log, (std::vector<std::string>{"EnableEudc(0)", "EnableEudc(1)"}));
}

TEST_F(AssociationChoice, ATypefaceLeavesTheLinksAlone) {
  // A folder 字庫 (A6 72 AE 77: both second bytes are letters' bytes).
  Links()->Set({std::string(kKai), kRegSz, "C:\\\xa6\x72\xae\x77\\k\xa4\x61i.tte"});
  InitEudcSupport(state, f.Ports());
  f.log.clear();
  ASSERT_TRUE(Choose(kKai));
  EXPECT_TRUE(f.log.empty());
  EXPECT_TRUE(MingLink());
  // Upper-cased for display, double-byte characters kept whole (not 吐娠, A6 52 AE 57); opened by
  // the path as read.
  EXPECT_EQ(state.currentAssociation.eudcFilePath.View(), "C:\\\xa6\x72\xae\x77\\K\xa4\x61I.TTE");
  EXPECT_EQ(state.currentAssociation.fontFilePath, "C:\\\xa6\x72\xae\x77\\k\xa4\x61i.tte");
}

TEST_F(AssociationChoice, TheNextStartPutsBackALinkThatACrashLeftRemoved) {
  InitEudcSupport(state, f.Ports());
  ASSERT_TRUE(Choose(kSystemDefault));
  ASSERT_FALSE(MingLink());
  // The program dies here: no restore. The next run starts.
  ProgramState next;
  InitEudcSupport(next, f.Ports());
  ASSERT_TRUE(MingLink());
  EXPECT_EQ(MingLink()->type, kRegExpandSz);
  EXPECT_EQ(MingLink()->data, mingLink);
  EXPECT_FALSE(RestoreRecord());
  EXPECT_EQ(next.savedDefaultLink.pendingRestore, 0);

  // A record whose link exists again (the crash came between writing the record and removing
  // the link, or the user linked the face anew) changes no link.
  f.registry.memory.Create(RegistryRoot::kCurrentUser, kRestoreRecordKey)->Set({std::string(kMing), kRegSz, "stale"});
  ProgramState third;
  InitEudcSupport(third, f.Ports());
  EXPECT_EQ(MingLink()->data, mingLink);
  EXPECT_FALSE(RestoreRecord());
}

TEST_F(AssociationChoice, AFailedRestoreKeepsTheLinkOwedAndSaysSoOnce) {
  InitEudcSupport(state, f.Ports());
  ASSERT_TRUE(Choose(kSystemDefault));
  f.registry.refuseWrites = true;
  RestoreDefaultLink(state, f.Ports());
  RestoreDefaultLink(state, f.Ports());
  ASSERT_EQ(f.messages.messages.size(), 1u);
  EXPECT_EQ(f.messages.messages[0].text, RestoreFailedMessage(kMing));
  EXPECT_EQ(f.messages.messages[0].caption, kTitle);
  EXPECT_EQ(f.messages.messages[0].icon, MessageIcon::kStop);
  EXPECT_TRUE(RestoreRecord());
  EXPECT_EQ(state.savedDefaultLink.pendingRestore, 1);

  f.registry.refuseWrites = false;
  RestoreDefaultLink(state, f.Ports());
  EXPECT_EQ(MingLink()->data, mingLink);
  EXPECT_FALSE(RestoreRecord());
}

TEST_F(AssociationChoice, ALinkIsNotRemovedWhenItsRecordCannotBeWritten) {
  InitEudcSupport(state, f.Ports());
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
  } noRecords(f.registry);
  PictorPorts ports = f.Ports();
  PictorPorts guarded{noRecords,    ports.keyboardLayouts, ports.files, ports.messages,
                      ports.family, ports.eudcLink,        ports.fonts, ports.windowsDirectory};
  dialog.choose = std::string(kSystemDefault);
  ASSERT_TRUE(ChooseAssociation(state, guarded, dialog));
  EXPECT_TRUE(MingLink());
  EXPECT_EQ(state.savedDefaultLink.pendingRestore, 0);
}

TEST_F(AssociationChoice, WithoutEnableEudcTheUserIsToldAndNoLinkIsEverRemoved) {
  testing::RecordedEudcLink missing(f.log, /*found=*/false);
  PictorPorts ports = f.Ports();
  PictorPorts noEudc{ports.registry, ports.keyboardLayouts, ports.files,           ports.messages, ports.family,
                     missing,        ports.fonts,           ports.windowsDirectory};
  ASSERT_TRUE(testsupport::InstallDemoInputMethods(f.registry, "C:\\demo", '\\'));
  InitEudcSupport(state, noEudc);
  ASSERT_EQ(f.messages.messages.size(), 1u);
  EXPECT_EQ(f.messages.messages[0], (testing::RecordedMessages::Message{"EnableEUDC function failure!",
                                                                        std::string(kTitle), MessageIcon::kNone}));
  EXPECT_EQ(state.inputMethods.inputMethods.count, 0u);
  EXPECT_TRUE(state.defaultFaceName.Empty());
  EXPECT_TRUE(state.systemDefaultName.Empty());
  // The system default is still listed by its name, and may be chosen, but no link goes.
  dialog.choose = std::string(kSystemDefault);
  ASSERT_TRUE(ChooseAssociation(state, noEudc, dialog));
  EXPECT_EQ(state.currentAssociation.displayName.View(), kSystemDefault);
  EXPECT_TRUE(MingLink());
}

TEST_F(AssociationChoice, WithEnableEudcTheInputMethodsAndNamesAreLoaded) {
  ASSERT_TRUE(testsupport::InstallDemoInputMethods(f.registry, "C:\\demo", '\\'));
  f.layouts = testing::FixedLayouts({0xE0010404, 0xE0020404});
  f.family.family = PlatformFamily::kWindows9x;
  InitEudcSupport(state, f.Ports());
  EXPECT_EQ(state.platformFamily, PlatformFamily::kWindows9x);
  EXPECT_EQ(state.inputMethods.inputMethods.count, 2u);
  EXPECT_EQ(state.defaultFaceName.View(), kMing);
  EXPECT_EQ(state.systemDefaultName.View(), kSystemDefault);
}

}  // namespace
}  // namespace pictor
