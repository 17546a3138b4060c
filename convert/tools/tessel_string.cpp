// tessel-string: converts one string through the library's string export.
//
//   tessel-string -f FROM -t TO [--input-hex HEX] [--hex] [TEXT]
//
// The text is TEXT, or the bytes given in hexadecimal with --input-hex, or standard input. The
// converted bytes go to standard output, as hexadecimal with --hex.

#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "selector_names.h"
#include "tessel.h"
#include "toolkit_version.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr const char* kHelp =
    "Usage: tessel-string -f FROM -t TO [--input-hex HEX] [--hex] [TEXT]\n"
    "Converts one string through the tessel library's string conversion.\n"
    "\n"
    "The text is TEXT, or the bytes given with --input-hex, or standard input. The library reads its\n"
    "configuration from CNSCVT.INI in the current directory and its tables from TablePath/share\n"
    "(./share without CNSCVT.INI).\n"
    "\n"
    "Options:\n"
    "  -f FROM          the encoding of the text: cns, euc, big5, ucs, gbk\n"
    "  -t TO            the encoding to convert to\n"
    "  --input-hex HEX  the text as pairs of hexadecimal digits (blanks allowed)\n"
    "  --hex            write the converted bytes in hexadecimal instead of as they are\n"
    "  -h, --help       show this help and exit\n"
    "  --version        show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  the text was converted\n"
    "  1  the library refused the conversion\n"
    "  2  the command line is wrong\n";

int usage(const char* problem) {
  std::fprintf(stderr,
               "tessel-string: %s\nusage: tessel-string -f FROM -t TO [--input-hex HEX] [--hex] [TEXT]\n"
               "encodings: %s\n",
               problem, tessel::tools::kSelectorNames.data());
  return 2;
}

bool parseHex(const std::string& hex, std::string& bytes) {
  std::string digits;
  for (char c : hex)
    if (c != ' ') digits += c;
  if (digits.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    unsigned value = 0;
    if (std::sscanf(digits.c_str() + i, "%2x", &value) != 1) return false;
    bytes += static_cast<char>(value);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<int> from, to;
  bool hexOut = false;
  std::optional<std::string> text;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "-f" || arg == "-t" || arg == "--input-hex") && i + 1 >= argc)
      return usage("an option lacks its value");
    if (arg == "-f" || arg == "-t") {
      auto selector = tessel::tools::selectorByName(argv[++i]);
      if (!selector) return usage("unknown encoding");
      (arg == "-f" ? from : to) = selector;
    } else if (arg == "--input-hex") {
      std::string bytes;
      if (!parseHex(argv[++i], bytes)) return usage("--input-hex needs pairs of hexadecimal digits");
      text = bytes;
    } else if (arg == "--hex") {
      hexOut = true;
    } else if (arg == "-h" || arg == "--help") {
      std::fputs(kHelp, stdout);
      return 0;
    } else if (arg == "--version") {
      std::printf("tessel-string %s\n", TOOLKIT_VERSION);
      return 0;
    } else if (!arg.empty() && arg[0] == '-') {
      return usage(("unknown option " + arg).c_str());
    } else {
      text = arg;
    }
  }
  if (!from || !to) return usage("both -f and -t are needed");
  if (!text) {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    text = std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }

  std::string input = *text;
  input.append(4, '\0');
  std::vector<char> output(CVT_MAX_OUTPUT_SIZE(input.size()));
  const int32_t result = CVT_StringConvert(*from, *to, input.c_str(), output.data());
  if (result != CVT_OK) {
    std::fprintf(stderr, "tessel-string: %s (result %d)\n", tessel::tools::describeResult(result), result);
    return 1;
  }

  // The output ends at three zero bytes; UCS-2 output holds single zero bytes of its own.
  std::size_t n = 0;
  while (!(output[n] == 0 && output[n + 1] == 0 && output[n + 2] == 0 && (*to != CVT_UCS || n % 2 == 0))) ++n;
  if (hexOut) {
    for (std::size_t i = 0; i < n; ++i) std::printf(i ? " %02X" : "%02X", static_cast<unsigned char>(output[i]));
    std::printf("\n");
  } else {
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::fwrite(output.data(), 1, n, stdout);
  }
  return 0;
}
