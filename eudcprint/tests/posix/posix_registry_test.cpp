#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <optional>

#include "core/input_methods.h"
#include "core/known_input_methods.h"
#include "core/reg_file.h"
#include "platform/posix/atomic_file.h"
#include "platform/posix/posix_platform.h"
#include "tests/support/temp_folder.h"
#include "tools/fixtures/demo_data.h"
#include "tools/fixtures/registry_setup.h"

namespace pictor::posix {
namespace {

using pictor::testing::ReadFile;
using pictor::testing::ScopedEnv;
using pictor::testing::TempFolder;
using pictor::testing::WriteFile;

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// Runs `work` in a child process that may write no file larger than `limit` bytes, as a disk
// that fills up midway would. Returns the child's exit status.
template <typename Work>
int RunWithFileSizeLimit(rlim_t limit, Work work) {
  const pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails instead of killing
    const rlimit rl{limit, limit};
    setrlimit(RLIMIT_FSIZE, &rl);
    _exit(work());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RegistryFilePath, FollowsTheEnvironment) {
  {
    ScopedEnv registry("PICTOR_REGISTRY", "/somewhere/r.reg");
    EXPECT_EQ(RegistryFilePath(), "/somewhere/r.reg");
  }
  ScopedEnv registry("PICTOR_REGISTRY", nullptr);
  {
    ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(RegistryFilePath(), "/cfg/pictor/registry.reg");
  }
  ScopedEnv home("HOME", "/home/u");
  ScopedEnv relative("XDG_CONFIG_HOME", "relative");  // not absolute: ignored
  EXPECT_EQ(RegistryFilePath(), "/home/u/.config/pictor/registry.reg");
}

TEST(FileRegistry, AMissingFileIsAnEmptyRegistryWrittenOnTheFirstChange) {
  TempFolder folder;
  const std::string path = folder / "config/pictor/registry.reg";
  IconvCp950Codec codec;
  FileRegistry registry(path, codec);
  EXPECT_EQ(registry.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kRead), nullptr);
  EXPECT_FALSE(std::filesystem::exists(path));

  auto key = registry.Create(RegistryRoot::kCurrentUser, "EUDC\\950");
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->Set({"\xb2\xd3\xa9\xfa\xc5\xe9", kRegSz, "C:\\EUDC.TTE"}));  // 細明體
  const std::vector<std::uint8_t> bytes = ReadFile(path);
  const std::u16string expected =
      u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\EUDC\\950]\r\n"
      u"\"細明體\"=\"C:\\\\EUDC.TTE\"\r\n\r\n";
  std::vector<std::uint8_t> expected_bytes = {0xFF, 0xFE};
  for (char16_t unit : expected) {
    expected_bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    expected_bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  EXPECT_EQ(bytes, expected_bytes);
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

  FileRegistry again(path, codec);
  EXPECT_EQ(again.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kRead)
                ->Query("\xb2\xd3\xa9\xfa\xc5\xe9")
                ->data,
            "C:\\EUDC.TTE");
}

TEST(FileRegistry, WritesARegedit4FileBackAsRegedit4AndKeepsWhatItDidNotTouch) {
  TempFolder folder;
  const std::string path = folder / "registry.reg";
  const std::string original =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\EUDC\\950]\r\n"
      "\"SystemDefaultEUDCFont\"=\"C:\\\\WINDOWS\\\\EUDC.TTE\"\r\n"
      "\"\xb2\xd3\xa9\xfa\xc5\xe9\"=\"C:\\\\WINDOWS\\\\MING.TTE\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Other]\r\n\"Bin\"=hex:00,ff\r\n\"Ex\"=hex(2):25,41,25,00\r\n\r\n";
  WriteFile(path, Bytes(original));
  IconvCp950Codec codec;
  FileRegistry registry(path, codec);
  auto key = registry.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kAll);
  ASSERT_NE(key, nullptr);
  const RegistryValue ming = *key->Query("\xb2\xd3\xa9\xfa\xc5\xe9");
  EXPECT_EQ(ming.data, "C:\\WINDOWS\\MING.TTE");

  // Deleting and putting back the same value leaves the file as it was, byte for byte.
  ASSERT_TRUE(key->Delete(ming.name));
  const std::string ming_line = "\"\xb2\xd3\xa9\xfa\xc5\xe9\"=\"C:\\\\WINDOWS\\\\MING.TTE\"\r\n";
  EXPECT_EQ(ReadFile(path).size(), original.size() - ming_line.size());
  ASSERT_TRUE(key->Set(ming));
  EXPECT_EQ(ReadFile(path), Bytes(original));
  ASSERT_TRUE(key->Set({"New", kRegSz, "\xaa\x60"}));
  const std::vector<std::uint8_t> written = ReadFile(path);
  EXPECT_EQ(std::string(written.begin(), written.begin() + 8), "REGEDIT4");
  EXPECT_NE(std::string(written.begin(), written.end()).find("\"New\"=\"\xaa\x60\"\r\n"), std::string::npos);
}

TEST(FileRegistry, KeepsChangesThatAnotherProgramMadeMeanwhile) {
  TempFolder folder;
  const std::string path = folder / "registry.reg";
  WriteFile(path, Bytes("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"1\"\r\n\r\n"));
  IconvCp950Codec codec;
  FileRegistry registry(path, codec);
  auto key = registry.Open(RegistryRoot::kCurrentUser, "A", RegistryAccess::kAll);
  WriteFile(path, Bytes("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n\r\n"));
  ASSERT_TRUE(key->Set({"c", kRegSz, "3"}));
  const std::vector<std::uint8_t> bytes = ReadFile(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n\"c\"=\"3\"\r\n\r\n");
}

TEST(FileRegistry, AFileThatDoesNotParseIsReportedAndLeftAlone) {
  TempFolder folder;
  const std::string path = folder / "registry.reg";
  const std::string broken = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=dword:zz\r\n";
  WriteFile(path, Bytes(broken));
  IconvCp950Codec codec;
  try {
    FileRegistry registry(path, codec);
    FAIL() << "a broken file was accepted";
  } catch (const regfile::RegFileError& error) {
    EXPECT_EQ(error.Line(), 4u);
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
  }
  EXPECT_EQ(ReadFile(path), Bytes(broken));
}

TEST(FileRegistry, ReadsSeeTheFileAsItIsNowSoThatNoStaleValueIsWrittenBack) {
  TempFolder folder;
  const std::string path = folder / "registry.reg";
  WriteFile(path, Bytes("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\EUDC\\950]\r\n\"link\"=\"old\"\r\n\r\n"));
  IconvCp950Codec codec;
  FileRegistry ours(path, codec);
  auto key = ours.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kAll);
  ASSERT_EQ(key->Query("link")->data, "old");

  // Another program changes the link after our start; we read it and write it back, as the
  // removal and restoring of a link does.
  {
    FileRegistry theirs(path, codec);
    ASSERT_TRUE(
        theirs.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kAll)->Set({"link", kRegSz, "new"}));
  }
  const auto link = key->Query("link");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->data, "new");
  ASSERT_TRUE(key->Delete("link"));
  ASSERT_TRUE(key->Set(*link));
  FileRegistry later(path, codec);
  EXPECT_EQ(later.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kRead)->Query("link")->data, "new");
}

TEST(FileRegistry, TwoProgramsWritingAtOnceLoseNothing) {
  TempFolder folder;
  const std::string path = folder / "registry.reg";
  WriteFile(path, Bytes("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Race]\r\n\r\n"));
  constexpr int kWrites = 40;
  std::vector<pid_t> writers;
  for (const char* prefix : {"a", "b"}) {
    const pid_t child = fork();
    if (child == 0) {
      IconvCp950Codec codec;
      FileRegistry registry(path, codec);
      auto key = registry.Open(RegistryRoot::kCurrentUser, "Race", RegistryAccess::kAll);
      bool ok = key != nullptr;
      for (int i = 0; i < kWrites && ok; ++i) ok = key->Set({prefix + std::to_string(i), kRegSz, "x"});
      _exit(ok ? 0 : 1);
    }
    writers.push_back(child);
  }
  for (const pid_t writer : writers) {
    int status = 0;
    waitpid(writer, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const regfile::RegistryDocument document = regfile::ReadRegFile(ReadFile(path));
  const regfile::RegFileKey* key = document.FindKey(u"HKEY_CURRENT_USER\\Race");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->values.size(), 2u * kWrites);
}

TEST(FileRegistry, AMisspeltRootIsToldWithFileAndLine) {
  TempFolder folder;
  const std::string path = folder / "registry.reg";
  WriteFile(path, Bytes("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\r\n[HKEY_CURENT_USER\\EUDC\\950]\r\n"));
  IconvCp950Codec codec;
  try {
    FileRegistry registry(path, codec);
    FAIL() << "a misspelt root was accepted";
  } catch (const regfile::RegFileError& error) {
    EXPECT_EQ(std::string(error.what()), path +
                                             ": line 5: unknown root key \"HKEY_CURENT_USER\": a key path begins with "
                                             "HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, "
                                             "HKEY_CURRENT_CONFIG or HKEY_DYN_DATA");
  }
}

TEST(PosixPorts, FilesThatAreNoRegularFilesAreNotRead) {
  TempFolder folder;
  const std::string fifo = folder / "dictionary.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  IconvCp950Codec codec;
  PosixFileReader reader(codec);
  // A FIFO without a writer would block the reading for ever; /dev/zero would never end.
  EXPECT_EQ(reader.ReadWholeFile(fifo), std::nullopt);
  EXPECT_EQ(reader.ReadWholeFile("/dev/zero"), std::nullopt);
  EXPECT_EQ(reader.ReadWholeFile("/dev/null"), std::nullopt);
  EXPECT_THROW(FileRegistry(fifo, codec), std::system_error);
}

TEST(AtomicWrite, AWriteCutShortLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder folder;
  const std::string path = folder / "registry.reg";
  const std::vector<std::uint8_t> old = Bytes("REGEDIT4\r\n\r\n");
  WriteFile(path, old);
  const std::vector<std::uint8_t> large(100000, 'x');
  const int status = RunWithFileSizeLimit(4096, [&] {
    try {
      WriteFileAtomically(path, large);
      return 0;
    } catch (const std::system_error&) {
      return 3;
    }
  });
  EXPECT_EQ(status, 3);
  EXPECT_EQ(ReadFile(path), old);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"registry.reg"});

  WriteFileAtomically(path, large);
  EXPECT_EQ(ReadFile(path), large);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"registry.reg"});
}

TEST(AtomicWrite, AFailedRegistryWriteIsRefusedAndChangesNothing) {
  TempFolder folder;
  const std::string path = folder / "registry.reg";
  const std::string original = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"1\"\r\n\r\n";
  WriteFile(path, Bytes(original));
  const int status = RunWithFileSizeLimit(64, [&] {
    IconvCp950Codec codec;
    FileRegistry registry(path, codec);
    auto key = registry.Open(RegistryRoot::kCurrentUser, "A", RegistryAccess::kAll);
    const bool written = key->Set({"b", kRegSz, std::string(500, 'b')});
    const bool unchanged =
        !key->Query("b") && registry.Registry().LastError().find("cannot write") != std::string::npos;
    return !written && unchanged ? 3 : 0;
  });
  EXPECT_EQ(status, 3);
  EXPECT_EQ(ReadFile(path), Bytes(original));
  std::vector<std::string> names = folder.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));  // no temporary file
}

TEST(AtomicWrite, KeepsPermissionsAndSymbolicLinks) {
  TempFolder folder;
  const std::string target = folder / "real.reg";
  const std::string link = folder / "registry.reg";
  WriteFile(target, Bytes("old"));
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  std::filesystem::create_symlink("real.reg", link);
  WriteFileAtomically(link, Bytes("new"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFile(target), Bytes("new"));
  struct stat info {};
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(PosixPorts, PreloadListsLayoutsInNumberOrder) {
  TempFolder folder;
  PosixPlatform platform(folder / "registry.reg");
  auto preload = platform.Registry().Create(RegistryRoot::kCurrentUser, "Keyboard Layout\\Preload");
  ASSERT_TRUE(preload->Set({"2", kRegSz, "E0020404"}));
  ASSERT_TRUE(preload->Set({"10", kRegSz, "e0010404"}));
  ASSERT_TRUE(preload->Set({"1", kRegSz, "00000404"}));
  ASSERT_TRUE(preload->Set({"x", kRegSz, "E0030404"}));
  ASSERT_TRUE(preload->Set({"3", kRegSz, "not hex"}));
  EXPECT_EQ(platform.KeyboardLayouts().LoadedLayouts(),
            (std::vector<std::uint32_t>{0x04040404, 0xE0020404, 0xE0010404}));
  EXPECT_EQ(platform.Family().Family(), PlatformFamily::kWindowsNT);
}

TEST(PosixPorts, TheWindowsDirectoryIsWindirElseEtc) {
  IconvCp950Codec codec;
  EnvironmentWindowsDirectory directory(codec);
  {
    ScopedEnv windir("WINDIR", nullptr);
    EXPECT_EQ(directory.WindowsDirectory(), "/etc");
  }
  ScopedEnv windir("WINDIR", "/srv/\xe5\xad\x97");  // 字, given in UTF-8
  EXPECT_EQ(directory.WindowsDirectory(), "/srv/\xa6\x72");
}

TEST(PosixPorts, FileReaderTakesCodePage950PathsWithBackslashes) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "字根");
  WriteFile(folder / "字根/注音.tbl", Bytes("roots"));
  IconvCp950Codec codec;
  PosixFileReader reader(codec);
  const std::string cp950_folder = codec.FromUtf8(folder.Path().string());
  EXPECT_EQ(reader.ReadWholeFile(cp950_folder + "\\\xa6\x72\xae\xda\\\xaa\x60\xad\xb5.tbl"), Bytes("roots"));
  EXPECT_EQ(reader.ReadWholeFile(cp950_folder + "\\missing.tbl"), std::nullopt);
  EXPECT_EQ(reader.ReadWholeFile(cp950_folder), std::nullopt);  // a folder
}

// The whole road on Linux: a registry file and dictionaries generated here, found through the
// registry file as pictor finds them at start-up.
class EndToEnd : public ::testing::TestWithParam<std::tuple<regfile::RegFileFormat, PlatformFamily>> {};

TEST_P(EndToEnd, LookupsAnswerFromDictionariesFoundThroughTheRegistryFile) {
  const auto [format, family] = GetParam();
  TempFolder folder;
  const std::string path = folder / "registry.reg";
  WriteFile(path, regfile::WriteRegFile(regfile::RegistryDocument(format)));
  IconvCp950Codec codec;
  {
    FileRegistry registry(path, codec);
    ASSERT_TRUE(testsupport::InstallDemoInputMethods(registry, codec.FromUtf8(folder.Path().string()), '/'));
  }
  for (const auto& dictionary : testsupport::DemoDictionaries(family))
    WriteFile(folder / dictionary.file_name, dictionary.bytes);

  ScopedEnv env("PICTOR_REGISTRY", path.c_str());
  PosixPlatform platform;
  InputMethodState state;
  EnumerateInputMethods(state, platform.Ports(), family);
  ASSERT_EQ(state.input_methods.count, 2u);
  EXPECT_EQ(state.input_methods.records[0].layoutText.View(), testsupport::kDemoPhoneticName);
  EXPECT_EQ(state.input_methods.records[1].layoutText.View(), testsupport::kDemoChangjieName);
  for (const auto& expected : testsupport::DemoExpectations()) {
    EXPECT_EQ(LookupRoots(*state.root_tables, expected.code, expected.hkl).View(), expected.roots)
        << std::hex << expected.code << " " << expected.hkl;
  }
  EXPECT_EQ(regfile::ReadRegFile(ReadFile(path)).Format(), format);
}

INSTANTIATE_TEST_SUITE_P(FormatsAndFamilies, EndToEnd,
                         ::testing::Combine(::testing::Values(regfile::RegFileFormat::kVersion5Utf16,
                                                              regfile::RegFileFormat::kRegedit4),
                                            ::testing::Values(PlatformFamily::kWindowsNT, PlatformFamily::kWindows9x)),
                         [](const auto& test) {
                           const bool version5 = std::get<0>(test.param) == regfile::RegFileFormat::kVersion5Utf16;
                           const bool nt = std::get<1>(test.param) == PlatformFamily::kWindowsNT;
                           return std::string(version5 ? "Version5" : "Regedit4") + (nt ? "_NT" : "_9x");
                         });

}  // namespace
}  // namespace pictor::posix
