#include "core/input_methods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/document_registry.h"
#include "core/known_input_methods.h"
#include "core/reg_file.h"
#include "tests/support/fake_ports.h"
#include "tests/support/memory_registry.h"
#include "tools/fixtures/demo_data.h"
#include "tools/fixtures/dictionary_builder.h"
#include "tools/fixtures/registry_setup.h"

namespace pictor {
namespace {

using regfile::DocumentRegistry;
using regfile::RegFileFormat;
using regfile::RegistryDocument;
using testsupport::DictionaryBuilder;
using testsupport::DictionaryForm;
using testsupport::InputMethodSetup;
using testsupport::InstallInputMethod;

constexpr std::string_view kPhoneticName = "\xaa\x60\xad\xb5";  // 注音
constexpr std::string_view kChangjieName = "\xad\xdc\xbe\x65";  // 倉頡
constexpr std::string_view kQuickName = "\xb3\x74\xa6\xa8";     // 速成

std::vector<std::uint8_t> ChangjieFile(std::uint8_t root) {
  return DictionaryBuilder(DictionaryForm::kRadical).Add(0xE000, {root}).Build();
}

std::vector<std::uint8_t> PhoneticFile() {
  return DictionaryBuilder(DictionaryForm::kPhonetic).Add(0xE000, {1, 0, 25, 41}).Build();
}

class EnumerationTest : public ::testing::Test {
 protected:
  void Install(const InputMethodSetup& setup) { ASSERT_TRUE(InstallInputMethod(registry_, setup)); }

  void Enumerate(std::vector<std::uint32_t> loaded, PlatformFamily family = PlatformFamily::kWindowsNT) {
    testing::FixedLayouts layouts(std::move(loaded));
    EnumerateInputMethods(state_, {registry_, layouts, files_, warnings_}, family);
  }

  std::vector<std::uint32_t> ListedHkls() const {
    std::vector<std::uint32_t> hkls;
    for (std::size_t i = 0; i < state_.input_methods.count; ++i) hkls.push_back(state_.input_methods.records[i].hkl);
    return hkls;
  }

  std::string Lookup(std::uint16_t code, std::uint32_t hkl) const {
    return std::string(LookupRoots(*state_.root_tables, code, hkl).View());
  }

  testing::MemoryRegistry registry_;
  testing::MemoryFiles files_;
  testing::RecordedMessages warnings_;
  InputMethodState state_;
};

TEST_F(EnumerationTest, ListsLoadedPhoneticAndChangjieWithTheirRecords) {
  Install({"E0010404", "phon.ime", std::string(kPhoneticName), "User Dictionary", "C:\\dict\\phon.tbl"});
  Install({"E0020404", "ChaJei.Ime", std::string(kChangjieName), "Eudc Dictionary", "C:\\dict\\cj.tbl"});
  files_.Put("C:\\dict\\phon.tbl", PhoneticFile());
  files_.Put("C:\\dict\\cj.tbl", ChangjieFile(3));
  state_.annotate_flags.fill(1);

  Enumerate({0x04040404, 0xE0020404, 0xE0010404});

  ASSERT_EQ(state_.input_methods.count, 2u);
  const InputMethodRecord& phonetic = state_.input_methods.records[0];
  EXPECT_EQ(phonetic.hkl, kPhoneticHkl);
  EXPECT_EQ(phonetic.layout_key.View(), "E0010404");
  EXPECT_EQ(phonetic.ime_file.View(), "PHON");
  EXPECT_EQ(phonetic.layoutText.View(), kPhoneticName);
  EXPECT_EQ(phonetic.dictionary_path.View(), "C:\\dict\\phon.tbl");
  EXPECT_EQ(state_.input_methods.records[1].ime_file.View(), "CHAJEI");
  EXPECT_EQ(state_.input_methods.records[1].dictionary_path.View(), "C:\\dict\\cj.tbl");
  for (int flag : state_.annotate_flags) EXPECT_EQ(flag, 0);
  EXPECT_EQ(Lookup(0xFA40, kPhoneticHkl), "\xa3\x74\xa1\x40\xa3\xab\xa3\xbf");
  EXPECT_EQ(Lookup(0xFA40, kChangjieHkl).substr(0, 2), "\xaa\xf7");  // 金
  EXPECT_TRUE(warnings_.messages.empty());
}

TEST_F(EnumerationTest, KeepsRegistryOrder) {
  Install({"E0020404", "CHAJEI.IME", std::string(kChangjieName), "User Dictionary", "cj"});
  Install({"E0010404", "PHON.IME", std::string(kPhoneticName), "User Dictionary", "phon"});
  Enumerate({0xE0010404, 0xE0020404});
  EXPECT_EQ(ListedHkls(), (std::vector<std::uint32_t>{kChangjieHkl, kPhoneticHkl}));
}

TEST_F(EnumerationTest, SkipsLayoutsThatAreNotLoadedOrNotInputMethods) {
  Install({"E0010404", "PHON.IME", std::string(kPhoneticName), "User Dictionary", "phon"});
  Install({"e0020404", "CHAJEI.IME", std::string(kChangjieName), "User Dictionary", "cj"});
  Install({"00000404", "CHAJEI.IME", "US", "User Dictionary", "cj"});
  files_.Put("cj", ChangjieFile(1));
  Enumerate({0xE0020404, 0x04040404, 0x00000404});
  EXPECT_EQ(ListedHkls(), std::vector<std::uint32_t>{kChangjieHkl});  // the lower-case name matches
  EXPECT_EQ(state_.input_methods.records[0].layout_key.View(), "e0020404");
  EXPECT_EQ(files_.reads, std::vector<std::string>{"cj"});  // the phonetic file was never read
}

TEST_F(EnumerationTest, SkipsTheGenericInputMethodInAnyLetterCaseAndReusesItsSlot) {
  Install({"E0050404", "winime.ime", "generic", "User Dictionary", "generic"});
  Install({"E0060404", "WinIme.IME", "generic", "User Dictionary", "generic"});
  // The record after a skipped one must not inherit its texts: this one has no layout text.
  const auto changjie = registry_.Create(RegistryRoot::kLocalMachine, std::string(kKeyboardLayoutsKey) + "\\E0020404");
  ASSERT_TRUE(changjie && changjie->Set({"IME file", kRegSz, "CHAJEI.IME"}));
  Install({"E0010404", "PHON.IME", std::string(kPhoneticName), "User Dictionary", "phon"});
  const auto settings = registry_.Create(RegistryRoot::kCurrentUser, std::string(kInputMethodSettingsKey) + "CHAJEI");
  ASSERT_TRUE(settings && settings->Set({"User Dictionary", kRegSz, "cj"}));

  Enumerate({0xE0050404, 0xE0060404, 0xE0020404, 0xE0010404});
  EXPECT_EQ(ListedHkls(), (std::vector<std::uint32_t>{kChangjieHkl, kPhoneticHkl}));
  EXPECT_EQ(state_.input_methods.records[0].layoutText.View(), "");
  EXPECT_EQ(state_.input_methods.records[0].ime_file.View(), "CHAJEI");
  EXPECT_EQ(std::count(files_.reads.begin(), files_.reads.end(), "generic"), 0);
}

TEST_F(EnumerationTest, DropsLayoutsWithoutSettingsOrDictionaryValueSilently) {
  Install({"E0010404", "PHON.IME", std::string(kPhoneticName), "", ""});                // no settings key
  Install({"E0020404", "CHAJEI.IME", std::string(kChangjieName), "Dictionary", "cj"});  // other name
  Enumerate({0xE0010404, 0xE0020404});
  EXPECT_EQ(state_.input_methods.count, 0u);
  EXPECT_TRUE(warnings_.messages.empty());
  EXPECT_TRUE(files_.reads.empty());
}

TEST_F(EnumerationTest, TakesWhicheverDictionaryValueComesFirstInAnyLetterCase) {
  Install({"E0010404", "PHON.IME", std::string(kPhoneticName), "eudc DICTIONARY", "first"});
  const auto settings =
      registry_.Open(RegistryRoot::kCurrentUser, std::string(kInputMethodSettingsKey) + "PHON", RegistryAccess::kAll);
  ASSERT_TRUE(settings);
  ASSERT_TRUE(settings->Set({"User Dictionary", kRegSz, "second"}));
  Enumerate({0xE0010404});
  ASSERT_EQ(state_.input_methods.count, 1u);
  EXPECT_EQ(state_.input_methods.records[0].dictionary_path.View(), "first");
  EXPECT_EQ(files_.reads, std::vector<std::string>{"first"});
}

TEST_F(EnumerationTest, ReadsQuickButNeverListsIt) {
  Install({"E0030404", "QUICK.IME", std::string(kQuickName), "User Dictionary", "quick"});
  Install({"E0010404", "PHON.IME", std::string(kPhoneticName), "User Dictionary", "missing"});
  files_.Put("quick", ChangjieFile(13));
  Enumerate({0xE0030404, 0xE0010404});
  // The phonetic file does not open: warned, yet listed, with empty lookups.
  EXPECT_EQ(ListedHkls(), std::vector<std::uint32_t>{kPhoneticHkl});
  ASSERT_EQ(warnings_.messages.size(), 1u);
  EXPECT_NE(warnings_.messages[0].text.find(kPhoneticName), std::string::npos);
  EXPECT_EQ(Lookup(0xFA40, kPhoneticHkl), "");
  EXPECT_EQ(Lookup(0xFA40, kQuickHkl).substr(0, 2), "\xa4\x40");  // 一

  files_ = testing::MemoryFiles{};
  warnings_.messages.clear();
  Enumerate({0xE0030404});
  EXPECT_EQ(state_.input_methods.count, 0u);
  EXPECT_EQ(warnings_.messages.size(), 1u);  // the missing Quick file is told too
}

TEST_F(EnumerationTest, NoKeyboardLayoutsKeyFindsNothing) {
  Enumerate({0xE0010404});
  EXPECT_EQ(state_.input_methods.count, 0u);
  EXPECT_TRUE(warnings_.messages.empty());
}

TEST_F(EnumerationTest, CutsOverlongValuesToTheirFields) {
  const std::string long_text(100, 'T');
  const std::string long_path(300, 'p');
  Install({"E0010404", std::string(80, 'i') + ".IME", long_text, "", ""});
  // The settings key is looked up under the cut name.
  const auto settings =
      registry_.Create(RegistryRoot::kCurrentUser, std::string(kInputMethodSettingsKey) + std::string(63, 'I'));
  ASSERT_TRUE(settings && settings->Set({"User Dictionary", kRegSz, long_path}));
  files_.Put(long_path.substr(0, 255), PhoneticFile());
  Enumerate({0xE0010404});
  ASSERT_EQ(state_.input_methods.count, 1u);
  const InputMethodRecord& record = state_.input_methods.records[0];
  EXPECT_EQ(record.layoutText.View(), long_text.substr(0, 31));
  EXPECT_EQ(record.ime_file.View(), std::string(63, 'I'));
  EXPECT_EQ(record.dictionary_path.View(), long_path.substr(0, 255));
  EXPECT_EQ(record.dictionary_path.Bytes().back(), '\0');
  EXPECT_EQ(Lookup(0xFA40, kPhoneticHkl).size(), 8u);  // the cut path is the one read
}

TEST_F(EnumerationTest, KeepsNoMoreThanThirtyTwoRecords) {
  std::vector<std::uint32_t> loaded;
  // 40 loaded input methods with dictionaries, Phonetic the first and Changjie the 36th.
  for (unsigned n = 0; n < 40; ++n) {
    const std::uint32_t hkl = n == 0 ? kPhoneticHkl : n == 35 ? kChangjieHkl : 0xE1000404 + (n << 16);
    char key[16];
    std::snprintf(key, sizeof key, "%08lX", static_cast<unsigned long>(hkl));
    Install({key, "IME" + std::to_string(n) + ".IME", "x", "User Dictionary", "dict" + std::to_string(n)});
    loaded.push_back(hkl);
  }
  Enumerate(loaded);
  EXPECT_EQ(ListedHkls(), std::vector<std::uint32_t>{kPhoneticHkl});
  EXPECT_EQ(files_.reads.size(), 32u);
  EXPECT_EQ(files_.reads.back(), "dict31");
}

TEST(EnumerationOfDemonstrationData, AnswersEveryLookupOnBothFamilies) {
  for (const PlatformFamily family : {PlatformFamily::kWindowsNT, PlatformFamily::kWindows9x}) {
    testing::MemoryRegistry registry;
    ASSERT_TRUE(testsupport::InstallDemoInputMethods(registry, "D:\\demo", '\\'));
    testing::MemoryFiles files;
    for (const auto& dictionary : testsupport::DemoDictionaries(family)) {
      files.Put("D:\\demo\\" + dictionary.file_name, dictionary.bytes);
    }
    testing::RecordedMessages warnings;
    testing::FixedLayouts layouts({0x04040404, 0xE0010404, 0xE0020404, 0xE0030404});
    InputMethodState state;
    EnumerateInputMethods(state, {registry, layouts, files, warnings}, family);

    ASSERT_EQ(state.input_methods.count, 2u);
    EXPECT_EQ(state.input_methods.records[0].hkl, kPhoneticHkl);
    EXPECT_EQ(state.input_methods.records[1].hkl, kChangjieHkl);
    EXPECT_EQ(files.reads.size(), 3u);
    for (const auto& expected : testsupport::DemoExpectations()) {
      EXPECT_EQ(LookupRoots(*state.root_tables, expected.code, expected.hkl).View(), expected.roots)
          << std::hex << expected.code << " " << expected.hkl;
    }
  }
}

// A registry file as the REGEDIT4 editor writes it, code page 950 texts included.
TEST(EnumerationFromRegistryFile, FindsTheInputMethodsTheFileDescribes) {
  const std::string text =
      "REGEDIT4\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Keyboard Layouts\\E0020404]\r\n"
      "\"Ime File\"=\"chajei.ime\"\r\n"
      "\"Layout Text\"=\"\xad\xdc\xbe\x65\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Keyboard Layouts\\E0050404]\r\n"
      "\"Ime File\"=\"WINIME.ime\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Keyboard Layouts\\E0010404]\r\n"
      "\"Ime File\"=\"PHON.IME\"\r\n"
      "\"Layout Text\"=\"\xaa\x60\xad\xb5\"\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\PHON]\r\n"
      "\"User Dictionary\"=\"C:\\\\WINDOWS\\\\PHON.TBL\"\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\CHAJEI]\r\n"
      "\"Eudc Dictionary\"=\"C:\\\\WINDOWS\\\\CHAJEI.TBL\"\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\WINIME]\r\n"
      "\"User Dictionary\"=\"C:\\\\WINDOWS\\\\WINIME.TBL\"\r\n\r\n";
  testing::MemoryRegistry registry(
      regfile::ReadRegFile(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())));
  testing::MemoryFiles files;
  files.Put("C:\\WINDOWS\\PHON.TBL", PhoneticFile());
  files.Put("C:\\WINDOWS\\CHAJEI.TBL", ChangjieFile(26));
  testing::RecordedMessages warnings;
  testing::FixedLayouts layouts({0xE0010404, 0xE0020404, 0xE0050404});
  InputMethodState state;
  EnumerateInputMethods(state, {registry, layouts, files, warnings}, PlatformFamily::kWindowsNT);

  ASSERT_EQ(state.input_methods.count, 2u);
  EXPECT_EQ(state.input_methods.records[0].hkl, kChangjieHkl);
  EXPECT_EQ(state.input_methods.records[0].layoutText.View(), kChangjieName);
  EXPECT_EQ(state.input_methods.records[1].hkl, kPhoneticHkl);
  EXPECT_EQ(state.input_methods.records[1].dictionary_path.View(), "C:\\WINDOWS\\PHON.TBL");
  EXPECT_EQ(LookupRoots(*state.root_tables, 0xFA40, kChangjieHkl).View().substr(0, 2), "\xad\xab");  // 重
  EXPECT_TRUE(warnings.messages.empty());
}

}  // namespace
}  // namespace pictor
