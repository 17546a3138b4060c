// quillon-run: the renamer's walk without a window, for scripts, demos and benchmarks; its preview;
// and the undoing of a run from its log.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/run_options.h"
#include "core/path_style.h"
#include "core/rename_session.h"
#include "core/renamer_error.h"
#include "core/table_loader.h"
#include "core/utf8_text.h"
#include "platform/native_machine.h"
#include "toolkit_version.h"

namespace {

using namespace quillon::cli;

volatile std::sig_atomic_t g_stop = 0;

void OnInterrupt(int) { g_stop = 1; }

class ConsoleHost : public quillon::RunHost {
 public:
  ConsoleHost(quillon::Direction direction, bool quiet) : direction_(direction), quiet_(quiet) {}

  void ShowFolder(std::u16string_view) override {}
  void AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view folder) override {
    if (quiet_) return;
    std::printf("%s\t%s\t%s\n", quillon::ToUtf8(display_name).c_str(), quillon::ToUtf8(result).c_str(),
                quillon::ToUtf8(folder).c_str());
  }
  quillon::Direction CurrentDirection() override { return direction_; }
  void HandlePendingEvents() override {}
  bool StopRequested() override { return g_stop != 0; }

 private:
  quillon::Direction direction_;
  bool quiet_;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Told(const std::string& text) { return quillon::WithClosingPeriod(text); }

// Turns the journals of runs that did not finish into logs, and says so in one line.
void RecoverLeftJournals(quillon::RenameSession& session) {
  const quillon::RecoveryReport report = session.RecoverLeftJournals();
  for (const quillon::RecoveredJournal& failure : report.failures) {
    std::fprintf(stderr, "quillon-run: the journal %s of a run that did not finish cannot be recovered: %s\n",
                 failure.journal_path.c_str(), Told(failure.error).c_str());
  }
  std::string logs;
  for (const std::string& log : report.logs) logs += (logs.empty() ? "" : ", ") + log;
  if (!logs.empty())
    std::fprintf(stderr, "quillon-run: a run that did not finish was recovered into %s\n", logs.c_str());
}

// What a run's journal and log came to, said where it matters; false when the log could not be
// written.
bool TellLog(const quillon::RunLogOutcome& outcome, const std::string& log_dir) {
  if (!outcome.error.empty()) {
    std::fprintf(stderr, "quillon-run: %s\n", Told(outcome.error).c_str());
    return false;
  }
  if (!outcome.journal_started) {
    std::fprintf(stderr, "quillon-run: no journal could be started in %s; the renames were recorded only in the log\n",
                 log_dir.c_str());
  } else if (!outcome.journal_intact) {
    std::fprintf(stderr, "quillon-run: the journal could not be written in full (the log is complete)\n");
  }
  return true;
}

const char* SkipReason(quillon::UndoSkipReason reason) {
  switch (reason) {
    case quillon::UndoSkipReason::kGone:
      return "it is no longer there";
    case quillon::UndoSkipReason::kNameTaken:
      return "its old name is taken";
    case quillon::UndoSkipReason::kFailed:
      break;
  }
  return "the system refused the rename";
}

int Undo(quillon::RenameSession& session, const RunOptions& o, ConsoleHost& host) {
  const quillon::LoadedRunLog loaded = session.ReadRunLogFile(o.undo_log);
  if (!loaded.error.empty()) {
    std::fprintf(stderr, "quillon-run: %s: %s\n", o.undo_log.c_str(), Told(loaded.error).c_str());
    return kExitFailed;
  }
  const auto start = std::chrono::steady_clock::now();
  const quillon::UndoOutcome undo = session.Undo(loaded.renames, host);
  if (!TellLog(undo, session.LogDir())) return kExitFailed;
  std::fflush(stdout);
  const char16_t separator = quillon::Separator(session.Style());
  for (const quillon::UndoSkip& skip : undo.skipped) {
    std::fprintf(stderr, "quillon-run: not undone (log line %zu): %s: %s\n", skip.rename.line,
                 quillon::ToUtf8(skip.folder + separator + skip.rename.new_name).c_str(), SkipReason(skip.reason));
  }
  const std::uint64_t left = undo.logged - undo.undone - undo.skipped.size();
  std::fprintf(stderr, "%llu renames in the log, %llu undone, %llu skipped%s in %.3f s; log: %s\n",
               static_cast<unsigned long long>(undo.logged), static_cast<unsigned long long>(undo.undone),
               static_cast<unsigned long long>(undo.skipped.size()),
               left ? (" (stopped, " + std::to_string(left) + " not tried)").c_str() : "", SecondsSince(start),
               undo.log_path.c_str());
  return undo.skipped.empty() && left == 0 ? kExitDone : kExitNotAll;
}

int Run(quillon::RenameSession& session, const RunOptions& o, ConsoleHost& host) {
  if (const std::string error = session.LoadTable(o.table_path); !error.empty()) {
    std::fprintf(stderr, "quillon-run: %s: %s\n", o.table_path.c_str(), Told(error).c_str());
    return kExitFailed;
  }
  std::vector<std::u16string> roots;
  if (o.all_disks) {
    session.ListFixedDrives();
    roots = session.AllDiskRoots();
  } else {
    // A folder that is not there is a mistake, not an empty run: say so before renaming anything.
    bool missing = false;
    for (const std::string& folder : o.folders) {
      roots.push_back(session.Widen(folder));
      if (!session.CanSearch(roots.back())) {
        std::fprintf(stderr, "quillon-run: %s: no such folder, or it cannot be read\n", folder.c_str());
        missing = true;
      }
    }
    if (missing) return kExitNoFolder;
  }

  const auto start = std::chrono::steady_clock::now();
  const quillon::RunOutcome run =
      session.Run(roots, host, o.dry_run ? quillon::RunMode::kPreview : quillon::RunMode::kRename);
  if (!o.dry_run && !TellLog(run, session.LogDir())) return kExitFailed;
  const std::string log_part = o.dry_run ? "dry run: nothing was renamed, no log" : "log: " + run.log_path;
  std::fflush(stdout);
  std::fprintf(stderr, "%llu entries in %llu folders, %llu renamed, %llu not renamed%s in %.3f s; %s\n",
               static_cast<unsigned long long>(run.counts.entries), static_cast<unsigned long long>(run.counts.folders),
               static_cast<unsigned long long>(run.counts.renamed), static_cast<unsigned long long>(run.counts.failed),
               g_stop ? " (stopped)" : "", SecondsSince(start), log_part.c_str());
  return run.counts.failed == 0 ? kExitDone : kExitNotAll;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  ParsedRunOptions parsed = ParseRunOptions(arguments);
  RunOptions& o = parsed.options;
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "quillon-run: %s\nTry 'quillon-run --help'.\n", parsed.error.c_str());
    return kExitUsage;
  }
  if (o.help) {
    std::fputs(RunHelp().c_str(), stdout);
    return kExitDone;
  }
  if (o.version) {
    std::printf("quillon-run %s\n", TOOLKIT_VERSION);
    return kExitDone;
  }

  quillon::NativeMachine machine = quillon::MakeNativeMachine();
  quillon::RenameSession session(*machine.startup, *machine.files, *machine.logs, *machine.clock, machine.style);
  if (o.table_path.empty()) o.table_path = quillon::ProgramFolder() + quillon::kRenameTableFileName;
  session.SetLogFolder(o.log_dir.empty() ? session.ProfileLogFolder() : o.log_dir);
  RecoverLeftJournals(session);

  std::signal(SIGINT, OnInterrupt);
  ConsoleHost host(o.direction, o.quiet);
  return o.undo_log.empty() ? Run(session, o, host) : Undo(session, o, host);
}
