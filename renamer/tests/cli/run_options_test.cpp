// The command lines of quillon-run and quillon-window-run: what each argument sets, the errors, and
// the help in the shape the manual page is made from.

#include "cli/run_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/window_run_options.h"

namespace quillon::cli {
namespace {

using ::testing::ElementsAre;

ParsedRunOptions Parse(std::vector<std::string> arguments) { return ParseRunOptions(arguments); }

TEST(RunOptions, EachOptionSetsItsField) {
  const ParsedRunOptions run = Parse({"--reverse", "--table", "t.tbl", "--log-dir", "L", "--quiet", "a", "-", "b"});
  EXPECT_EQ(run.error, "");
  EXPECT_EQ(run.options.direction, Direction::kStandardToPrivate);
  EXPECT_EQ(run.options.table_path, "t.tbl");
  EXPECT_EQ(run.options.log_dir, "L");
  EXPECT_TRUE(run.options.quiet);
  EXPECT_THAT(run.options.folders, ElementsAre("a", "-", "b"));

  const ParsedRunOptions all = Parse({"--all-disks", "--dry-run"});
  EXPECT_EQ(all.error, "");
  EXPECT_TRUE(all.options.all_disks && all.options.dry_run);
  EXPECT_EQ(Parse({"--undo", "x.log"}).options.undo_log, "x.log");
  // A value is taken as it is, and after "--" everything is a folder.
  EXPECT_EQ(Parse({"--table", "--quiet", "f"}).options.table_path, "--quiet");
  EXPECT_THAT(Parse({"--", "--reverse", "-x"}).options.folders, ElementsAre("--reverse", "-x"));
}

TEST(RunOptions, HelpAndVersionEndTheReading) {
  EXPECT_TRUE(Parse({"-h", "--frobnicate"}).options.help);
  EXPECT_EQ(Parse({"--help", "--frobnicate"}).error, "");
  EXPECT_TRUE(Parse({"--version"}).options.version);
  EXPECT_EQ(Parse({"--frobnicate", "--help"}).error, "unknown option --frobnicate");
}

TEST(RunOptions, Errors) {
  EXPECT_EQ(Parse({"--table"}).error, "--table needs a value");
  EXPECT_EQ(Parse({"--undo", ""}).error, "--undo needs a log file");
  EXPECT_EQ(Parse({}).error, "give FOLDERs, --all-disks or --undo LOGFILE (one of them)");
  EXPECT_EQ(Parse({"x", "--all-disks"}).error, "give FOLDERs, --all-disks or --undo LOGFILE (one of them)");
  EXPECT_EQ(Parse({"--undo", "a.log", "x"}).error, "give FOLDERs, --all-disks or --undo LOGFILE (one of them)");
  EXPECT_EQ(Parse({"--undo", "a.log", "--dry-run"}).error, "--dry-run does not go with --undo");
  EXPECT_EQ(Parse({"--undo", "a.log", "--reverse"}).error, "--reverse does not go with --undo");
}

// The manual page is made from --help: usage lines, a summary paragraph, then sections whose items
// are a term, two blanks and the text, with deeper-indented lines continuing it.
TEST(RunOptions, HelpHasTheManualPagesShape) {
  std::istringstream help(RunHelp());
  std::vector<std::string> lines;
  for (std::string line; std::getline(help, line);) lines.push_back(line);
  ASSERT_GT(lines.size(), 30u);
  EXPECT_EQ(lines[0], "Usage: quillon-run [OPTION]... FOLDER...");
  std::vector<std::string> terms;
  bool in_options = false;
  for (const std::string& line : lines) {
    if (line.starts_with("  --reverse")) in_options = true;
    if (!in_options || line.empty() || line == "Exit status:") continue;
    const std::size_t text = line.find_first_not_of(' ');
    const std::size_t gap = line.find("  ", text);
    if (text == 2) {  // an item: its term, two blanks or more, its text
      ASSERT_NE(gap, std::string::npos) << line;
      EXPECT_NE(line.find_first_not_of(' ', gap), std::string::npos) << line;
      terms.push_back(line.substr(2, gap - 2));
    } else {  // its text continued, deeper
      EXPECT_GE(text, 5u) << line;
      EXPECT_EQ(gap, std::string::npos) << line;
    }
  }
  EXPECT_THAT(terms, ElementsAre("--reverse", "--table FILE", "--log-dir DIR", "--all-disks", "--dry-run",
                                 "--undo LOGFILE", "--quiet", "--help", "--version", "0", "1", "2", "3", "4"));
  EXPECT_NE(RunHelp().find("\"*無法改名*\""), std::string::npos);
}

TEST(WindowRunOptions, OneFolderAndAnIntervalInMicroseconds) {
  const ParsedWindowRunOptions parsed = ParseWindowRunOptions(std::vector<std::string>{
      "--reverse", "--profile", "P", "--screenshot", "s.png", "--event-interval", "0", "tree"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.direction, Direction::kStandardToPrivate);
  EXPECT_EQ(parsed.options.profile, "P");
  EXPECT_EQ(parsed.options.screenshot, "s.png");
  EXPECT_EQ(parsed.options.event_interval_us, 0u);
  EXPECT_EQ(parsed.options.folder, "tree");

  EXPECT_EQ(ParseWindowRunOptions(std::vector<std::string>{}).error, "give one FOLDER");
  EXPECT_EQ(ParseWindowRunOptions(std::vector<std::string>{"a", "b"}).error, "give one FOLDER");
  EXPECT_EQ(ParseWindowRunOptions(std::vector<std::string>{"--event-interval", "-1", "a"}).error,
            "--event-interval wants a number of microseconds, not '-1'");
  EXPECT_EQ(ParseWindowRunOptions(std::vector<std::string>{"--event-interval", "5ms", "a"}).error,
            "--event-interval wants a number of microseconds, not '5ms'");
  EXPECT_TRUE(ParseWindowRunOptions(std::vector<std::string>{"--help"}).options.help);
  EXPECT_NE(WindowRunHelp().find("  --event-interval US  handle"), std::string::npos);
}

}  // namespace
}  // namespace quillon::cli
