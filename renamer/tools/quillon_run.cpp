// quillon-run: the renamer's walk without a window, for scripts, demos and benchmarks.
//
//   quillon-run [--reverse] [--table FILE] [--log-dir DIR] [--quiet] FOLDER...
//   quillon-run [--reverse] [--table FILE] [--log-dir DIR] [--quiet] --all-disks
//
// Each rename is printed as one line "display name <TAB> result <TAB> folder" (UTF-8); a summary
// and the log file's path go to standard error. Ctrl+C stops the walk the way the Stop button
// does: the folders being returned from are still renamed and the log is written.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/path_style.h"
#include "core/renamer_error.h"
#include "core/run_log.h"
#include "core/scan_engine.h"
#include "core/table_loader.h"
#include "core/utf8_text.h"
#include "platform/native_machine.h"

namespace {

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

int Usage() {
  std::fprintf(stderr,
               "usage: quillon-run [--reverse] [--table FILE] [--log-dir DIR] [--quiet] (FOLDER... | --all-disks)\n"
               "  renames files and folders whose names hold user-defined characters, following the\n"
               "  rename table (default: uc-o2n.tbl beside the program); --reverse renames back.\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  quillon::NativeMachine machine = quillon::MakeNativeMachine();
  quillon::Direction direction = quillon::Direction::kPrivateToStandard;
  std::string table_path = quillon::ProgramFolder() + quillon::kRenameTableFileName;
  std::string log_dir;
  bool quiet = false;
  bool all_disks = false;
  std::vector<std::u16string> roots;

  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--reverse") {
      direction = quillon::Direction::kStandardToPrivate;
    } else if (arg == "--quiet") {
      quiet = true;
    } else if (arg == "--all-disks") {
      all_disks = true;
    } else if ((arg == "--table" || arg == "--log-dir") && i + 1 < argc) {
      (arg == "--table" ? table_path : log_dir) = argv[++i];
    } else if (arg == "--help" || arg == "-h" || (arg.size() > 1 && arg[0] == '-' && arg != "--")) {
      return Usage();
    } else {
      roots.push_back(machine.startup->Widen(arg));
    }
  }
  if (all_disks == !roots.empty()) return Usage();

  quillon::RenameTable table;
  try {
    quillon::LoadRenameTableFile(*machine.startup, table_path, table);
  } catch (const quillon::RenamerError& e) {
    std::fprintf(stderr, "quillon-run: %s: %s\n", table_path.c_str(), quillon::WithClosingPeriod(e.what()).c_str());
    return 1;
  }
  if (all_disks) {
    for (const std::string& root : quillon::RootsFromDriveList(machine.startup->ListFixedDrives(), machine.style)) {
      roots.push_back(machine.startup->Widen(root));
    }
  }
  if (log_dir.empty()) log_dir = quillon::LogDirFromProfile(machine.startup->UserProfile(), machine.style);

  std::signal(SIGINT, OnInterrupt);
  ConsoleHost host(direction, quiet);
  quillon::ScanEngine engine(table, *machine.files, *machine.logs, host, machine.style, log_dir);
  const auto start = std::chrono::steady_clock::now();
  engine.ScanRoots(roots);

  std::string log_path;
  try {
    log_path = quillon::WriteRunLog(*machine.logs, log_dir, machine.style, machine.clock->Now(), engine.log().lines());
  } catch (const quillon::RenamerError& e) {
    std::fprintf(stderr, "quillon-run: %s\n", quillon::WithClosingPeriod(e.what()).c_str());
    return 1;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::fflush(stdout);
  const quillon::ScanCounts& counts = engine.counts();
  std::fprintf(stderr, "%llu entries in %llu folders, %llu renamed, %llu not renamed%s in %.3f s; log: %s\n",
               static_cast<unsigned long long>(counts.entries), static_cast<unsigned long long>(counts.folders),
               static_cast<unsigned long long>(counts.renamed), static_cast<unsigned long long>(counts.failed),
               g_stop ? " (stopped)" : "", seconds, log_path.c_str());
  return counts.failed == 0 ? 0 : 3;
}
