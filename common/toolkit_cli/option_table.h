#pragma once
// One table of a program's options that both reads its command line and writes the option lines of
// its --help (and so of its manual page): each option's name, the name of its value, its help and
// what it does to the options. Header-only, so that every program (and each Windows thread-model
// copy of one) compiles it with its own settings.

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit::cli {

template <typename Options>
struct Option {
  std::string_view name;        // "--table"
  std::string_view alias;       // another spelling not shown in the help ("-h"), or empty
  std::string_view value_name;  // "FILE"; empty for an option without a value
  std::string_view help;        // its lines separated by "\n"
  // Sets what the option says; returns why the value will not do, or nothing.
  std::string (*apply)(Options& options, const std::string& value);
  bool last = false;  // the rest of the command line is not read (--help, --version)
};

// An option without a value that sets one flag of the options.
template <typename Options, bool Options::*kFlag>
constexpr Option<Options> FlagOption(std::string_view name, std::string_view help, bool last = false) {
  return {name,
          "",
          "",
          help,
          [](Options& options, const std::string&) -> std::string {
            options.*kFlag = true;
            return {};
          },
          last};
}

// The two options every program answers (into its `help` and `version` flags); each ends the
// reading, whatever else the line holds.
template <typename Options>
constexpr Option<Options> HelpOption(std::string_view help) {
  Option<Options> option = FlagOption<Options, &Options::help>("--help", help, true);
  option.alias = "-h";
  return option;
}
template <typename Options>
constexpr Option<Options> VersionOption(std::string_view help) {
  return FlagOption<Options, &Options::version>("--version", help, true);
}

template <typename Options>
struct Parsed {
  Options options;
  std::string error;  // empty when the command line is sound
};

// Reads the arguments in order: an option of the table (with the next argument as its value when it
// takes one), "--" after which every argument is an operand, or an operand ("-" alone is one). The
// first error ends the reading.
template <typename Options>
Parsed<Options> ReadArguments(std::span<const std::string> arguments, std::span<const Option<Options>> table,
                              std::string (*operand)(Options& options, const std::string& value)) {
  Parsed<Options> parsed;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--") {
      for (++i; i < arguments.size() && parsed.error.empty(); ++i) parsed.error = operand(parsed.options, arguments[i]);
      break;
    }
    if (argument.size() < 2 || argument[0] != '-') {
      parsed.error = operand(parsed.options, argument);
      if (!parsed.error.empty()) break;
      continue;
    }
    const Option<Options>* option = nullptr;
    for (const Option<Options>& candidate : table) {
      if (argument == candidate.name || (!candidate.alias.empty() && argument == candidate.alias)) option = &candidate;
    }
    if (!option) {
      parsed.error = "unknown option " + argument;
      return parsed;
    }
    std::string value;
    if (!option->value_name.empty()) {
      if (i + 1 == arguments.size()) {
        parsed.error = argument + " needs a value";
        return parsed;
      }
      value = arguments[++i];
    }
    parsed.error = option->apply(parsed.options, value);
    if (!parsed.error.empty() || option->last) break;
  }
  return parsed;
}

// The option lines of --help: two blanks, the name and its value padded to `column`, the help's
// first line; its further lines start at `column`.
template <typename Options>
std::string OptionHelp(std::span<const Option<Options>> table, std::size_t column) {
  std::string text;
  for (const Option<Options>& option : table) {
    std::string term = "  ";
    term += option.name;
    if (!option.value_name.empty()) {
      term += ' ';
      term += option.value_name;
    }
    term.resize(std::max(term.size() + 2, column), ' ');
    text += term;
    std::string_view help = option.help;
    for (std::size_t end; (end = help.find('\n')) != std::string_view::npos; help.remove_prefix(end + 1)) {
      text += std::string(help.substr(0, end)) + "\n" + std::string(column, ' ');
    }
    text += std::string(help) + "\n";
  }
  return text;
}

// A program's exit status and what it means, for the code and for the help alike.
struct ExitStatus {
  int code;
  std::string_view help;  // its lines separated by "\n"
};

// The "Exit status:" part of --help.
inline std::string ExitStatusHelp(std::span<const ExitStatus> statuses) {
  std::string text = "Exit status:\n";
  for (const ExitStatus& status : statuses) {
    const std::string term = "  " + std::to_string(status.code) + "  ";
    text += term;
    std::string_view help = status.help;
    for (std::size_t end; (end = help.find('\n')) != std::string_view::npos; help.remove_prefix(end + 1)) {
      text += std::string(help.substr(0, end)) + "\n" + std::string(term.size(), ' ');
    }
    text += std::string(help) + "\n";
  }
  return text;
}

}  // namespace toolkit::cli
