// pictor-print: the catalogue of an EUDC font file's user-defined characters, printed to PDF
// without a window, through the same page drawing and Qt canvas as the program's printing.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QPrinter>
#include <QRawFont>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/paper_sizes.h"
#include "cli/print_options.h"
#include "core/cp950_text.h"
#include "core/eudc_association.h"
#include "core/font_setting_model.h"
#include "core/input_methods.h"
#include "core/print_job.h"
#include "core/print_range.h"
#include "qt/host_platform.h"
#include "qt/qt_print_target.h"
#include "qt/text_face.h"
#include "toolkit_version.h"

namespace {

namespace fs = std::filesystem;
using pictor::cli::PrintOptions;

constexpr int kUsageError = pictor::cli::kUsageStatus;
constexpr int kFailure = 1;

int Fail(const std::string& message, int status = kFailure) {
  std::fprintf(stderr, "pictor-print: %s\n", message.c_str());
  return status;
}

// Code page 950 text of a UTF-8 argument; nullopt when a character has no code page 950 code.
std::optional<std::string> ToCp950(const pictor::posix::IconvCp950Codec& codec, const std::string& utf8) {
  std::string cp950 = codec.FromUtf8(utf8);
  if (codec.ToUtf8(cp950) != utf8) return std::nullopt;
  return cp950;
}

// The association the catalogue is titled with: the name as the title shows it, the file's path
// upper-cased as a chosen association's is, and the path the glyphs are read from.
std::optional<pictor::EudcAssociation> AssociationOf(const PrintOptions& options,
                                                     const pictor::posix::IconvCp950Codec& codec, std::string& error) {
  pictor::EudcAssociation association;
  const fs::path file(options.font_file);
  std::string name;
  if (options.displayName.empty()) {
    name = codec.FromUtf8(file.stem().string());
    name = std::string(pictor::Cp950Prefix(name, pictor::kDisplayNameSize - 1));
  } else {
    const auto cp950 = ToCp950(codec, options.displayName);
    if (!cp950) {
      error = "--name holds characters that code page 950 lacks";
      return std::nullopt;
    }
    if (cp950->size() > pictor::kDisplayNameSize - 1) {
      error = "--name is longer than a typeface name can be (31 bytes in code page 950)";
      return std::nullopt;
    }
    name = *cp950;
  }
  association.displayName.Assign(name);
  const std::string path = pictor::Cp950Uppercase(codec.FromUtf8(fs::absolute(file).lexically_normal().string()));
  association.eudcFilePath.Assign(pictor::Cp950Prefix(path, pictor::kEudcFilePathSize - 1));
  association.font_file_path = options.font_file;
  return association;
}

// A progress line on standard error, rewritten in place on a terminal, at most five times a second.
class ProgressLine : public pictor::JobProgress {
 public:
  ProgressLine() : terminal_(isatty(STDERR_FILENO) != 0) {}
  bool StartingPage(const pictor::JobPage&) override { return true; }
  void FinishedPage(const pictor::JobPage& page) override {
    const std::int32_t done = page.ordinal;
    const std::int32_t total = page.total;
    const auto now = std::chrono::steady_clock::now();
    if (done != total && now - shown_ < std::chrono::milliseconds(200)) return;
    shown_ = now;
    std::fprintf(stderr, terminal_ ? "\rpictor-print: page %d of %d" : "pictor-print: page %d of %d\n", done, total);
    if (terminal_ && done == total) std::fputc('\n', stderr);
  }

 private:
  bool terminal_;
  std::chrono::steady_clock::time_point shown_{};
};

// A new file beside `target`, to be renamed over it once complete, so that a failed job leaves
// whatever was there before.
std::optional<std::string> TemporaryBeside(const fs::path& target) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int descriptor = mkstemp(pattern.data());
  if (descriptor < 0) return std::nullopt;
  close(descriptor);
  const mode_t mask = umask(0);
  umask(mask);
  chmod(pattern.c_str(), 0666 & ~mask);
  return pattern;
}

// The association named on the command line, as the font-setting dialog lists it from the
// registry's EUDC links: the path upper-cased for the title, the file opened by the path as read.
std::optional<pictor::EudcAssociation> RegisteredAssociation(const std::string& name, pictor::HostPlatform& platform,
                                                             std::string& error) {
  const auto wanted = ToCp950(platform.Codec(), name);
  pictor::FontSettingModel listing;
  const pictor::PictorPorts ports = platform.AllPorts();
  if (wanted &&
      listing.Open({ports.registry, ports.fonts, ports.windows_directory, ports.messages, ports.family.Family()})) {
    for (const pictor::EudcAssociation& listed : listing.Associations()) {
      if (listed.displayName.View() != *wanted) continue;
      pictor::EudcAssociation association = listed;
      association.eudcFilePath.Assign(pictor::Cp950Uppercase(listed.eudcFilePath.View()));
      association.font_file_path = platform.LocalPath(listed.font_file_path);
      return association;
    }
  }
  error = "no association named " + name + " in " + platform.Describe() + "; the associations are:";
  for (const pictor::EudcAssociation& listed : listing.Associations()) {
    error += " \"" + platform.ToUtf8(listed.displayName.View()) + "\"";
  }
  if (listing.Associations().empty()) error += " none";
  return std::nullopt;
}

int Run(const PrintOptions& options) {
  const auto paper = pictor::cli::PaperNamed(options.paper);
  if (!paper) return Fail("unknown paper size " + options.paper + " (the names: pictor-print --help)", kUsageError);

  // The registry, when the association or the input methods come from it.
  std::unique_ptr<pictor::HostPlatform> platform;
  if (!options.association.empty() || options.annotate) {
    try {
      platform = std::make_unique<pictor::HostPlatform>();
    } catch (const std::exception& failure) {
      return Fail(failure.what());
    }
  }

  const pictor::posix::IconvCp950Codec codec;
  std::string error;
  const auto association = options.association.empty() ? AssociationOf(options, codec, error)
                                                       : RegisteredAssociation(options.association, *platform, error);
  if (!association) return Fail(error, kUsageError);
  const std::string font_file = association->font_file_path;
  std::error_code ignored;
  if (!fs::is_regular_file(font_file, ignored)) return Fail(font_file + ": no such file");
  if (!QRawFont(QString::fromStdString(font_file), 16).isValid()) {
    return Fail(font_file + ": not a TrueType font file");
  }

  pictor::PrintRange range;
  pictor::ResetPrintRange(range);
  if (options.range) pictor::SetCodeRange(range, options.range->start, options.range->end);

  pictor::InputMethodState input_methods;
  if (options.annotate) {
    pictor::EnumerateInputMethods(input_methods, platform->Ports(), platform->Family().Family());
    for (std::size_t k = 0; k < input_methods.input_methods.count; ++k) input_methods.annotate_flags[k] = 1;
    if (input_methods.input_methods.count == 0) {
      std::fprintf(stderr, "pictor-print: no input method with a dictionary in %s; printing without roots\n",
                   platform->Describe().c_str());
    }
  }
  const pictor::CatalogueState state{*association, range, input_methods.input_methods, input_methods.annotate_flags,
                                     *input_methods.root_tables};

  if (fs::equivalent(font_file, options.pdf_file, ignored)) {
    return Fail(options.pdf_file + " is the font file itself; choose another PDF file", kUsageError);
  }
  const auto temporary = TemporaryBeside(options.pdf_file);
  if (!temporary) return Fail(options.pdf_file + ": cannot write in its folder");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(*temporary));
  printer.setPageSize(*paper);

  pictor::app::QtPrintTarget target(
      printer,
      {QString::fromStdString(font_file),
       pictor::app::CatalogueTextFamily(QString::fromStdString(codec.ToUtf8(pictor::kDefaultFaceName)))},
      codec);
  ProgressLine progress;
  const pictor::JobResult printed =
      pictor::RunCatalogueJob(target, state, {association->displayName.View(), std::nullopt, 1}, &progress);
  if (printed.failure != pictor::JobFailure::kNone) {
    fs::remove(*temporary, ignored);
    return Fail(options.pdf_file + ": the PDF could not be written");
  }
  std::error_code renamed;
  fs::rename(*temporary, options.pdf_file, renamed);
  if (renamed) {
    fs::remove(*temporary, ignored);
    return Fail(options.pdf_file + ": cannot replace it");
  }
  std::printf("pages: %d\ncodes: %lld\ncodes without a glyph: %lld\n", printed.pages,
              static_cast<long long>(printed.cells), static_cast<long long>(target.MissingGlyphs()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = pictor::cli::ParsePrintOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto status =
          pictor::cli::AnswerStandardOptions(pictor::cli::PrintHelp(pictor::cli::PaperNames()), TOOLKIT_VERSION,
                                             parsed.options.help, parsed.options.version, parsed.error)) {
    return *status;
  }
  // Without a display the pages are drawn all the same, on the offscreen platform.
  if (getenv("QT_QPA_PLATFORM") == nullptr && getenv("DISPLAY") == nullptr && getenv("WAYLAND_DISPLAY") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  try {
    QGuiApplication application(argc, argv);
    return Run(parsed.options);
  } catch (const std::exception& failure) {
    return Fail(failure.what());
  }
}
