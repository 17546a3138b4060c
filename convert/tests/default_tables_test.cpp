// Conversions on the default tables through the loaded library: every Big5 character the tables
// map survives the round trips through seven-bit CNS and EUC, and a peer (ICU) reads the library's
// seven-bit and EUC output as the same text.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "code_tables.h"
#include "scratch_directory.h"
#include "shared_library.h"
#include "table_platform_factory.h"

namespace tessel {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using testing::ScratchDirectory;
using testing::SharedLibrary;

// The tables the build generated, read as the library reads them, with the user-defined areas on.
const CodeTables& DefaultTables() {
  static const CodeTables kTables = [] {
    ScratchDirectory dir;
    ScratchDirectory::Write("CNSCVT.INI", std::string("[Setup]\r\nTablePath=") + TESSEL_BUILD_DIR + "\r\n");
    ScratchDirectory::Write("EUDC.USR", std::string());
    setenv("WINDIR", dir.Path().c_str(), 1);
    auto platform = MakeTablePlatform();
    CodeTables t = CodeTables::Load(*platform);
    unsetenv("WINDIR");
    return t;
  }();
  return kTables;
}

// Big5 codes whose CNS character converts back to them, shuffled so that lines mix the planes.
std::vector<std::uint16_t> RoundTripCodes(bool planes_one_and_two_only) {
  std::vector<std::uint16_t> codes;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail > 0x7E && trail < 0xA1) continue;
      const auto code = static_cast<std::uint16_t>((lead << 8) | trail);
      const auto cns = DefaultTables().Big5ToCns(code);
      if (!cns || DefaultTables().CnsToBig5(*cns) != code) continue;
      if (planes_one_and_two_only && (*cns >> 16) != 1 && (*cns >> 16) != 2) continue;
      codes.push_back(code);
    }
  }
  std::shuffle(codes.begin(), codes.end(), std::mt19937(3));
  return codes;
}

Bytes Big5Text(const std::vector<std::uint16_t>& codes, std::size_t per_line) {
  Bytes text;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    text.push_back(static_cast<std::uint8_t>(codes[i] >> 8));
    text.push_back(static_cast<std::uint8_t>(codes[i]));
    if (per_line != 0 && i % per_line == per_line - 1) text.insert(text.end(), {'\r', '\n'});
  }
  return text;
}

// A folder configured for the default tables, with EUDC.USR in the Windows directory.
class DefaultTables : public ::testing::Test {
 protected:
  void SetUp() override {
    ScratchDirectory::Write("CNSCVT.INI", std::string("[Setup]\r\nTablePath=") + TESSEL_BUILD_DIR + "\r\n");
    ScratchDirectory::Write("windows/EUDC.USR", std::string());
    setenv("WINDIR", (dir_.Path() / "windows").c_str(), 1);
    library_ = std::make_unique<SharedLibrary>();
  }
  void TearDown() override {
    library_.reset();
    unsetenv("WINDIR");
  }
  std::int32_t Convert(std::int32_t s, std::int32_t t, const char* from, const char* to) {
    return library_->FileConvert()(s, t, from, to);
  }

  ScratchDirectory dir_;
  std::unique_ptr<SharedLibrary> library_;
};

TEST_F(DefaultTables, EveryMappedBig5CharacterSurvivesTheRoundTrips) {
  const auto codes = RoundTripCodes(false);
  ASSERT_GT(codes.size(), 13000u + 5809u);  // the standard characters and the user-defined areas
  RecordProperty("characters", static_cast<int>(codes.size()));
  const Bytes original = Big5Text(codes, 40);
  ScratchDirectory::Write("original.big5", original);

  ASSERT_EQ(Convert(CVT_BIG5, CVT_CNS, "original.big5", "text.cns"), CVT_OK);
  ASSERT_EQ(Convert(CVT_CNS, CVT_BIG5, "text.cns", "back.big5"), CVT_OK);
  Bytes expected = original;
  expected.push_back(0x0F);  // the seven-bit file's closing shift-in, alone on its last line
  EXPECT_TRUE(ScratchDirectory::Read("back.big5") == expected);

  ASSERT_EQ(Convert(CVT_BIG5, CVT_EUC, "original.big5", "text.euc"), CVT_OK);
  ASSERT_EQ(Convert(CVT_EUC, CVT_BIG5, "text.euc", "back2.big5"), CVT_OK);
  EXPECT_TRUE(ScratchDirectory::Read("back2.big5") == original);
}

std::string RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0) << command;
  return out;
}

// The Han characters of CNS planes 1 and 2 that Big5 holds, in one line: ICU's ISO-2022-CN-EXT
// reader returns to its initial designations at every line end, as its standard says, while the
// library's seven-bit files designate planes 1 and 2 once, in their header; and ICU's own tables
// for that reader and for euc-tw-2014 disagree on some symbols of plane 1 (for example 1-2121).
Bytes HanOfPlanesOneAndTwo() {
  std::vector<std::uint16_t> codes;
  for (std::uint16_t code : RoundTripCodes(true)) {
    const std::uint32_t cns = *DefaultTables().Big5ToCns(code);
    if ((cns >> 16) == 2 || ((cns >> 8) & 0xFF) >= 0x44) codes.push_back(code);
  }
  return Big5Text(codes, 0);
}

// ICU's euc-tw-2014 reads plane 1 only in its two-byte form; 8E A1 b1 b2 is the same character.
Bytes PlaneOneInTwoBytes(const Bytes& euc) {
  Bytes out;
  for (std::size_t i = 0; i < euc.size();) {
    if (euc[i] == 0x8E && i + 3 < euc.size()) {
      if (euc[i + 1] != 0xA1)
        out.insert(out.end(), euc.begin() + static_cast<std::ptrdiff_t>(i),
                   euc.begin() + static_cast<std::ptrdiff_t>(i + 2));
      out.push_back(euc[i + 2]);
      out.push_back(euc[i + 3]);
      i += 4;
    } else {
      out.push_back(euc[i++]);
    }
  }
  return out;
}

TEST_F(DefaultTables, PeersReadTheSevenBitAndEucOutputAsTheSameText) {
  const Bytes han = HanOfPlanesOneAndTwo();
  ASSERT_GT(han.size(), 2u * 13000u);
  ScratchDirectory::Write("han.big5", han);
  ASSERT_EQ(Convert(CVT_BIG5, CVT_CNS, "han.big5", "han.cns"), CVT_OK);
  ASSERT_EQ(Convert(CVT_BIG5, CVT_EUC, "han.big5", "han.euc"), CVT_OK);
  ScratchDirectory::Write("han-two-byte.euc", PlaneOneInTwoBytes(ScratchDirectory::Read("han.euc")));

  const std::string icu_seven_bit = RunCommand("uconv -f ISO-2022-CN-EXT -t UTF-8 han.cns");
  const std::string icu_euc = RunCommand("uconv -f euc-tw-2014 -t UTF-8 han-two-byte.euc");
  const std::string glibc_euc = RunCommand("iconv -f EUC-TW -t UTF-8 han.euc");
  EXPECT_EQ(icu_euc.size(), han.size() / 2 * 3);  // every character read, three UTF-8 bytes each
  EXPECT_TRUE(icu_seven_bit == icu_euc) << icu_seven_bit.size() << " against " << icu_euc.size() << " bytes";
  EXPECT_TRUE(glibc_euc == icu_euc) << glibc_euc.size() << " against " << icu_euc.size() << " bytes";
}

}  // namespace
}  // namespace tessel
