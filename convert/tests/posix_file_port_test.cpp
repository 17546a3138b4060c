// The POSIX file adapter in temporary folders.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "code_selector.h"
#include "file_conversion.h"
#include "file_port_factory.h"
#include "scratch_directory.h"
#include "table_builder.h"

namespace tessel {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using testing::ScratchDirectory;

std::vector<std::string> NamesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class PosixFiles : public ::testing::Test {
 protected:
  ScratchDirectory dir_;
  std::unique_ptr<FilePort> files_ = MakeFilePort();
  CodeTables tables_ = testing::SmallTables();
  CnsCoder coder_;

  std::int32_t Convert(const std::string& from, const std::string& to) {
    return ConvertFile(tables_, coder_, nullptr, *files_, kSelectorBig5, kSelectorEuc, from, to);
  }
};

TEST_F(PosixFiles, SameFileRecognisesSpellingsAndLinks) {
  ScratchDirectory::Write("a.txt", std::string("x"));
  ScratchDirectory::Write("b.txt", std::string("x"));
  fs::create_directory("sub");
  fs::create_symlink("../a.txt", "sub/link.txt");
  fs::create_hard_link("a.txt", "hard.txt");
  EXPECT_TRUE(files_->SameFile("a.txt", (dir_.Path() / "a.txt").string()));
  EXPECT_TRUE(files_->SameFile("a.txt", "sub/../a.txt"));
  EXPECT_TRUE(files_->SameFile("a.txt", "sub/link.txt"));
  EXPECT_TRUE(files_->SameFile("a.txt", "hard.txt"));
  EXPECT_FALSE(files_->SameFile("a.txt", "b.txt"));
  EXPECT_FALSE(files_->SameFile("a.txt", "missing.txt"));
}

TEST_F(PosixFiles, TemporaryFilesAreUniqueBesideTheFileAndKeepItsPermissions) {
  fs::create_directory("sub");
  ScratchDirectory::Write("sub/a.txt", std::string("x"));
  ::chmod("sub/a.txt", 0640);
  std::string first, second;
  auto t1 = files_->CreateTemporaryBeside("sub/a.txt", first);
  auto t2 = files_->CreateTemporaryBeside("sub/a.txt", second);
  ASSERT_TRUE(t1 && t2);
  EXPECT_NE(first, second);
  EXPECT_EQ(fs::path(first).parent_path(), fs::canonical("sub"));
  struct stat st {};
  ASSERT_EQ(::stat(first.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  files_->Remove(first);
  files_->Remove(second);
  EXPECT_EQ(NamesIn("sub"), std::vector<std::string>{"a.txt"});
}

TEST_F(PosixFiles, InPlaceThroughASymbolicLinkConvertsTheFileAndKeepsTheLink) {
  fs::create_directory("real");
  ScratchDirectory::Write("real/a.txt", Bytes{0xA4, 0xA4});
  fs::create_symlink("real/a.txt", "link.txt");
  ASSERT_EQ(Convert("link.txt", "real/a.txt"), kResultOk);
  EXPECT_TRUE(fs::is_symlink("link.txt"));
  EXPECT_EQ(ScratchDirectory::Read("real/a.txt"), (Bytes{0x8E, 0xA1, 0xC4, 0xE3}));
  EXPECT_EQ(NamesIn("real"), std::vector<std::string>{"a.txt"});
  ASSERT_EQ(ConvertFile(tables_, coder_, nullptr, *files_, kSelectorEuc, kSelectorBig5, "link.txt", "link.txt"), 0);
  EXPECT_TRUE(fs::is_symlink("link.txt"));
  EXPECT_EQ(ScratchDirectory::Read("real/a.txt"), (Bytes{0xA4, 0xA4}));
}

TEST_F(PosixFiles, HardLinkedTargetGetsTheConvertedTextAndTheSourceKeepsItsOwn) {
  ScratchDirectory::Write("a.txt", Bytes{0xA4, 0xA4});
  fs::create_hard_link("a.txt", "b.txt");
  ASSERT_EQ(Convert("a.txt", "b.txt"), kResultOk);
  EXPECT_EQ(ScratchDirectory::Read("b.txt"), (Bytes{0x8E, 0xA1, 0xC4, 0xE3}));
  EXPECT_EQ(ScratchDirectory::Read("a.txt"), (Bytes{0xA4, 0xA4}));
}

TEST_F(PosixFiles, SourceThatCannotBeOpenedForWritingIsRefused) {
  fs::create_directory("folder");
  EXPECT_EQ(Convert("folder", "out.txt"), kResultOpenSource);
  if (::geteuid() != 0) {
    ScratchDirectory::Write("ro.txt", std::string("AB"));
    ::chmod("ro.txt", 0444);
    EXPECT_EQ(Convert("ro.txt", "out.txt"), kResultOpenSource);
  }
  EXPECT_FALSE(fs::exists("out.txt"));
}

TEST_F(PosixFiles, ListFileIsAppendedOnlyWhenItExists) {
  EXPECT_FALSE(files_->AppendToExisting("list.log", "x"));
  EXPECT_FALSE(fs::exists("list.log"));
  ASSERT_TRUE(files_->CreateWith("list.log", "head\r\n"));
  ASSERT_TRUE(files_->AppendToExisting("list.log", "row\r\n"));
  ASSERT_TRUE(files_->CreateWith("list.log", "head\r\n"));
  const Bytes expected{'h', 'e', 'a', 'd', '\r', '\n'};
  EXPECT_EQ(ScratchDirectory::Read("list.log"), expected);
}

}  // namespace
}  // namespace tessel
