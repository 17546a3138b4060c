// The command lines of pictor's hosts: each program describes its options once, in a table that
// both parses the arguments and writes --help (from which the manual page is made).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pictor::cli {

enum class OptionKind {
  kFlag,    // no value
  kValue,   // the next argument
  kValues,  // the arguments that follow, up to the next one that starts with "--"
};

struct Option {
  std::string_view name;        // "--paper"
  std::string_view alias;       // "-h", or empty
  std::string_view value_name;  // "SIZE"; empty for a flag
  std::string_view help;        // "\n" starts another line
  OptionKind kind = OptionKind::kFlag;
};

inline constexpr Option kHelpOption{"--help", "-h", "", "show this help and exit"};
inline constexpr Option kVersionOption{"--version", "", "", "show the version and exit"};

// A titled part of the help after the options, such as "Exit status".
struct HelpSection {
  std::string_view title;
  std::string body;  // lines; an indented "term  text" line is an item of a list
};

struct ProgramHelp {
  std::string_view name;
  std::span<const std::string_view> usages;  // each after "Usage: NAME " (the first) or "   or: NAME "
  std::string_view description;              // a first sentence, then more; paragraphs apart by "\n\n"
  std::span<const Option> options;
  std::vector<HelpSection> sections;
};

// "Usage:" lines, the description, "Options:" with every option of the table, then the sections.
std::string HelpText(const ProgramHelp& help);

struct ParsedLine {
  struct Found {
    const Option* option;
    std::vector<std::string> values;  // one for kValue; one or more for kValues
  };
  std::vector<Found> options;  // in the order given
  std::vector<std::string> operands;
  std::string error;  // the first fault; empty when the line fits the table

  bool Has(std::string_view name) const;
  // The value of the last occurrence, or nullopt.
  std::optional<std::string> Value(std::string_view name) const;
};

// Splits the arguments by the table: options by name or alias (a value must not be empty), the
// other arguments as operands. --help or --version ends the parse: they are answered whatever else
// the line holds.
ParsedLine ParseCommandLine(std::span<const Option> table, std::span<const std::string> arguments);

// What a program's parse gives: its options, or the first fault of its command line.
template <typename Options>
struct ParsedOptions {
  Options options;
  std::string error;  // empty when the command line is sound
};

// A program's parse: its line split by its table, --help and --version taken into the options'
// `help` and `version`, and, when neither is asked and the split found no fault, the program's
// own options read by `read(line, options)`, which answers the first fault or an empty text.
template <typename Parsed, typename Read>
Parsed ParseProgramLine(std::span<const Option> table, std::span<const std::string> arguments, Read read) {
  Parsed parsed;
  const ParsedLine line = ParseCommandLine(table, arguments);
  parsed.options.help = line.Has(kHelpOption.name);
  parsed.options.version = line.Has(kVersionOption.name);
  parsed.error = line.error;
  if (parsed.error.empty() && !parsed.options.help && !parsed.options.version)
    parsed.error = read(line, parsed.options);
  return parsed;
}

// The one operand a program takes, into `operand`; the fault when there is none or more.
std::string TakeOneOperand(const ParsedLine& line, std::string& operand, std::string_view what);

// The standard answers of a host before its work: the help on standard output, "NAME VERSION",
// or the fault on standard error with a pointer to --help. Nullopt when the program goes on; else
// its exit status (0, or 2 for a bad command line).
std::optional<int> AnswerStandardOptions(const ProgramHelp& help, std::string_view version, bool help_asked,
                                         bool version_asked, const std::string& error);

inline constexpr int kUsageStatus = 2;

}  // namespace pictor::cli
