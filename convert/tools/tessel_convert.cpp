// tessel-convert: converts a text file through the tessel library.
//
//   tessel-convert -f FROM -t TO [--tables DIR] [--list] INPUT OUTPUT
//
// FROM and TO are cns (seven-bit CNS 11643), euc, big5, ucs (UCS-2 little-endian), gbk, or utf8
// (converted to and from UCS-2 by this host). --tables names the folder of the five code tables
// (default: the tables of the build or installation); --list writes the character list form
// CNSLIST.LOG into the current directory.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "library_loader.h"
#include "progress_reporter.h"
#include "selector_names.h"
#include "utf8_codec.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace tessel::tools {
namespace {

constexpr const char* kUsage = "usage: tessel-convert -f FROM -t TO [--tables DIR] [--list] INPUT OUTPUT";
constexpr int kUtf8 = 1000;  // the host's own encoding, never passed to the library

struct Options {
  int from = -1;
  int to = -1;
  std::optional<fs::path> tables;
  bool list = false;
  fs::path input;
  fs::path output;
};

// A usage error: one line, and the usage.
struct UsageError {
  std::string message;
};

std::optional<int> encodingByName(const std::string& name) {
  if (name == "utf8" || name == "utf-8") return kUtf8;
  return selectorByName(name);
}

Options parse(int argc, char** argv) {
  Options o;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw UsageError{"option " + arg + " needs a value"};
      return argv[++i];
    };
    if (arg == "-f" || arg == "-t") {
      const std::string name = value();
      const auto encoding = encodingByName(name);
      if (!encoding)
        throw UsageError{"unknown encoding '" + name + "' (use " + std::string(kSelectorNames) + ", utf8)"};
      (arg == "-f" ? o.from : o.to) = *encoding;
    } else if (arg == "--tables") {
      o.tables = fs::path(value());
    } else if (arg == "--list") {
      o.list = true;
    } else if (arg == "-h" || arg == "--help") {
      throw UsageError{""};
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError{"unknown option " + arg};
    } else {
      files.push_back(arg);
    }
  }
  if (o.from < 0 || o.to < 0) throw UsageError{"both -f FROM and -t TO are needed"};
  if (files.size() != 2) throw UsageError{"an INPUT and an OUTPUT file are needed"};
  if (o.from == kUtf8 && o.to == kUtf8) throw UsageError{"nothing to convert from utf8 to utf8"};
  o.input = fs::absolute(files[0]);
  o.output = fs::absolute(files[1]);
  return o;
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

// The tables of the build folder (bin/../share) or of an installation (bin/../share/tessel).
std::optional<fs::path> defaultTables(const fs::path& programFolder) {
  for (const fs::path& candidate :
       {programFolder / ".." / "share", programFolder / ".." / "share" / "tessel", programFolder / "share"}) {
    if (holdsTables(candidate)) return fs::weakly_canonical(candidate);
  }
  return std::nullopt;
}

fs::path libraryFile(const fs::path& programFolder) {
#if defined(_WIN32)
  return programFolder / "tessel.dll";
#else
  const fs::path beside = programFolder / ".." / "lib" / "libtessel.so";
  return fs::exists(beside) ? beside : programFolder / "libtessel.so";
#endif
}

std::string uniqueSuffix() {
  std::random_device seed;
  return std::to_string(seed()) + std::to_string(seed());
}

// A private folder that the library is configured from: CNSCVT.INI names the folder itself as the
// table path, and share/ holds the tables. Removed when done.
class LibraryConfiguration {
 public:
  explicit LibraryConfiguration(const fs::path& tables) {
    folder_ = fs::temp_directory_path() / ("tessel-convert-" + uniqueSuffix());
    fs::create_directories(folder_ / "share");
    for (const char* name : {"CNS_B5.TBL", "CNS_B5E.TBL", "CNS_B5U.TBL", "CNS_UCS.TBL", "CNS_GBK.TBL"}) {
      std::error_code ec;
      fs::copy_file(tables / name, folder_ / "share" / name, ec);  // a missing table is the library's to report
    }
    std::ofstream ini(folder_ / "CNSCVT.INI", std::ios::binary);
    ini << "[Setup]\r\nTablePath=" << folder_.string() << "\r\n";
  }
  ~LibraryConfiguration() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  LibraryConfiguration(const LibraryConfiguration&) = delete;
  LibraryConfiguration& operator=(const LibraryConfiguration&) = delete;

  const fs::path& folder() const { return folder_; }

 private:
  fs::path folder_;
};

// The library reads its configuration from the current directory when it is loaded.
std::unique_ptr<LoadedLibrary> loadConfigured(const fs::path& library, const fs::path& configuration) {
  const fs::path previous = fs::current_path();
  fs::current_path(configuration);
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

// A file beside `path` that is renamed over it once complete.
fs::path besideTemporary(const fs::path& path) {
  return path.parent_path() / ("." + path.filename().string() + ".tessel-" + uniqueSuffix());
}

struct HostError {
  std::string message;
};

// Converts a UTF-8 file into a UCS-2LE file with its byte-order mark, or the other way.
void convertUtf8(const fs::path& from, const fs::path& to, bool toUcs2) {
  std::ifstream in(from, std::ios::binary);
  if (!in) throw HostError{"cannot open " + from.string()};
  std::ofstream out(to, std::ios::binary | std::ios::trunc);
  if (!out) throw HostError{"cannot create " + to.string()};
  std::vector<char> block(1 << 16);
  std::string pending;
  std::size_t offset = 0;
  bool skipMark = !toUcs2;  // a UCS-2 source starts with its byte-order mark
  if (toUcs2) out.write("\xFF\xFE", 2);
  for (;;) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const auto n = static_cast<std::size_t>(in.gcount());
    const bool last = n < block.size();
    std::string_view bytes(block.data(), n);
    if (skipMark) {
      bytes.remove_prefix(std::min<std::size_t>(2, bytes.size()));
      skipMark = false;
    }
    if (toUcs2) {
      const Utf8Decoded d = utf8ToUcs2(bytes, pending, last, offset);
      if (d.badOffset) throw HostError{"the input is not valid UTF-8 (byte " + std::to_string(*d.badOffset) + ")"};
      out << d.ucs2;
    } else {
      out << ucs2ToUtf8(bytes, pending, last);
    }
    offset += n;
    if (last) break;
  }
  if (!out.flush()) throw HostError{"cannot write " + to.string()};
}

void replaceWith(const fs::path& finished, const fs::path& target) {
  std::error_code ec;
  fs::rename(finished, target, ec);
  if (ec) {
    fs::remove(finished, ec);
    throw HostError{"cannot write " + target.string()};
  }
}

int run(const Options& o, const fs::path& programFolder) {
  const auto tables = o.tables ? std::optional<fs::path>(fs::absolute(*o.tables)) : defaultTables(programFolder);
  if (!tables) throw HostError{"no code tables found; name their folder with --tables DIR"};
  if (!fs::is_directory(*tables)) throw HostError{"--tables: " + tables->string() + " is not a folder"};

  LibraryConfiguration configuration(*tables);
  const auto library = loadConfigured(libraryFile(programFolder), configuration.folder());
  if (o.list && library->tableListStart() == 0) throw HostError{"cannot create the character list"};

  int result = CVT_OK;
  if (o.from == kUtf8 || o.to == kUtf8) {
    // UTF-8 goes through UCS-2, converted here; the result is put in place when complete.
    const fs::path ucsInput = configuration.folder() / "input.ucs";
    const fs::path ucsOutput = configuration.folder() / "output.ucs";
    const fs::path finished = besideTemporary(o.output);
    fs::path source = o.input;
    if (o.from == kUtf8) {
      convertUtf8(o.input, ucsInput, true);
      source = ucsInput;
    }
    const int from = o.from == kUtf8 ? CVT_UCS : o.from;
    const int to = o.to == kUtf8 ? CVT_UCS : o.to;
    const fs::path target = o.to == kUtf8 ? ucsOutput : finished;
    if (from == CVT_UCS && to == CVT_UCS) {
      fs::copy_file(source, target, fs::copy_options::overwrite_existing);
    } else {
      ProgressReporter progress(source);
      result = library->fileConvert(from, to, source.string().c_str(), target.string().c_str());
    }
    if (result == CVT_OK) {
      if (o.to == kUtf8) convertUtf8(ucsOutput, finished, false);
      replaceWith(finished, o.output);
    }
  } else {
    ProgressReporter progress(o.input);
    result = library->fileConvert(o.from, o.to, o.input.string().c_str(), o.output.string().c_str());
  }

  if (o.list) {
    library->tableListEnd();
    const fs::path written = fs::current_path() / "CNSLIST.LOG";
    std::error_code ec;
    fs::copy_file(configuration.folder() / "CNSLIST.LOG", written, fs::copy_options::overwrite_existing, ec);
    if (ec) throw HostError{"cannot write the character list " + written.string()};
    std::fprintf(stderr, "tessel-convert: character list written to %s\n", written.string().c_str());
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
  Options options;
  try {
    options = parse(argc, argv);
  } catch (const UsageError& e) {
    if (!e.message.empty()) std::fprintf(stderr, "tessel-convert: %s\n", e.message.c_str());
    std::fprintf(stderr, "%s\nencodings: %s, utf8\n", kUsage, kSelectorNames.data());
    return e.message.empty() ? 0 : 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessel-convert: %s\n", e.what());
    return 2;
  }
  try {
    return run(options, executablePath(argv[0]).parent_path());
  } catch (const HostError& e) {
    std::fprintf(stderr, "tessel-convert: %s\n", e.message.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessel-convert: %s\n", e.what());
  }
  return 1;
}
