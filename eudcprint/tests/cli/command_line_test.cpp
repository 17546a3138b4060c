// The command lines of the hosts and tools: the shared option table (parsing and --help), and
// each program's parse of its line into options or a fault.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <string>
#include <vector>

#include "cli/dialogs_options.h"
#include "cli/print_options.h"
#include "cli/roots_options.h"
#include "tools/mkfixture_options.h"
#include "tools/mkfont_options.h"

namespace pictor::cli {
namespace {

using Args = std::vector<std::string>;

constexpr std::array kTable = {
    Option{"--size", "", "SIZE", "the size\nin two lines", OptionKind::kValue},
    Option{"--omit", "", "CODE", "codes", OptionKind::kValues},
    Option{"--quiet", "-q", "", "say less"},
    kHelpOption,
    kVersionOption,
};

TEST(CommandLine, SplitsOptionsValuesAndOperandsByTheTable) {
  const ParsedLine line =
      ParseCommandLine(kTable, Args{"a", "--size", "A4", "-q", "--omit", "FA40", "FA41", "--size", "B5", "b"});
  EXPECT_TRUE(line.error.empty()) << line.error;
  EXPECT_EQ(line.operands, (Args{"a", "b"}));
  EXPECT_EQ(line.Value("--size"), "B5");  // the last one counts
  EXPECT_TRUE(line.Has("--quiet"));
  ASSERT_EQ(line.options.size(), 4u);
  EXPECT_EQ(line.options[2].values, (Args{"FA40", "FA41"}));
  EXPECT_FALSE(line.Value("--omit-none"));
}

TEST(CommandLine, RefusesUnknownOptionsAndMissingValues) {
  EXPECT_EQ(ParseCommandLine(kTable, Args{"--frobnicate"}).error, "unknown option --frobnicate");
  EXPECT_EQ(ParseCommandLine(kTable, Args{"--size"}).error, "--size needs a value");
  EXPECT_EQ(ParseCommandLine(kTable, Args{"--size", ""}).error, "--size needs a value");
  EXPECT_EQ(ParseCommandLine(kTable, Args{"--omit", "--quiet"}).error, "--omit needs at least one value");
  EXPECT_TRUE(ParseCommandLine(kTable, Args{"-"}).error.empty());  // "-" is an operand
}

TEST(CommandLine, HelpAndVersionAreAnsweredWhateverElseTheLineHolds) {
  const ParsedLine help = ParseCommandLine(kTable, Args{"x", "--size", "A4", "-h", "--frobnicate"});
  EXPECT_TRUE(help.error.empty());
  EXPECT_TRUE(help.Has("--help"));
  EXPECT_TRUE(help.operands.empty());
  EXPECT_TRUE(ParseCommandLine(kTable, Args{"--version", "--size"}).Has("--version"));
}

// The manual page is made from --help: usage lines first, a line of its own per section
// heading, and each option an indented term two blanks before its text.
TEST(CommandLine, HelpHasTheShapeTheManualPageIsMadeFrom) {
  constexpr std::array<std::string_view, 2> kUsages = {"FILE", "--quiet FILE"};
  const ProgramHelp help{"tool", kUsages, "Does a thing. More about it.", kTable, {{"Exit status", "  0  done\n"}}};
  EXPECT_EQ(HelpText(help),
            "Usage: tool FILE\n"
            "   or: tool --quiet FILE\n"
            "Does a thing. More about it.\n"
            "\n"
            "Options:\n"
            "  --size SIZE     the size\n"
            "                  in two lines\n"
            "  --omit CODE...  codes\n"
            "  -q, --quiet     say less\n"
            "  -h, --help      show this help and exit\n"
            "  --version       show the version and exit\n"
            "\n"
            "Exit status:\n"
            "  0  done\n");
}

TEST(PrintOptions, ParsesTheFontTheRangeAndThePaper) {
  const auto parsed = ParsePrintOptions(
      Args{"--font", "e.tte", "--name", "N", "--range", "fa40-FA7E", "--annotate", "--paper", "B5", "--pdf", "o.pdf"});
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  EXPECT_EQ(parsed.options.font_file, "e.tte");
  EXPECT_EQ(parsed.options.displayName, "N");
  ASSERT_TRUE(parsed.options.range);
  EXPECT_EQ(parsed.options.range->start, 0xFA40);
  EXPECT_EQ(parsed.options.range->end, 0xFA7E);
  EXPECT_TRUE(parsed.options.annotate);
  EXPECT_EQ(parsed.options.paper, "B5");
  EXPECT_EQ(ParsePrintOptions(Args{"--association", "A", "--pdf", "o.pdf"}).options.paper, "A4");
}

TEST(PrintOptions, RefusesLinesThatNameNoFontOrTwoOrNoOutput) {
  const std::vector<std::pair<Args, std::string>> bad = {
      {{}, "--association NAME or --font FILE"},
      {{"--font", "f", "--association", "a", "--pdf", "o"}, "--association NAME or --font FILE"},
      {{"--association", "a", "--name", "n", "--pdf", "o"}, "--name goes with --font"},
      {{"--font", "f"}, "--pdf OUT is required"},
      {{"--font", "f", "--pdf", "o", "--range", "FA40"}, "FROM-TO"},
      {{"--font", "f", "--pdf", "o", "--range", "FA4-FA50"}, "four hexadecimal digits"},
      {{"--font", "f", "--pdf", "o", "--range", "A140-FA40"}, "A140 is not a user-defined Big5 code"},
      {{"--font", "f", "--pdf", "o", "--range", "FEFE-FA40"}, "above the end code"},
      {{"--font", "f", "--pdf", "o", "stray"}, "unexpected argument stray"},
  };
  for (const auto& [args, message] : bad) {
    const std::string error = ParsePrintOptions(args).error;
    EXPECT_NE(error.find(message), std::string::npos) << error;
  }
}

TEST(PrintOptions, TheHelpSaysWhichB5IsWhichAndListsEveryPaperName) {
  const std::string help = HelpText(PrintHelp({"Letter", "A4", "ISOB5", "B5"}));
  EXPECT_NE(help.find("B4 and B5 are the JIS sizes"), std::string::npos);
  EXPECT_NE(help.find("ISOB4 and ISOB5 are the\nISO ones"), std::string::npos);
  EXPECT_NE(help.find("\n  Letter, A4, ISOB5, B5\n"), std::string::npos);
  EXPECT_EQ(help.rfind("Usage: pictor-print ", 0), 0u);
}

TEST(RootsOptions, ParsesLayoutHandlesAndCodes) {
  const auto parsed = ParseRootsOptions(Args{"--hkl", "E0030404", "fa40", "C6A1"});
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  EXPECT_EQ(parsed.options.hkls, (std::vector<std::uint32_t>{0xE0030404}));
  EXPECT_EQ(parsed.options.codes, (std::vector<std::uint16_t>{0xFA40, 0xC6A1}));
  EXPECT_EQ(ParseRootsOptions(Args{"A440"}).error, "A440 is not a user-defined Big5 code (such as FA40)");
  EXPECT_NE(ParseRootsOptions(Args{"--hkl", "E003040G"}).error.find("hexadecimal"), std::string::npos);
  EXPECT_EQ(ParseRootsOptions(Args{"--hkl"}).error, "--hkl needs a value");
}

TEST(DialogsOptions, TakesAScreenshotFolderAndNothingElse) {
  EXPECT_EQ(ParseDialogsOptions(Args{"--screenshots", "/tmp/s"}).options.screenshots, "/tmp/s");
  EXPECT_EQ(ParseDialogsOptions(Args{"x"}).error, "unexpected argument x");
  EXPECT_TRUE(ParseDialogsOptions(Args{"--help"}).options.help);
}

TEST(MkfixtureOptions, ParsesTheFolderFamilyFormatAndPrefixInAnyOrder) {
  const auto parsed = ParseMkfixtureOptions(Args{"--format", "regedit4", "/tmp/d", "--family", "9x", "--path-prefix",
                                                 "Z:\\tmp\\d", "--han-font", "T:\\uming.ttc"});
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  EXPECT_EQ(parsed.options.han_font, "T:\\uming.ttc");
  EXPECT_EQ(parsed.options.folder, "/tmp/d");
  EXPECT_EQ(parsed.options.family, PlatformFamily::kWindows9x);
  EXPECT_EQ(parsed.options.format, regfile::RegFileFormat::kRegedit4);
  EXPECT_EQ(parsed.options.path_prefix, "Z:\\tmp\\d");
  EXPECT_EQ(ParseMkfixtureOptions(Args{}).error, "name the FOLDER to write into");
  EXPECT_EQ(ParseMkfixtureOptions(Args{"a", "b"}).error, "one FOLDER to write into only, not also b");
  EXPECT_EQ(ParseMkfixtureOptions(Args{"a", "--family", "me"}).error, "--family takes nt or 9x, not me");
  EXPECT_EQ(ParseMkfixtureOptions(Args{"a", "--format", "v4"}).error, "--format takes v5 or regedit4, not v4");
}

TEST(MkfontOptions, ParsesTheOutputAndTheCodesToLeaveOut) {
  const auto parsed = ParseMkfontOptions(Args{"o.ttf", "--omit", "FA40", "0xfa41", "--big5-face", "--family", "F"});
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  EXPECT_EQ(parsed.options.output, "o.ttf");
  EXPECT_EQ(parsed.options.omitted, (std::vector<std::uint16_t>{0xFA40, 0xFA41}));
  EXPECT_TRUE(parsed.options.big5_face);
  EXPECT_EQ(parsed.options.family_name, "F");
  EXPECT_TRUE(ParseMkfontOptions(Args{"o.ttf", "--omit", "all"}).options.omit_all);
  EXPECT_EQ(ParseMkfontOptions(Args{"o.ttf", "--omit", "A440"}).error, "not a user-defined Big5 code: A440");
  EXPECT_EQ(ParseMkfontOptions(Args{"o.ttf", "--omit"}).error, "--omit needs at least one value");
  EXPECT_EQ(ParseMkfontOptions(Args{}).error, "name the font file OUT.ttf to write");
}

// Every program's help starts with its usage line and lists --help and --version.
TEST(ProgramHelps, StartWithTheUsageLineAndListHelpAndVersion) {
  for (const ProgramHelp& help : {PrintHelp({"A4"}), RootsHelp(), DialogsHelp(), MkfixtureHelp(), MkfontHelp()}) {
    const std::string text = HelpText(help);
    EXPECT_EQ(text.rfind("Usage: " + std::string(help.name) + " ", 0), 0u) << text;
    EXPECT_TRUE(std::regex_search(text, std::regex("\n  -h, --help +show this help and exit\n"))) << text;
    EXPECT_TRUE(std::regex_search(text, std::regex("\n  --version +show the version and exit\n"))) << text;
  }
}

}  // namespace
}  // namespace pictor::cli
