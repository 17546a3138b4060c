#include "cli/window_run_options.h"

#include <array>
#include <charconv>

#include "core/form_texts.h"
#include "core/utf8_text.h"

namespace quillon::cli {

using toolkit::cli::ExitStatusHelp;
using toolkit::cli::OptionHelp;
using toolkit::cli::ReadArguments;
namespace {

constexpr std::array<Option<WindowRunOptions>, 7> kOptions = {{
    {"--reverse", "", "", "rename standard characters back to user-defined ones",
     [](WindowRunOptions& o, const std::string&) -> std::string {
       o.direction = Direction::kStandardToPrivate;
       return {};
     }},
    {"--table", "", "FILE", "the rename table (default: uc-o2n.tbl beside the program)",
     [](WindowRunOptions& o, const std::string& value) -> std::string {
       o.table_path = value;
       return {};
     }},
    {"--profile", "", "DIR", "the profile folder: logs go to DIR/RenameLogs (default: the home folder)",
     [](WindowRunOptions& o, const std::string& value) -> std::string {
       o.profile = value;
       return {};
     }},
    {"--screenshot", "", "PNG", "save the window as it looks after the run",
     [](WindowRunOptions& o, const std::string& value) -> std::string {
       o.screenshot = value;
       return {};
     }},
    {"--event-interval", "", "US",
     "handle pending events at most every US microseconds (0: after every entry;\ndefault: the window's own pacing)",
     [](WindowRunOptions& o, const std::string& value) -> std::string {
       std::uint64_t us = 0;
       const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), us);
       if (value.empty() || error != std::errc() || end != value.data() + value.size()) {
         return "--event-interval wants a number of microseconds, not '" + value + "'";
       }
       o.event_interval_us = us;
       return {};
     }},
    toolkit::cli::HelpOption<WindowRunOptions>("print this help and exit"),
    toolkit::cli::VersionOption<WindowRunOptions>("print the version and exit"),
}};

constexpr std::size_t kHelpColumn = 23;

}  // namespace

ParsedWindowRunOptions ParseWindowRunOptions(std::span<const std::string> arguments) {
  ParsedWindowRunOptions parsed = ReadArguments<WindowRunOptions>(
      arguments, kOptions, [](WindowRunOptions& o, const std::string& folder) -> std::string {
        if (o.folder) return "give one FOLDER";
        o.folder = folder;
        return {};
      });
  const WindowRunOptions& o = parsed.options;
  if (parsed.error.empty() && !o.help && !o.version && !o.folder) parsed.error = "give one FOLDER";
  return parsed;
}

std::string WindowRunHelp() {
  return "Usage: quillon-window-run [OPTION]... FOLDER\n"
         "\n"
         "Runs the quillon window once over FOLDER, for benchmarks and screenshots. Opens the window as\n"
         "the program does, chooses \"" +
         ToUtf8(TextOf(TextId::kScopeOneFolder)) +
         "\" with FOLDER, clicks Start and waits for the run to end;\n"
         "prints the entries walked and the run's time in seconds.\n"
         "\n" +
         OptionHelp<WindowRunOptions>(kOptions, kHelpColumn);
}

}  // namespace quillon::cli
