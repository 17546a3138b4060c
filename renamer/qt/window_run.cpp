// quillon-window-run: one run of the real window over a folder, for benchmarks and screenshots
// (see --help). Its profile folder can be moved elsewhere, so that runs leave the real home alone.

#include <QApplication>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <vector>

#include "cli/window_run_options.h"
#include "core/form_layout.h"
#include "core/table_loader.h"
#include "platform/native_machine.h"
#include "qt/qt_translations.h"
#include "qt/tform1.h"
#include "toolkit_version.h"

namespace {

// The machine's start-up with the profile folder moved elsewhere.
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

}  // namespace

int main(int argc, char** argv) {
  // Options are read before Qt sees them: Qt would take "--reverse" as its own right-to-left switch.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const quillon::cli::ParsedWindowRunOptions parsed = quillon::cli::ParseWindowRunOptions(arguments);
  const quillon::cli::WindowRunOptions& o = parsed.options;
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "quillon-window-run: %s\nTry 'quillon-window-run --help'.\n", parsed.error.c_str());
    return 2;
  }
  if (o.help) {
    std::fputs(quillon::cli::WindowRunHelp().c_str(), stdout);
    return 0;
  }
  if (o.version) {
    std::printf("quillon-window-run %s\n", TOOLKIT_VERSION);
    return 0;
  }

  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  LoadQtTranslations(app);
  quillon::NativeMachine machine = quillon::MakeNativeMachine();
  ProfileStartup startup(*machine.startup, o.profile);
  FormServices services;
  services.startup = &startup;
  services.files = machine.files.get();
  services.logs = machine.logs.get();
  services.clock = machine.clock.get();
  services.style = machine.style;
  services.table_path = o.table_path.empty() ? quillon::ProgramFolder() + quillon::kRenameTableFileName : o.table_path;

  TForm1 form(services);
  if (o.event_interval_us) form.SetEventInterval(std::chrono::microseconds(*o.event_interval_us));
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) std::fprintf(stderr, "quillon-window-run: the window was not shown\n");
  const bool reverse = o.direction == quillon::Direction::kStandardToPrivate;
  form.rgDir->SetItemIndex(reverse ? quillon::kDirectionReverseItem : quillon::kDirectionForwardItem);
  form.edtPath->setText(QString::fromLocal8Bit(o.folder->c_str()));
  form.rgpFolder->SetItemIndex(quillon::kScopeOneFolderItem);
  QCoreApplication::processEvents();

  const auto start = std::chrono::steady_clock::now();
  form.btnStart->click();  // the whole run happens inside the click
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  const quillon::ScanCounts& counts = form.LastCounts();
  std::printf("entries %llu renamed %llu failed %llu seconds %.6f log %s\n",
              static_cast<unsigned long long>(counts.entries), static_cast<unsigned long long>(counts.renamed),
              static_cast<unsigned long long>(counts.failed), seconds, form.LastLogPath().c_str());

  if (!o.screenshot.empty()) {
    QTest::qWait(200);  // let the last rows and the label paint
    if (!form.grab().save(QString::fromLocal8Bit(o.screenshot.c_str()))) {
      std::fprintf(stderr, "quillon-window-run: cannot save %s\n", o.screenshot.c_str());
      return 1;
    }
  }
  return 0;
}
