// The Windows adapter against the real registry (under Wine in the cross build): run in a Wine
// prefix of its own with code page 950 as the system code page (LC_ALL=zh_TW.UTF-8).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "core/association_choice.h"
#include "core/association_list.h"
#include "core/input_methods.h"
#include "core/known_input_methods.h"
#include "platform/win32/win32_platform.h"
#include "tests/support/fake_ports.h"
#include "tools/fixtures/demo_data.h"

namespace pictor::win32 {
namespace {

constexpr const char* kTestKey = "Software\\PictorAdapterTest";
constexpr std::string_view kPhonetic = "\xaa\x60\xad\xb5";  // 注音

// Deletes a key and everything below it, whether or not it exists.
void DeleteTree(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  std::vector<std::string> children;
  char name[512];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.emplace_back(name, length);
  }
  RegCloseKey(key);
  for (const std::string& child : children) DeleteTree(root, path + "\\" + child);
  RegDeleteKeyA(root, path.c_str());
}

void RemoveDemoInputMethods() {
  for (const char* layout : {"E0010404", "E0020404", "E0030404"}) {
    DeleteTree(HKEY_LOCAL_MACHINE, std::string(kKeyboardLayoutsKey) + "\\" + layout);
  }
  for (const char* module : {"PHON", "CHAJEI", "QUICK"}) {
    DeleteTree(HKEY_CURRENT_USER, std::string(kInputMethodSettingsKey) + module);
  }
  DeleteTree(HKEY_CURRENT_USER, "Keyboard Layout\\Preload");
}

std::string TempFolder() {
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  std::string folder = std::string(path) + "pictor-adapter-test";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

class Win32Adapter : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 950u) << "run with the system code page 950 (LC_ALL=zh_TW.UTF-8 under Wine)";
    DeleteTree(HKEY_CURRENT_USER, kTestKey);
  }
  void TearDown() override { DeleteTree(HKEY_CURRENT_USER, kTestKey); }

  Win32Registry registry_;
};

TEST_F(Win32Adapter, WritesValuesAndReadsThemBack) {
  auto key = registry_.Create(RegistryRoot::kCurrentUser, std::string(kTestKey) + "\\EUDC\\950");
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->Set({"\xb2\xd3\xa9\xfa\xc5\xe9", kRegSz, "C:\\WINDOWS\\FONTS\\EUDC.TTE"}));  // 細明體
  ASSERT_TRUE(key->Set({"Expand", kRegExpandSz, "%SystemRoot%\\EUDC.TTE"}));
  ASSERT_TRUE(key->Set({"Number", kRegDword, std::string("\x2a\0\0\0", 4)}));
  ASSERT_TRUE(key->Set({"Text", kRegSz, std::string(kPhonetic)}));
  const std::string long_text(1000, 'L');
  ASSERT_TRUE(key->Set({"Long", kRegSz, long_text}));

  auto reader =
      registry_.Open(RegistryRoot::kCurrentUser, std::string(kTestKey) + "\\eudc\\950", RegistryAccess::kRead);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->Query("\xb2\xd3\xa9\xfa\xc5\xe9")->data, "C:\\WINDOWS\\FONTS\\EUDC.TTE");
  EXPECT_EQ(reader->Query("expand")->type, kRegExpandSz);
  EXPECT_EQ(reader->Query("expand")->data, "%SystemRoot%\\EUDC.TTE");
  EXPECT_EQ(reader->Query("Number")->data, std::string("\x2a\0\0\0", 4));
  EXPECT_EQ(reader->Query("Long")->data, long_text);
  EXPECT_FALSE(reader->Query("Missing"));

  // The same values by enumeration, names and texts in code page 950.
  std::vector<std::string> names;
  for (std::uint32_t i = 0;; ++i) {
    const auto value = reader->ValueAt(i);
    if (!value) break;
    names.push_back(value->name);
    if (value->name == "Text") {
      EXPECT_EQ(value->data, kPhonetic);
    }
    if (value->name == "Long") {
      EXPECT_EQ(value->data.size(), 1000u);
    }
  }
  EXPECT_EQ(names.size(), 5u);
  EXPECT_NE(std::find(names.begin(), names.end(), "\xb2\xd3\xa9\xfa\xc5\xe9"), names.end());

  EXPECT_FALSE(reader->Set({"Text", kRegSz, "refused"}));
  EXPECT_FALSE(reader->Delete("Text"));
  EXPECT_TRUE(key->Delete("Text"));
  EXPECT_FALSE(key->Delete("Text"));
  EXPECT_FALSE(reader->Query("Text"));
}

TEST_F(Win32Adapter, EnumeratesSubkeysAndRefusesMissingKeys) {
  ASSERT_NE(registry_.Create(RegistryRoot::kCurrentUser, std::string(kTestKey) + "\\Layouts\\E0010404"), nullptr);
  ASSERT_NE(registry_.Create(RegistryRoot::kCurrentUser, std::string(kTestKey) + "\\Layouts\\E0020404\\Deeper"),
            nullptr);
  auto layouts = registry_.Open(RegistryRoot::kCurrentUser, std::string(kTestKey) + "\\Layouts", RegistryAccess::kRead);
  ASSERT_NE(layouts, nullptr);
  std::vector<std::string> names;
  for (std::uint32_t i = 0;; ++i) {
    const auto name = layouts->SubkeyAt(i);
    if (!name) break;
    names.push_back(*name);
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"E0010404", "E0020404"}));
  EXPECT_EQ(registry_.Open(RegistryRoot::kCurrentUser, std::string(kTestKey) + "\\Missing", RegistryAccess::kRead),
            nullptr);
}

TEST_F(Win32Adapter, ReadsWholeFilesAndConvertsCodePage950) {
  // ASCII names only: under Wine a host without a Chinese locale cannot hold other names.
  const std::string path = TempFolder() + "\\roots.tbl";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::string content(70000, 'r');
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  Win32FileReader reader;
  const auto bytes = reader.ReadWholeFile(path);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()), content);
  EXPECT_FALSE(reader.ReadWholeFile(TempFolder() + "\\missing.tbl"));
  DeleteFileA(path.c_str());
  EXPECT_EQ(Cp950ToUtf8(kPhonetic), "\xe6\xb3\xa8\xe9\x9f\xb3");
  EXPECT_EQ(Utf8ToCp950("\xe6\xb3\xa8\xe9\x9f\xb3"), kPhonetic);
  EXPECT_EQ(Cp950ToUtf8("\xfa\x40"), "\xee\x80\x80");  // 0xFA40 is U+E000
}

TEST_F(Win32Adapter, ReadsOnlyFilesOnDisk) {
  Win32FileReader reader;
  EXPECT_FALSE(reader.ReadWholeFile("NUL"));
  const char* pipe_name = "\\\\.\\pipe\\pictor-adapter-test";
  HANDLE pipe = CreateNamedPipeA(pipe_name, PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(reader.ReadWholeFile(pipe_name));  // would wait for data that never comes
  CloseHandle(pipe);
}

// EnableEUDC is looked up in the GDI32.DLL of the system directory that the process has loaded.
TEST_F(Win32Adapter, LooksEnableEudcUpInTheLoadedGdi32) {
  char directory[MAX_PATH];
  const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
  const HMODULE gdi = GetModuleHandleA((std::string(directory, length) + "\\GDI32.DLL").c_str());
  ASSERT_NE(gdi, nullptr);
  Win32EudcLink link;
  EXPECT_EQ(link.Find(), GetProcAddress(gdi, "EnableEUDC") != nullptr);
  link.EnableEudc(false);
  link.EnableEudc(true);
}

// A module that is not loaded is not loaded for the lookup: no function, and start-up tells the
// user so, with the program's title and no icon, and goes on without input methods.
TEST_F(Win32Adapter, WithoutEnableEudcStartUpSaysSo) {
  ASSERT_EQ(GetModuleHandleA("WINMM.DLL"), nullptr);
  Win32EudcLink missing("WINMM.DLL");
  EXPECT_FALSE(missing.Find());
  EXPECT_EQ(GetModuleHandleA("WINMM.DLL"), nullptr);
  missing.EnableEudc(false);  // nothing to call

  Win32Platform platform(/*consoleWarnings=*/true);
  testing::RecordedMessages messages;
  const PictorPorts ports = platform.AllPorts(messages);
  const PictorPorts without_eudc{ports.registry, ports.keyboard_layouts, ports.files,
                                 ports.messages, ports.family,           missing,
                                 ports.fonts,    ports.windows_directory};
  ProgramState state;
  InitEudcSupport(state, without_eudc);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text, "EnableEUDC function failure!");
  EXPECT_EQ(messages.messages[0].caption, "\xa6\x43\xa6\x4c\xb5\x7b\xa6\xa1");  // 列印程式
  EXPECT_EQ(messages.messages[0].icon, MessageIcon::kNone);
  EXPECT_EQ(state.input_methods.input_methods.count, 0u);
  EXPECT_TRUE(state.system_default_name.Empty());
  EXPECT_EQ(state.platform_family, PlatformFamily::kWindowsNT);
}

// EnumFontsA reports every face once per character set (under Wine) and the vertical "@" faces;
// the list keeps the Big5 TrueType faces that are not vertical, each once, in byte order. The
// arphic fonts that the build machine installs are such faces.
TEST_F(Win32Adapter, EnumeratesFontsAndKeepsBig5TrueTypeFaces) {
  Win32FontList fonts;
  const std::vector<FontFace> faces = fonts.InstalledFaces();
  const auto enumerated = [&](std::string_view name, std::uint8_t charset) {
    return std::any_of(faces.begin(), faces.end(), [&](const FontFace& face) {
      return face.face_name == name && face.charset == charset && face.font_type == TRUETYPE_FONTTYPE;
    });
  };
  ASSERT_TRUE(enumerated("AR PL UMing TW", CHINESEBIG5_CHARSET)) << "fonts-arphic-uming is not installed";
  EXPECT_TRUE(enumerated("AR PL UMing TW", ANSI_CHARSET));
  EXPECT_TRUE(enumerated("@AR PL UMing TW", CHINESEBIG5_CHARSET));

  const std::vector<FaceName> names = FontNameList(faces);
  EXPECT_EQ(names[0].View(), "SystemDefaultEUDCFont");
  EXPECT_EQ(
      std::count_if(names.begin(), names.end(), [](const FaceName& name) { return name.View() == "AR PL UMing TW"; }),
      1);
  for (std::size_t i = 1; i < names.size(); ++i) {
    EXPECT_NE(names[i].View().front(), '@');
    EXPECT_TRUE(enumerated(names[i].View(), CHINESEBIG5_CHARSET)) << names[i].View();
    if (i > 1) {
      EXPECT_LT(names[i - 1].View(), names[i].View());
    }
  }
}

TEST_F(Win32Adapter, TheWindowsDirectoryHasNoTrailingSeparator) {
  Win32WindowsDirectory directory;
  const std::string path = directory.WindowsDirectory();
  ASSERT_FALSE(path.empty());
  EXPECT_NE(path.back(), '\\');
  EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The whole road on Windows: input methods installed in the real registry, found under
// HKEY_LOCAL_MACHINE\System\CurrentControlSet\control\Keyboard Layouts and through the loaded
// layouts, their dictionaries read, their roots looked up.
TEST_F(Win32Adapter, LookupsAnswerFromDictionariesFoundThroughTheRegistry) {
  RemoveDemoInputMethods();
  const std::string folder = TempFolder();
  Win32Platform platform(/*consoleWarnings=*/true);
  ASSERT_TRUE(testsupport::InstallDemoInputMethods(platform.Registry(), folder, '\\'));
  ASSERT_EQ(platform.Family().Family(), PlatformFamily::kWindowsNT);
  for (const auto& dictionary : testsupport::DemoDictionaries(PlatformFamily::kWindowsNT)) {
    std::ofstream out(folder + "\\" + dictionary.file_name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(dictionary.bytes.data()),
              static_cast<std::streamsize>(dictionary.bytes.size()));
  }

  // Wine lists the layouts that the registry describes as loaded.
  const auto loaded = platform.KeyboardLayouts().LoadedLayouts();
  EXPECT_NE(std::find(loaded.begin(), loaded.end(), kPhoneticHkl), loaded.end());

  InputMethodState state;
  EnumerateInputMethods(state, platform.Ports(), platform.Family().Family());
  ASSERT_EQ(state.input_methods.count, 2u);
  EXPECT_EQ(state.input_methods.records[0].hkl, kPhoneticHkl);
  EXPECT_EQ(state.input_methods.records[0].ime_file.View(), "PHON");
  EXPECT_EQ(state.input_methods.records[0].layoutText.View(), testsupport::kDemoPhoneticName);
  EXPECT_EQ(state.input_methods.records[0].dictionary_path.View(), folder + "\\phonetic.tbl");
  EXPECT_EQ(state.input_methods.records[1].hkl, kChangjieHkl);
  for (const auto& expected : testsupport::DemoExpectations()) {
    EXPECT_EQ(LookupRoots(*state.root_tables, expected.code, expected.hkl).View(), expected.roots)
        << std::hex << expected.code << " " << expected.hkl;
  }
  RemoveDemoInputMethods();
  for (const char* name : {"phonetic.tbl", "changjie.tbl", "quick.tbl"}) DeleteFileA((folder + "\\" + name).c_str());
  RemoveDirectoryA(folder.c_str());
}

// The document holds nothing: saving leaves an empty file, opening only needs a file it can read.
TEST_F(Win32Adapter, DocumentFilesAreWrittenEmptyAndCheckedForReading) {
  const std::string path = TempFolder() + "\\doc.pic";
  { std::ofstream(path) << "old content"; }
  Win32DocumentFiles documents;
  ASSERT_TRUE(documents.WriteEmpty(path));
  EXPECT_TRUE(documents.CanRead(path));
  std::ifstream written(path, std::ios::binary | std::ios::ate);
  EXPECT_EQ(written.tellg(), 0);
  written.close();
  DeleteFileA(path.c_str());
  EXPECT_FALSE(documents.CanRead(path));
  EXPECT_FALSE(documents.WriteEmpty(TempFolder() + "\\no such folder\\doc.pic"));
  RemoveDirectoryA(TempFolder().c_str());
}

}  // namespace
}  // namespace pictor::win32
