#include "cli/option_table.h"

namespace quillon::cli {

std::string ExitStatusHelp(std::span<const ExitStatus> statuses) {
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

}  // namespace quillon::cli
