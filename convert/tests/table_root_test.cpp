#include "table_root.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "scratch_directory.h"

namespace tessel::tools {
namespace {

namespace fs = std::filesystem;
using testing::ScratchDirectory;

// A folder holding five table files.
fs::path MakeTables(const fs::path& folder) {
  for (const char* name : {"CNS_B5.TBL", "CNS_B5E.TBL", "CNS_B5U.TBL", "CNS_UCS.TBL", "CNS_GBK.TBL"})
    ScratchDirectory::Write(folder / name, std::string(name));
  return fs::absolute(folder);
}

#if defined(_WIN32)

TEST(TableRoot, IsTheFolderAboveAFolderNamedShare) {
  ScratchDirectory dir;
  const fs::path tables = MakeTables("package/share");
  const TableRoot root(tables);
  EXPECT_EQ(root.Folder(), tables.parent_path());
}

TEST(TableRoot, RefusesTablesOutsideAFolderNamedShare) {
  ScratchDirectory dir;
  const fs::path tables = MakeTables("tables");
  EXPECT_THROW(TableRoot{tables}, TableRootError);
}

TEST(TableRoot, FollowsTheLibrarysRuleForACnscvtIniBesideShare) {
  ScratchDirectory dir;
  const fs::path tables = MakeTables("package/share");
  ScratchDirectory::Write("package/CNSCVT.INI", std::string("[Setup]\r\nTablePath=.\r\n"));
  EXPECT_NO_THROW(TableRoot{tables});
  ScratchDirectory::Write("package/CNSCVT.INI", std::string("[Setup]\r\nTablePath=C:\\elsewhere\r\n"));
  EXPECT_THROW(TableRoot{tables}, TableRootError);
}

#else

TEST(TableRoot, LinksTheTablesFolderItselfAndLeavesNothingBehind) {
  ScratchDirectory dir;
  const fs::path tables = MakeTables("tables");
  fs::path folder;
  {
    const TableRoot root(tables);
    folder = root.Folder();
    EXPECT_TRUE(fs::equivalent(folder / "share", tables)) << "share is the tables folder, not a copy";
    EXPECT_TRUE(fs::is_symlink(folder / "share"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    EXPECT_FALSE(fs::exists(folder / "CNSCVT.INI")) << "TablePath stays at its default, the current directory";
  }
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_EQ(std::distance(fs::directory_iterator(tables), fs::directory_iterator()), 5) << "the tables stay";
}

#endif

}  // namespace
}  // namespace tessel::tools
