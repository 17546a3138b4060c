// quillon-window-run: one run of the real window over a folder, for benchmarks and screenshots.
//
//   quillon-window-run [--reverse] [--table FILE] [--profile DIR] [--screenshot PNG]
//                      [--event-interval MICROSECONDS] FOLDER
//
// Opens the window as the program does (the table beside the program unless --table; logs under
// DIR/RenameLogs when --profile is given), chooses "指定路徑" with FOLDER, clicks Start and waits
// for the run to end. Prints the entries walked and the run's time in seconds; with --screenshot
// saves the window as it looks after the run. --event-interval sets how often the run handles
// pending events at most (0: after every entry; the program's own setting is 1000).

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "core/table_loader.h"
#include "platform/native_machine.h"
#include "qt/tform1.h"

namespace {

// The machine's start-up with the profile folder moved elsewhere, so runs leave the real home alone.
class ProfileStartup : public quillon::StartupPort {
 public:
  ProfileStartup(quillon::StartupPort& inner, std::string profile) : inner_(inner), profile_(std::move(profile)) {}
  int ReadTableFile(const std::string& path, std::vector<std::uint8_t>& contents) override {
    return inner_.ReadTableFile(path, contents);
  }
  std::string ListFixedDrives() override { return inner_.ListFixedDrives(); }
  std::string UserProfile() override { return profile_.empty() ? inner_.UserProfile() : profile_; }
  std::u16string Widen(std::string_view text) override { return inner_.Widen(text); }

 private:
  quillon::StartupPort& inner_;
  std::string profile_;
};

int Usage() {
  std::fprintf(stderr,
               "usage: quillon-window-run [--reverse] [--table FILE] [--profile DIR] [--screenshot PNG] "
               "[--event-interval US] FOLDER\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Options are read before Qt sees them: Qt would take "--reverse" as its own right-to-left switch.
  bool reverse = false;
  std::string table;
  std::string profile;
  QString screenshot;
  QString folder;
  long event_interval_us = -1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--reverse") {
      reverse = true;
    } else if (arg == "--table" && i + 1 < argc) {
      table = argv[++i];
    } else if (arg == "--profile" && i + 1 < argc) {
      profile = argv[++i];
    } else if (arg == "--event-interval" && i + 1 < argc) {
      event_interval_us = std::atol(argv[++i]);
    } else if (arg == "--screenshot" && i + 1 < argc) {
      screenshot = QString::fromLocal8Bit(argv[++i]);
    } else if (arg.rfind("-", 0) == 0 || !folder.isEmpty()) {
      return Usage();
    } else {
      folder = QString::fromLocal8Bit(arg.c_str());
    }
  }
  if (folder.isEmpty()) return Usage();

  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  quillon::NativeMachine machine = quillon::MakeNativeMachine();
  if (table.empty()) table = quillon::ProgramFolder() + quillon::kRenameTableFileName;

  ProfileStartup startup(*machine.startup, profile);
  FormServices services;
  services.startup = &startup;
  services.files = machine.files.get();
  services.logs = machine.logs.get();
  services.clock = machine.clock.get();
  services.style = machine.style;
  services.table_path = table;

  TForm1 form(services);
  if (event_interval_us >= 0) form.setEventInterval(std::chrono::microseconds(event_interval_us));
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) std::fprintf(stderr, "quillon-window-run: the window was not shown\n");
  form.rgDir->setItemIndex(reverse ? 1 : 0);
  form.edtPath->setText(folder);
  form.rgpFolder->setItemIndex(1);
  QCoreApplication::processEvents();

  const auto start = std::chrono::steady_clock::now();
  form.btnStart->click();  // the whole run happens inside the click
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  const quillon::ScanCounts& counts = form.lastCounts();
  std::printf("entries %llu renamed %llu failed %llu seconds %.6f log %s\n",
              static_cast<unsigned long long>(counts.entries), static_cast<unsigned long long>(counts.renamed),
              static_cast<unsigned long long>(counts.failed), seconds, form.lastLogPath().c_str());

  if (!screenshot.isEmpty()) {
    QTest::qWait(200);  // let the last rows and the label paint
    if (!form.grab().save(screenshot)) {
      std::fprintf(stderr, "quillon-window-run: cannot save %s\n", qPrintable(screenshot));
      return 1;
    }
  }
  return 0;
}
