// The exported functions, reached the way a host reaches them: the library is loaded at run time
// in a prepared current directory and its functions are looked up by their undecorated names.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "scratch_directory.h"
#include "shared_library.h"
#include "table_builder.h"

namespace tessel {
namespace {

using testing::MakeTableFile;
using testing::ScratchDirectory;
using testing::SharedLibrary;
namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

void WriteTables(const fs::path& dir, std::uint32_t plane_one_big5_code = 0xA4A4) {
  ScratchDirectory::Write(dir / "CNS_B5.TBL", MakeTableFile({{0x014463, plane_one_big5_code}, {0x014421, 0xA440}}));
  ScratchDirectory::Write(dir / "CNS_B5E.TBL", MakeTableFile({{0x0C2121, 0xFA40}}));
  ScratchDirectory::Write(dir / "CNS_B5U.TBL", MakeTableFile({}));
  ScratchDirectory::Write(dir / "CNS_UCS.TBL", MakeTableFile({{0x014463, 0x4E2D}}));
  ScratchDirectory::Write(dir / "CNS_GBK.TBL", MakeTableFile({{0x014463, 0xD6D0}}));
}

// Converts with a freshly loaded library and returns the result code and the output bytes up to
// the three zero bytes (or the untouched buffer's first byte on a refusal).
struct Converted {
  std::int32_t result;
  Bytes bytes;
};

Converted ConvertWithFreshLibrary(std::int32_t source, std::int32_t target, Bytes input) {
  SharedLibrary library;
  input.insert(input.end(), {0, 0});
  std::vector<char> output(CVT_MAX_OUTPUT_SIZE(input.size()), '\x55');
  const std::int32_t result =
      library.StringConvert()(source, target, reinterpret_cast<const char*>(input.data()), output.data());
  Bytes bytes;
  for (std::size_t i = 0; i + 2 < output.size(); ++i) {
    if (output[i] == 0 && output[i + 1] == 0 && output[i + 2] == 0) break;
    bytes.push_back(static_cast<std::uint8_t>(output[i]));
  }
  return {result, bytes};
}

TEST(Exports, AllFourAreFoundByTheirUndecoratedNames) {
  SharedLibrary library;
  EXPECT_NE(library.StringConvert(), nullptr);
  EXPECT_NE(library.FileConvert(), nullptr);
  EXPECT_NE(library.TableListStart(), nullptr);
  EXPECT_NE(library.TableListEnd(), nullptr);
  EXPECT_EQ(library.Function<void*>("LoadCodeTables"), nullptr);
}

#if defined(_WIN32) && defined(__i386__)
// The 32-bit DLL uses the standard calling convention: the function removes its four arguments
// from the stack itself. The call is made by hand so that the stack pointer can be compared.
TEST(Exports, CalleeRemovesItsArguments) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  SharedLibrary library;
  void* function = reinterpret_cast<void*>(library.StringConvert());
  const char* input = "A\0";
  char outputBuffer[64] = {};
  char* output = outputBuffer;
  std::int32_t result;
  std::uint32_t before;
  std::uint32_t after;
  asm volatile(
      "movl %%esp, %%esi\n\t"
      "pushl %[out]\n\t"
      "pushl %[in]\n\t"
      "pushl $0\n\t"  // target: seven-bit CNS
      "pushl $2\n\t"  // source: Big5
      "call *%[fn]\n\t"
      "movl %%esp, %%edi\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(result), "=S"(before), "=D"(after), [fn] "+b"(function), [in] "+c"(input), [out] "+d"(output)
      :
      : "memory", "cc");
  EXPECT_EQ(result, CVT_OK);
  EXPECT_EQ(after, before);
  EXPECT_EQ(outputBuffer[0], 'A');
}
#endif

TEST(Exports, TablesInShareBelowTheCurrentDirectoryWithoutConfiguration) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  const Converted c = ConvertWithFreshLibrary(CVT_BIG5, CVT_CNS, {0x41, 0xA4, 0xA4});
  EXPECT_EQ(c.result, CVT_OK);
  EXPECT_EQ(c.bytes, (Bytes{0x41, 0x0E, 0x44, 0x63}));
}

TEST(Exports, TablePathFromTheConfigurationFileInTheCurrentDirectory) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share", 0xA4A4);
  WriteTables(dir.Path() / "elsewhere" / "share", 0xB0B0);
  ScratchDirectory::Write(dir.Path() / "CNSCVT.INI",
                          "[Setup]\r\nTablePath=" + (dir.Path() / "elsewhere").string() + "\r\n");
  const Converted c = ConvertWithFreshLibrary(CVT_CNS, CVT_BIG5, {0x0E, 0x44, 0x63});
  EXPECT_EQ(c.result, CVT_OK);
  EXPECT_EQ(c.bytes, (Bytes{0xB0, 0xB0}));
}

TEST(Exports, TablesAreReadAgainWhenTheLibraryIsLoadedAgain) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share", 0xA4A4);
  EXPECT_EQ(ConvertWithFreshLibrary(CVT_CNS, CVT_BIG5, {0x0E, 0x44, 0x63}).bytes, (Bytes{0xA4, 0xA4}));
  WriteTables(dir.Path() / "share", 0xB0B0);
  EXPECT_EQ(ConvertWithFreshLibrary(CVT_CNS, CVT_BIG5, {0x0E, 0x44, 0x63}).bytes, (Bytes{0xB0, 0xB0}));
}

TEST(Exports, MissingTableRefusesEveryConversionAndLeavesTheOutputAlone) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  fs::remove(dir.Path() / "share" / "CNS_GBK.TBL");
  const Converted c = ConvertWithFreshLibrary(CVT_BIG5, CVT_CNS, {0x41});
  EXPECT_EQ(c.result, CVT_ERR_NO_TABLE);
  EXPECT_EQ(c.bytes.front(), 0x55);

  fs::remove_all(dir.Path() / "share");
  EXPECT_EQ(ConvertWithFreshLibrary(CVT_CNS, CVT_UCS, {0x41}).result, CVT_ERR_NO_TABLE);
}

TEST(Exports, FolderWhereATableShouldBeCountsAsMissing) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  fs::remove(dir.Path() / "share" / "CNS_GBK.TBL");
  fs::create_directory(dir.Path() / "share" / "CNS_GBK.TBL");
  EXPECT_EQ(ConvertWithFreshLibrary(CVT_BIG5, CVT_CNS, {0x41}).result, CVT_ERR_NO_TABLE);

  // The optional table as a folder is simply absent.
  fs::remove(dir.Path() / "share" / "CNS_GBK.TBL");
  WriteTables(dir.Path() / "share");
  fs::remove(dir.Path() / "share" / "CNS_B5U.TBL");
  fs::create_directory(dir.Path() / "share" / "CNS_B5U.TBL");
  EXPECT_EQ(ConvertWithFreshLibrary(CVT_BIG5, CVT_CNS, {0xA4, 0xA4}).result, CVT_OK);
}

TEST(Exports, OptionalLastResortTableMayBeMissing) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  fs::remove(dir.Path() / "share" / "CNS_B5U.TBL");
  EXPECT_EQ(ConvertWithFreshLibrary(CVT_BIG5, CVT_CNS, {0xA4, 0xA4}).result, CVT_OK);
}

TEST(Exports, BadHeaderRefusesWithFour) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  ScratchDirectory::Write(dir.Path() / "share" / "CNS_B5.TBL", MakeTableFile({{0x014463, 0xA4A4}}, 3, 2, 100));
  EXPECT_EQ(ConvertWithFreshLibrary(CVT_BIG5, CVT_CNS, {0x41}).result, CVT_ERR_BAD_TABLE);
}

TEST(Exports, PairCheckComesBeforeTheTables) {
  ScratchDirectory dir;  // no tables at all
  EXPECT_EQ(ConvertWithFreshLibrary(5, CVT_CNS, {0x41}).result, CVT_ERR_SOURCE);
  EXPECT_EQ(ConvertWithFreshLibrary(CVT_CNS, 19, {0x41}).result, CVT_ERR_TARGET);
  EXPECT_EQ(ConvertWithFreshLibrary(CVT_BIG5, CVT_GBK, {0x41}).result, CVT_ERR_PAIR);
}

TEST(Exports, NullBuffersAreRefused) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  SharedLibrary library;
  char out[8] = {};
  EXPECT_EQ(library.StringConvert()(CVT_BIG5, CVT_CNS, nullptr, out), CVT_ERR_PAIR);
  EXPECT_EQ(library.StringConvert()(CVT_BIG5, CVT_CNS, "A\0", nullptr), CVT_ERR_PAIR);
}

TEST(Exports, UcsInputLongerThanSixteenBitPositionsConvertsWhole) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  Bytes input;
  for (int i = 0; i < 20000; ++i) input.insert(input.end(), {0x2D, 0x4E, 0x41, 0x00});  // 80,000 bytes
  const Converted c = ConvertWithFreshLibrary(CVT_UCS, CVT_CNS, input);
  EXPECT_EQ(c.result, CVT_OK);
  // Each pair comes out as SO 44 63 SI 41.
  ASSERT_EQ(c.bytes.size(), 20000u * 5u);
  EXPECT_EQ(Bytes(c.bytes.end() - 5, c.bytes.end()), (Bytes{0x0E, 0x44, 0x63, 0x0F, 0x41}));
}

#if defined(_WIN32)
// The marker file lives in the Windows directory.
fs::path MarkerFile() {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  return fs::path(windows) / "EUDC.USR";
}
#else
// Elsewhere $WINDIR stands for the Windows directory.
fs::path MarkerFile() {
  const char* windir = std::getenv("WINDIR");
  return fs::path(windir ? windir : "/etc") / "EUDC.USR";
}
#endif

TEST(Exports, UserDefinedBig5ConvertsOnlyWithTheMarkerFile) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
#if !defined(_WIN32)
  setenv("WINDIR", dir.Path().c_str(), 1);
#endif
  const fs::path marker = MarkerFile();
  ASSERT_FALSE(fs::exists(marker)) << marker;
  EXPECT_EQ(ConvertWithFreshLibrary(CVT_BIG5, CVT_CNS, {0xFA, 0x40}).bytes, (Bytes{0x0E, 0x21, 0x7B}));

  ScratchDirectory::Write(marker, std::string());
  const Converted c = ConvertWithFreshLibrary(CVT_BIG5, CVT_CNS, {0xFA, 0x40});
  std::error_code ignored;
  fs::remove(marker, ignored);
#if !defined(_WIN32)
  unsetenv("WINDIR");
#endif
  EXPECT_EQ(c.bytes, (Bytes{0x1B, 0x24, 0x2B, 0x52, 0x0E, 0x1B, 0x4F, 0x21, 0x21}));
}

TEST(ExportsFiles, Big5FileToSevenBitCns) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  ScratchDirectory::Write("in.txt", std::string("AB\r\n"));
  SharedLibrary library;
  EXPECT_EQ(library.FileConvert()(CVT_BIG5, CVT_CNS, "in.txt", "out.txt"), CVT_OK);
  EXPECT_EQ(ScratchDirectory::Read("out.txt"),
            (Bytes{0x0F, 0x1B, 0x24, 0x29, 0x47, 0x1B, 0x24, 0x2A, 0x48, 0x41, 0x42, 0x0D, 0x0A, 0x0F}));
}

TEST(ExportsFiles, InPlaceConversionLeavesNoTemporaryFile) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  fs::create_directories("docs");
  ScratchDirectory::Write("docs/text.txt", Bytes{0xA4, 0xA4, 0x0D, 0x0A});
  SharedLibrary library;
  EXPECT_EQ(library.FileConvert()(CVT_BIG5, CVT_UCS, "docs/text.txt", "docs/text.txt"), CVT_OK);
  EXPECT_EQ(ScratchDirectory::Read("docs/text.txt"), (Bytes{0xFF, 0xFE, 0x2D, 0x4E, 0x0D, 0, 0x0A, 0}));
  // Another spelling of the same file converts in place too.
  const std::string absolute = (dir.Path() / "docs" / "text.txt").string();
  EXPECT_EQ(library.FileConvert()(CVT_UCS, CVT_BIG5, absolute.c_str(), "docs/../docs/text.txt"), CVT_OK);
  EXPECT_EQ(ScratchDirectory::Read("docs/text.txt"), (Bytes{0xA4, 0xA4, 0x0D, 0x0A}));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator("docs")) names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"text.txt"});
  EXPECT_FALSE(fs::exists("CNSCONV.TMP"));
}

#if defined(_WIN32)
TEST(ExportsFiles, ReadOnlySourceIsRefusedWithFive) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  ScratchDirectory::Write("in.txt", std::string("AB"));
  SetFileAttributesA("in.txt", FILE_ATTRIBUTE_READONLY);
  HANDLE probe = CreateFileA("in.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    // Wine run by the superuser writes read-only files all the same.
    CloseHandle(probe);
    SetFileAttributesA("in.txt", FILE_ATTRIBUTE_NORMAL);
    GTEST_SKIP() << "read-only files are writable for this user";
  }
  SharedLibrary library;
  EXPECT_EQ(library.FileConvert()(CVT_BIG5, CVT_CNS, "in.txt", "out.txt"), CVT_ERR_OPEN_SOURCE);
  EXPECT_FALSE(fs::exists("out.txt"));
  SetFileAttributesA("in.txt", FILE_ATTRIBUTE_NORMAL);
}

TEST(ExportsFiles, SourceThatAnotherProgramKeepsFromWritingIsRefusedWithFive) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  ScratchDirectory::Write("in.txt", std::string("AB"));
  // Open elsewhere with sharing for reading only: the source cannot be opened for writing.
  HANDLE held =
      CreateFileA("in.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  {
    SharedLibrary library;
    EXPECT_EQ(library.FileConvert()(CVT_BIG5, CVT_CNS, "in.txt", "out.txt"), CVT_ERR_OPEN_SOURCE);
    EXPECT_EQ(library.FileConvert()(CVT_BIG5, CVT_CNS, "in.txt", "in.txt"), CVT_ERR_OPEN_SOURCE);
  }
  CloseHandle(held);
  EXPECT_FALSE(fs::exists("out.txt"));
  EXPECT_EQ(ScratchDirectory::Read("in.txt"), (Bytes{'A', 'B'}));
}

TEST(ExportsFiles, DifferentCaseNamesTheSameFile) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  ScratchDirectory::Write("Text.TXT", Bytes{0xA4, 0xA4});
  SharedLibrary library;
  EXPECT_EQ(library.FileConvert()(CVT_BIG5, CVT_EUC, "Text.TXT", "text.txt"), CVT_OK);
  EXPECT_EQ(ScratchDirectory::Read("Text.TXT"), (Bytes{0x8E, 0xA1, 0xC4, 0xE3}));
}
#endif

TEST(ExportsFiles, MissingSourceAndUncreatableTarget) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "share");
  ScratchDirectory::Write("in.txt", std::string("AB"));
  SharedLibrary library;
  EXPECT_EQ(library.FileConvert()(CVT_BIG5, CVT_CNS, "missing.txt", "out.txt"), CVT_ERR_OPEN_SOURCE);
  EXPECT_EQ(library.FileConvert()(CVT_BIG5, CVT_CNS, "in.txt", "no-such-folder/out.txt"), CVT_ERR_CREATE_TARGET);
  EXPECT_EQ(library.FileConvert()(CVT_BIG5, CVT_GBK, "in.txt", "out.txt"), CVT_ERR_PAIR);
  EXPECT_FALSE(fs::exists("out.txt"));
}

TEST(ExportsList, FormInTheConfiguredPathWithARowPerMissingCharacter) {
  ScratchDirectory dir;
  WriteTables(dir.Path() / "tables" / "share");
  ScratchDirectory::Write("CNSCVT.INI", "[Setup]\r\nTablePath=" + (dir.Path() / "tables").string() + "\r\n");
  SharedLibrary library;
  EXPECT_EQ(library.TableListEnd()(), 0);  // nothing started yet: no file
  EXPECT_FALSE(fs::exists(dir.Path() / "tables" / "CNSLIST.LOG"));
  ASSERT_EQ(library.TableListStart()(), 1);
  // Plane 2, 0x21 0x21 has no Big5 code: met twice, listed twice.
  const char input[] = "\x1B\x4E\x21\x21\x1B\x4E\x21\x21\0";
  char output[64];
  ASSERT_EQ(library.StringConvert()(CVT_CNS, CVT_BIG5, input, output), CVT_OK);
  ASSERT_EQ(library.TableListEnd()(), 1);
  const Bytes form = ScratchDirectory::Read(dir.Path() / "tables" / "CNSLIST.LOG");
  const std::string text(form.begin(), form.end());
  std::size_t rows = 0;
  for (std::size_t at = text.find("2-2121"); at != std::string::npos; at = text.find("2-2121", at + 1)) ++rows;
  EXPECT_EQ(rows, 2u);
  EXPECT_EQ(text.substr(0, 26), std::string(26, ' '));
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

}  // namespace
}  // namespace tessel
