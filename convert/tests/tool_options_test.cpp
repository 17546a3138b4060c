// The command lines of tessel-convert, tessel-string and tessel-mktables: each line either gives
// its options or exactly one error, and --help names every option of the table it was read with.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert_options.h"
#include "mktables/mktables_options.h"
#include "string_options.h"
#include "tessel.h"

namespace {

using Line = std::vector<std::string>;

struct RefusedLine {
  Line arguments;
  std::string error;
};

TEST(ConvertOptions, ReadsAGoodLine) {
  const auto parsed = tessel::tools::ParseConvertOptions(
      Line{"--list", "-f", "euc-tw", "-t", "utf8", "--tables", "t", "in", "--", "-out"});
  ASSERT_EQ(parsed.error, "");
  const auto& o = parsed.options;
  EXPECT_EQ(o.from.selector, CVT_EUC);
  EXPECT_EQ(o.from.form, tessel::tools::HostForm::kEucTw);
  EXPECT_EQ(o.to.selector, CVT_UCS);
  EXPECT_EQ(o.to.form, tessel::tools::HostForm::kUtf8);
  EXPECT_EQ(o.tables, "t");
  EXPECT_TRUE(o.list);
  EXPECT_EQ(o.files, (Line{"in", "-out"}));
}

TEST(ConvertOptions, RefusesBadLinesWithOneError) {
  const std::vector<RefusedLine> cases = {
      {{"-f", "klingon", "-t", "big5", "a", "b"},
       "unknown encoding 'klingon' (use cns, euc, euc-tw, big5, ucs, gbk, utf8)"},
      {{"-f", "big5", "-t", "cns", "a"}, "an INPUT and an OUTPUT file are needed"},
      {{"-f", "big5", "-t", "cns", "a", "b", "c"}, "an INPUT and an OUTPUT file are needed"},
      {{"-f", "big5", "a", "b"}, "both -f FROM and -t TO are needed"},
      {{"-f", "utf8", "-t", "utf-8", "a", "b"}, "nothing to convert: FROM and TO are the same encoding"},
      {{"-f", "big5", "-t"}, "-t needs a value"},
      {{"--bogus", "-f", "big5"}, "unknown option --bogus"},
  };
  for (const auto& c : cases) EXPECT_EQ(tessel::tools::ParseConvertOptions(c.arguments).error, c.error);
  // The library copies a text to its own encoding: that is a conversion, not a mistake.
  EXPECT_EQ(tessel::tools::ParseConvertOptions(Line{"-f", "cns", "-t", "cns", "a", "b"}).error, "");
}

TEST(ConvertOptions, HelpAndVersionWinOverTheRestOfTheLine) {
  EXPECT_TRUE(tessel::tools::ParseConvertOptions(Line{"-h", "--bogus"}).options.help);
  const auto version = tessel::tools::ParseConvertOptions(Line{"-f", "big5", "--version"});
  EXPECT_EQ(version.error, "");
  EXPECT_TRUE(version.options.version);
  const std::string help = tessel::tools::ConvertHelp();
  for (const char* option : {"\n  -f FROM ", "\n  -t TO ", "\n  --tables DIR ", "\n  --list ", "\n  --help ",
                             "\n  --version ", "\n  euc-tw ", "\n  2  the command line is wrong\n"})
    EXPECT_NE(help.find(option), std::string::npos) << option;
}

TEST(StringOptions, ReadsTextsAndRefusesBadLines) {
  const auto parsed =
      tessel::tools::ParseStringOptions(Line{"-f", "big5", "-t", "cns", "--input-hex", "41 a4A4", "--hex"});
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.text, std::string("\x41\xA4\xA4"));
  EXPECT_TRUE(parsed.options.hex_output);
  EXPECT_EQ(tessel::tools::ParseStringOptions(Line{"-f", "big5", "-t", "cns"}).options.text, std::nullopt);

  const std::vector<RefusedLine> cases = {
      {{"-f", "big5", "-t", "cns", "--input-hex", "4"}, "--input-hex needs pairs of hexadecimal digits"},
      {{"-f", "big5", "-t", "cns", "--input-hex", "4G"}, "--input-hex needs pairs of hexadecimal digits"},
      {{"-f", "big5", "-t", "cns", "one", "two"}, "give one text only"},
      {{"-f", "big5", "-t", "cns", "--input-hex", "41", "A"}, "give one text only"},
      {{"-f", "euc-tw", "-t", "cns"}, "unknown encoding 'euc-tw'"},
      {{"-t", "cns", "A"}, "both -f and -t are needed"},
  };
  for (const auto& c : cases) EXPECT_EQ(tessel::tools::ParseStringOptions(c.arguments).error, c.error);
  EXPECT_EQ(tessel::tools::BytesFromHex(""), std::string());
}

TEST(MktablesOptions, NeedsExactlyOneFolder) {
  const auto parsed = tessel::mktables::ParseMktablesOptions(Line{"out", "--report"});
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.out_dir, "out");
  EXPECT_TRUE(parsed.options.report);
  EXPECT_EQ(tessel::mktables::ParseMktablesOptions(Line{}).error, "an OUTDIR is needed");
  EXPECT_EQ(tessel::mktables::ParseMktablesOptions(Line{"a", "b"}).error, "give one OUTDIR only");
  EXPECT_EQ(tessel::mktables::ParseMktablesOptions(Line{""}).error, "OUTDIR must not be empty");
  // --help answers on standard output and succeeds, whatever else the line holds.
  EXPECT_TRUE(tessel::mktables::ParseMktablesOptions(Line{"--help"}).options.help);
  EXPECT_NE(tessel::mktables::MktablesHelp().find("\n  --report "), std::string::npos);
}

}  // namespace
