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

Options ConversionOptions(const ConvertOptions& line) {
  return Options{line.from,
                 line.to,
                 line.tables ? std::optional<fs::path>(*line.tables) : std::nullopt,
                 line.list,
                 fs::absolute(line.files[0]),
                 fs::absolute(line.files[1])};
}

fs::path ExecutablePath(const char* argv0) {
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

bool HoldsTables(const fs::path& dir) { return fs::exists(dir / "CNS_B5.TBL"); }

// The tables of the build folder (bin/../share), of an installation (bin/../share/tessel/share)
// or of the Windows package (share beside the program).
std::optional<fs::path> DefaultTables(const fs::path& program_folder) {
  for (const fs::path& candidate : {program_folder / ".." / "share",
                                    program_folder / ".." / "share" / "tessel" / "share", program_folder / "share"}) {
    if (HoldsTables(candidate)) return fs::weakly_canonical(candidate);
  }
  return std::nullopt;
}

// The library beside the program (Windows), in the build's or the installation's library folder,
// or wherever the system's loader finds it.
fs::path LibraryFile(const fs::path& program_folder) {
#if defined(_WIN32)
  return program_folder / "tessel.dll";
#else
  for (const fs::path& candidate :
       {program_folder / TESSEL_INSTALLED_LIBRARY, program_folder / ".." / "lib" / TESSEL_LIBRARY_NAME}) {
    if (fs::exists(candidate)) return candidate;
  }
  return TESSEL_LIBRARY_NAME;
#endif
}

std::string UniqueSuffix() {
  std::random_device seed;
  return std::to_string(seed()) + std::to_string(seed());
}

struct HostError {
  std::string message;
};

// The library reads its configuration from the current directory when it is loaded.
std::unique_ptr<LoadedLibrary> LoadConfigured(const fs::path& library, const fs::path& tables) {
  const TableRoot root(tables);
  const fs::path previous = fs::current_path();
  fs::current_path(root.Folder());
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
    path_ = fs::temp_directory_path() / ("tessel-convert-" + UniqueSuffix());
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
  const fs::path& Path() const { return path_; }

  void PlaceAt(const fs::path& target) {
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
fs::path BesideTemporary(const fs::path& path) {
  return path.parent_path() / ("." + path.filename().string() + ".tessel-" + UniqueSuffix());
}

// The host's side of each form: from the file as given to the library's form, and back.
void ToLibraryForm(HostForm form, const fs::path& from, const fs::path& to) {
  if (form == HostForm::kUtf8) {
    std::string pending;
    std::size_t offset = 0;
    TranscodeFile(
        from, to,
        [&](std::string_view block, bool last) {
          const Utf8Decoded d = Utf8ToUcs2(block, pending, last, offset);
          if (d.bad_offset)
            throw HostError{"the input is not valid UTF-8 (byte " + std::to_string(*d.bad_offset) + ")"};
          offset += block.size();
          return d.ucs2;
        },
        "\xFF\xFE");
  } else {
    EucTwWidener widener;
    TranscodeFile(from, to, [&](std::string_view block, bool last) { return widener.Convert(block, last); });
  }
}

void FromLibraryForm(HostForm form, const fs::path& from, const fs::path& to) {
  if (form == HostForm::kUtf8) {
    std::string pending;
    TranscodeFile(
        from, to, [&](std::string_view block, bool last) { return Ucs2ToUtf8(block, pending, last); }, {}, 2);
  } else {
    EucTwNarrower narrower;
    TranscodeFile(from, to, [&](std::string_view block, bool last) { return narrower.Convert(block, last); });
  }
}

// Text in the other tools' EUC-TW passes through the library's EUC reader as single bytes.
void WarnOfTwoByteCharacters(const fs::path& input) {
  TwoByteCharacterCounter counter;
  ScanFile(input, [&](std::string_view block, bool last) { counter.Count(block, last); });
  if (counter.Found() > 0) {
    std::fprintf(stderr,
                 "tessel-convert: warning: %s holds %zu two-byte characters, which -f euc passes on as single "
                 "bytes; for EUC-TW as other tools write it use -f euc-tw\n",
                 input.string().c_str(), counter.Found());
  }
}

int ConvertFile(LoadedLibrary& library, int from, int to, const fs::path& source, const fs::path& target) {
  ProgressReporter progress(source);
  return library.file_convert(from, to, source.string().c_str(), target.string().c_str());
}

// EUC-TW on one side and Big5, UCS-2 or GBK on the other go through the string export in pieces
// (string_pieces.h): no file in the library's four-byte form. Empty when the text needs files.
std::optional<int> ConvertEucTwInPieces(LoadedLibrary& library, const Options& o, const fs::path& target) {
  auto paired = [](int selector) { return selector == CVT_BIG5 || selector == CVT_UCS || selector == CVT_GBK; };
  const bool from_euc_tw = o.from.form == HostForm::kEucTw && o.to.form == HostForm::kLibrary && paired(o.to.selector);
  const bool to_euc_tw = o.to.form == HostForm::kEucTw && o.from.form == HostForm::kLibrary && paired(o.from.selector);
  if (!from_euc_tw && !to_euc_tw) return std::nullopt;
  ProgressReporter progress(o.input);
  int32_t result = CVT_OK;
  const PieceOutcome outcome = from_euc_tw
                                   ? ConvertFromEucTw(library.string_convert, o.to.selector, o.input, target, result)
                                   : ConvertToEucTw(library.string_convert, o.from.selector, o.input, target, result);
  if (outcome == PieceOutcome::kConverted) return result;
  return std::nullopt;
}

// A conversion with the host's forms on one side or both: the library converts between files of
// a work folder (or copies, when only the form differs), and the result is put in place when
// complete.
int ConvertThroughHostForms(LoadedLibrary& library, const Options& o) {
  PendingFile finished(BesideTemporary(o.output));
  if (const auto result = ConvertEucTwInPieces(library, o, finished.Path())) {
    if (*result != CVT_OK) return *result;
    finished.PlaceAt(o.output);
    return CVT_OK;
  }

  WorkFolder work;
  fs::path source = o.input;
  if (o.from.form != HostForm::kLibrary) {
    source = work / "input";
    ToLibraryForm(o.from.form, o.input, source);
  }
  const fs::path target = o.to.form == HostForm::kLibrary ? finished.Path() : work / "output";
  int result = CVT_OK;
  if (o.from.selector == o.to.selector) {
    std::error_code ec;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
    if (ec) throw HostError{"cannot write " + target.string()};
  } else {
    result = ConvertFile(library, o.from.selector, o.to.selector, source, target);
  }
  if (result != CVT_OK) return result;
  if (o.to.form != HostForm::kLibrary) FromLibraryForm(o.to.form, target, finished.Path());
  finished.PlaceAt(o.output);
  return CVT_OK;
}

int Run(const Options& o, const fs::path& program_folder) {
  const auto tables = o.tables ? std::optional<fs::path>(fs::absolute(*o.tables)) : DefaultTables(program_folder);
  if (!tables) throw HostError{"no code tables found; name their folder with --tables DIR"};
  if (!fs::is_directory(*tables)) throw HostError{"--tables: " + tables->string() + " is not a folder"};

  const auto library = LoadConfigured(LibraryFile(program_folder), *tables);
  if (o.list && library->table_list_start() == 0)
    throw HostError{"cannot create the character list CNSLIST.LOG in the current directory"};

  int result = CVT_OK;
  if (o.from.form == HostForm::kLibrary && o.to.form == HostForm::kLibrary) {
    if (o.from.selector == CVT_EUC) WarnOfTwoByteCharacters(o.input);
    result = ConvertFile(*library, o.from.selector, o.to.selector, o.input, o.output);
  } else {
    result = ConvertThroughHostForms(*library, o);
  }

  if (o.list) {
    library->table_list_end();
    std::fprintf(stderr, "tessel-convert: character list written to %s\n",
                 (fs::current_path() / "CNSLIST.LOG").string().c_str());
  }
  if (result == CVT_ERR_NO_TABLE) {
    std::fprintf(stderr, "tessel-convert: a code table file is missing from %s (result 3)\n", tables->string().c_str());
    return 1;
  }
  if (result != CVT_OK) {
    std::fprintf(stderr, "tessel-convert: %s (result %d)\n", DescribeResult(result), result);
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
    return Run(ConversionOptions(parsed.options), ExecutablePath(argv[0]).parent_path());
  } catch (const HostError& e) {
    std::fprintf(stderr, "tessel-convert: %s\n", e.message.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessel-convert: %s\n", e.what());
  }
  return 1;
}
