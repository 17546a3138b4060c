#include "cli/command_line.h"

#include <algorithm>
#include <cstdio>

namespace pictor::cli {
namespace {

constexpr std::string_view kIndent = "  ";

std::string TermOf(const Option& option) {
  std::string term(option.alias.empty() ? "" : std::string(option.alias) + ", ");
  term += option.name;
  if (!option.value_name.empty()) {
    term += ' ';
    term += option.value_name;
    if (option.kind == OptionKind::kValues) term += "...";
  }
  return term;
}

const Option* Find(std::span<const Option> table, std::string_view argument) {
  for (const Option& option : table) {
    if (argument == option.name || (!option.alias.empty() && argument == option.alias)) return &option;
  }
  return nullptr;
}

}  // namespace

std::string HelpText(const ProgramHelp& help) {
  std::string text;
  for (std::size_t i = 0; i < help.usages.size(); ++i) {
    text += i == 0 ? "Usage: " : "   or: ";
    text += help.name;
    if (!help.usages[i].empty()) text += ' ';
    text += help.usages[i];
    text += '\n';
  }
  text += help.description;
  text += "\n\nOptions:\n";
  // The texts line up two blanks after the longest term; further lines of a text below it.
  std::size_t width = 0;
  for (const Option& option : help.options) width = std::max(width, TermOf(option).size());
  for (const Option& option : help.options) {
    const std::string term = TermOf(option);
    std::string_view lines = option.help;
    text += kIndent;
    text += term;
    text += std::string(width - term.size() + 2, ' ');
    for (bool first = true; !lines.empty() || first; first = false) {
      const std::size_t newline = lines.find('\n');
      if (!first) text += std::string(kIndent.size() + width + 2, ' ');
      text += lines.substr(0, newline);
      text += '\n';
      lines = newline == std::string_view::npos ? std::string_view() : lines.substr(newline + 1);
    }
  }
  for (const HelpSection& section : help.sections) {
    text += '\n';
    text += section.title;
    text += ":\n";
    text += section.body;
    if (!section.body.empty() && section.body.back() != '\n') text += '\n';
  }
  return text;
}

bool ParsedLine::Has(std::string_view name) const {
  return std::any_of(options.begin(), options.end(), [&](const Found& found) { return found.option->name == name; });
}

std::optional<std::string> ParsedLine::Value(std::string_view name) const {
  for (auto found = options.rbegin(); found != options.rend(); ++found) {
    if (found->option->name == name && !found->values.empty()) return found->values.front();
  }
  return std::nullopt;
}

ParsedLine ParseCommandLine(std::span<const Option> table, std::span<const std::string> arguments) {
  ParsedLine parsed;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const Option* option = Find(table, argument);
    if (option == nullptr) {
      if (argument.size() > 1 && argument.front() == '-') {
        parsed.error = "unknown option " + argument;
        return parsed;
      }
      parsed.operands.push_back(argument);
      continue;
    }
    ParsedLine::Found found{option, {}};
    if (option->kind == OptionKind::kValue) {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        parsed.error = std::string(option->name) + " needs a value";
        return parsed;
      }
      found.values.push_back(arguments[++i]);
    } else if (option->kind == OptionKind::kValues) {
      while (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--")) found.values.push_back(arguments[++i]);
      if (found.values.empty()) {
        parsed.error = std::string(option->name) + " needs at least one value";
        return parsed;
      }
    }
    parsed.options.push_back(std::move(found));
    if (option->name == kHelpOption.name || option->name == kVersionOption.name) {
      // Answered whatever else the line holds.
      parsed.options = {parsed.options.back()};
      parsed.operands.clear();
      return parsed;
    }
  }
  return parsed;
}

std::string TakeOneOperand(const ParsedLine& line, std::string& operand, std::string_view what) {
  if (line.operands.empty()) return "name the " + std::string(what);
  if (line.operands.size() > 1) return "one " + std::string(what) + " only, not also " + line.operands[1];
  operand = line.operands.front();
  return {};
}

std::optional<int> AnswerStandardOptions(const ProgramHelp& help, std::string_view version, bool help_asked,
                                         bool version_asked, const std::string& error) {
  const std::string name(help.name);
  if (help_asked) {
    std::fputs(HelpText(help).c_str(), stdout);
    return 0;
  }
  if (version_asked) {
    std::printf("%s %.*s\n", name.c_str(), static_cast<int>(version.size()), version.data());
    return 0;
  }
  if (!error.empty()) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", name.c_str(), error.c_str(), name.c_str());
    return kUsageStatus;
  }
  return std::nullopt;
}

}  // namespace pictor::cli
