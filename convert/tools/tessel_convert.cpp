// tessel-convert: converts a text file through the tessel library.
//
//   tessel-convert -f FROM -t TO [--tables DIR] [--list] INPUT OUTPUT
//
// The library is loaded at run time and pointed at the tables through a table root (see
// table_root.h). UTF-8 and EUC-TW are this host's own: it converts them to and from the library's
// UCS-2 and EUC forms around the library's conversion.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "convert_options.h"
#include "euc_tw.h"
#include "file_transcoder.h"
#include "library_loader.h"
#include "progress_reporter.h"
#include "selector_names.h"
#include "string_pieces.h"
#include "table_root.h"
#include "toolkit_version.h"
#include "utf8_codec.h"

namespace fs = std::filesystem;

namespace tessel::tools {
namespace {

// What a conversion works with: the command line's choices, the files as absolute paths.
struct Options {
  Encoding from;
  Encoding to;
  std::optional<fs::path> tables;
  bool list = false;
  fs::path input;
  fs::path output;
};

Options conversionOptions(const ConvertOptions& line) {
  return Options{line.from,
                 line.to,
                 line.tables ? std::optional<fs::path>(*line.tables) : std::nullopt,
                 line.list,
                 fs::absolute(line.files[0]),
                 fs::absolute(line.files[1])};
}

fs::path executablePath(const char* argv0) {
#if defined(_WIN32)
  char buffer[MAX_PATH] = {};
  if (GetModuleFileNameA(nullptr, buffer, MAX_PATH) > 0) return buffer;
#else
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return self;
#endif
  return fs::absolute(argv0);
}

bool holdsTables(const fs::path& dir) { return fs::exists(dir / "CNS_B5.TBL"); }

// The tables of the build folder (bin/../share), of an installation (bin/../share/tessel/share)
// or of the Windows package (share beside the program).
std::optional<fs::path> defaultTables(const fs::path& programFolder) {
  for (const fs::path& candidate :
       {programFolder / ".." / "share", programFolder / ".." / "share" / "tessel" / "share", programFolder / "share"}) {
    if (holdsTables(candidate)) return fs::weakly_canonical(candidate);
  }
  return std::nullopt;
}

// The library beside the program (Windows), in the build's or the installation's library folder,
// or wherever the system's loader finds it.
fs::path libraryFile(const fs::path& programFolder) {
#if defined(_WIN32)
  return programFolder / "tessel.dll";
#else
  for (const fs::path& candidate :
       {programFolder / TESSEL_INSTALLED_LIBRARY, programFolder / ".." / "lib" / TESSEL_LIBRARY_NAME}) {
    if (fs::exists(candidate)) return candidate;
  }
  return TESSEL_LIBRARY_NAME;
#endif
}

std::string uniqueSuffix() {
  std::random_device seed;
  return std::to_string(seed()) + std::to_string(seed());
}

struct HostError {
  std::string message;
};

// The library reads its configuration from the current directory when it is loaded.
std::unique_ptr<LoadedLibrary> loadConfigured(const fs::path& library, const fs::path& tables) {
  const TableRoot root(tables);
  const fs::path previous = fs::current_path();
  fs::current_path(root.folder());
  std::unique_ptr<LoadedLibrary> loaded;
  try {
    loaded = std::make_unique<LoadedLibrary>(library);
  } catch (...) {
    fs::current_path(previous);
    throw;
  }
  fs::current_path(previous);
  return loaded;
}

// A private folder for the files between the host's conversions and the library's; removed when
// done.
class WorkFolder {
 public:
  WorkFolder() {
    path_ = fs::temp_directory_path() / ("tessel-convert-" + uniqueSuffix());
    if (!fs::create_directory(path_)) throw HostError{"cannot create a temporary folder"};
  }
  ~WorkFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  fs::path operator/(const char* name) const { return path_ / name; }

 private:
  fs::path path_;
};

// A file that is removed unless it was put in place.
class PendingFile {
 public:
  explicit PendingFile(fs::path path) : path_(std::move(path)) {}
  ~PendingFile() {
    std::error_code ec;
    if (!placed_) fs::remove(path_, ec);
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  const fs::path& path() const { return path_; }

  void placeAt(const fs::path& target) {
    std::error_code ec;
    fs::rename(path_, target, ec);
    if (ec) throw HostError{"cannot write " + target.string()};
    placed_ = true;
  }

 private:
  fs::path path_;
  bool placed_ = false;
};

// Another name in the folder of `path`: renamed over it once complete.
fs::path besideTemporary(const fs::path& path) {
  return path.parent_path() / ("." + path.filename().string() + ".tessel-" + uniqueSuffix());
}

// The host's side of each form: from the file as given to the library's form, and back.
void toLibraryForm(HostForm form, const fs::path& from, const fs::path& to) {
  if (form == HostForm::kUtf8) {
    std::string pending;
    std::size_t offset = 0;
    transcodeFile(
        from, to,
        [&](std::string_view block, bool last) {
          const Utf8Decoded d = utf8ToUcs2(block, pending, last, offset);
          if (d.badOffset) throw HostError{"the input is not valid UTF-8 (byte " + std::to_string(*d.badOffset) + ")"};
          offset += block.size();
          return d.ucs2;
        },
        "\xFF\xFE");
  } else {
    EucTwWidener widener;
    transcodeFile(from, to, [&](std::string_view block, bool last) { return widener.convert(block, last); });
  }
}

void fromLibraryForm(HostForm form, const fs::path& from, const fs::path& to) {
  if (form == HostForm::kUtf8) {
    std::string pending;
    transcodeFile(
        from, to, [&](std::string_view block, bool last) { return ucs2ToUtf8(block, pending, last); }, {}, 2);
  } else {
    EucTwNarrower narrower;
    transcodeFile(from, to, [&](std::string_view block, bool last) { return narrower.convert(block, last); });
  }
}

// Text in the other tools' EUC-TW passes through the library's EUC reader as single bytes.
void warnOfTwoByteCharacters(const fs::path& input) {
  TwoByteCharacterCounter counter;
  scanFile(input, [&](std::string_view block, bool last) { counter.count(block, last); });
  if (counter.found() > 0) {
    std::fprintf(stderr,
                 "tessel-convert: warning: %s holds %zu two-byte characters, which -f euc passes on as single "
                 "bytes; for EUC-TW as other tools write it use -f euc-tw\n",
                 input.string().c_str(), counter.found());
  }
}

int convertFile(LoadedLibrary& library, int from, int to, const fs::path& source, const fs::path& target) {
  ProgressReporter progress(source);
  return library.fileConvert(from, to, source.string().c_str(), target.string().c_str());
}

// EUC-TW on one side and Big5, UCS-2 or GBK on the other go through the string export in pieces
// (string_pieces.h): no file in the library's four-byte form. Empty when the text needs files.
std::optional<int> convertEucTwInPieces(LoadedLibrary& library, const Options& o, const fs::path& target) {
  auto paired = [](int selector) { return selector == CVT_BIG5 || selector == CVT_UCS || selector == CVT_GBK; };
  const bool fromEucTw = o.from.form == HostForm::kEucTw && o.to.form == HostForm::kLibrary && paired(o.to.selector);
  const bool toEucTw = o.to.form == HostForm::kEucTw && o.from.form == HostForm::kLibrary && paired(o.from.selector);
  if (!fromEucTw && !toEucTw) return std::nullopt;
  ProgressReporter progress(o.input);
  int32_t result = CVT_OK;
  const PieceOutcome outcome = fromEucTw
                                   ? convertFromEucTw(library.stringConvert, o.to.selector, o.input, target, result)
                                   : convertToEucTw(library.stringConvert, o.from.selector, o.input, target, result);
  if (outcome == PieceOutcome::kConverted) return result;
  return std::nullopt;
}

// A conversion with the host's forms on one side or both: the library converts between files of
// a work folder (or copies, when only the form differs), and the result is put in place when
// complete.
int convertThroughHostForms(LoadedLibrary& library, const Options& o) {
  PendingFile finished(besideTemporary(o.output));
  if (const auto result = convertEucTwInPieces(library, o, finished.path())) {
    if (*result != CVT_OK) return *result;
    finished.placeAt(o.output);
    return CVT_OK;
  }

  WorkFolder work;
  fs::path source = o.input;
  if (o.from.form != HostForm::kLibrary) {
    source = work / "input";
    toLibraryForm(o.from.form, o.input, source);
  }
  const fs::path target = o.to.form == HostForm::kLibrary ? finished.path() : work / "output";
  int result = CVT_OK;
  if (o.from.selector == o.to.selector) {
    std::error_code ec;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
    if (ec) throw HostError{"cannot write " + target.string()};
  } else {
    result = convertFile(library, o.from.selector, o.to.selector, source, target);
  }
  if (result != CVT_OK) return result;
  if (o.to.form != HostForm::kLibrary) fromLibraryForm(o.to.form, target, finished.path());
  finished.placeAt(o.output);
  return CVT_OK;
}

int run(const Options& o, const fs::path& programFolder) {
  const auto tables = o.tables ? std::optional<fs::path>(fs::absolute(*o.tables)) : defaultTables(programFolder);
  if (!tables) throw HostError{"no code tables found; name their folder with --tables DIR"};
  if (!fs::is_directory(*tables)) throw HostError{"--tables: " + tables->string() + " is not a folder"};

  const auto library = loadConfigured(libraryFile(programFolder), *tables);
  if (o.list && library->tableListStart() == 0)
    throw HostError{"cannot create the character list CNSLIST.LOG in the current directory"};

  int result = CVT_OK;
  if (o.from.form == HostForm::kLibrary && o.to.form == HostForm::kLibrary) {
    if (o.from.selector == CVT_EUC) warnOfTwoByteCharacters(o.input);
    result = convertFile(*library, o.from.selector, o.to.selector, o.input, o.output);
  } else {
    result = convertThroughHostForms(*library, o);
  }

  if (o.list) {
    library->tableListEnd();
    std::fprintf(stderr, "tessel-convert: character list written to %s\n",
                 (fs::current_path() / "CNSLIST.LOG").string().c_str());
  }
  if (result == CVT_ERR_NO_TABLE) {
    std::fprintf(stderr, "tessel-convert: a code table file is missing from %s (result 3)\n", tables->string().c_str());
    return 1;
  }
  if (result != CVT_OK) {
    std::fprintf(stderr, "tessel-convert: %s (result %d)\n", describeResult(result), result);
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace tessel::tools

int main(int argc, char** argv) {
  using namespace tessel::tools;
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  const auto parsed = ParseConvertOptions(arguments);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "tessel-convert: %s\n%s", parsed.error.c_str(), ConvertUsage().c_str());
    return 2;
  }
  if (parsed.options.help) {
    std::fputs(ConvertHelp().c_str(), stdout);
    return 0;
  }
  if (parsed.options.version) {
    std::printf("tessel-convert %s\n", TOOLKIT_VERSION);
    return 0;
  }
  try {
    return run(conversionOptions(parsed.options), executablePath(argv[0]).parent_path());
  } catch (const HostError& e) {
    std::fprintf(stderr, "tessel-convert: %s\n", e.message.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessel-convert: %s\n", e.what());
  }
  return 1;
}
