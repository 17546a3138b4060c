// tessel-string: converts one string through the library's string export.
//
//   tessel-string -f FROM -t TO [--input-hex HEX] [--hex] [TEXT]
//
// The text is TEXT, or the bytes given in hexadecimal with --input-hex, or standard input. The
// converted bytes go to standard output, as hexadecimal with --hex.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "selector_names.h"
#include "string_options.h"
#include "tessel.h"
#include "toolkit_version.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
  using namespace tessel::tools;
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  const auto parsed = ParseStringOptions(arguments);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "tessel-string: %s\n%s", parsed.error.c_str(), StringUsage().c_str());
    return 2;
  }
  const StringOptions& options = parsed.options;
  if (options.help) {
    std::fputs(StringHelp().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("tessel-string %s\n", TOOLKIT_VERSION);
    return 0;
  }
  std::optional<std::string> text = options.text;
  const int from = *options.from;
  const int to = *options.to;
  const bool hex_out = options.hex_output;
  if (!text) {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    text = std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }

  std::string input = *text;
  input.append(4, '\0');
  std::vector<char> output(CVT_MAX_OUTPUT_SIZE(input.size()));
  const int32_t result = CVT_StringConvert(from, to, input.c_str(), output.data());
  if (result != CVT_OK) {
    std::fprintf(stderr, "tessel-string: %s (result %d)\n", DescribeResult(result), result);
    return 1;
  }

  // The output ends at three zero bytes; UCS-2 output holds single zero bytes of its own.
  std::size_t n = 0;
  while (!(output[n] == 0 && output[n + 1] == 0 && output[n + 2] == 0 && (to != CVT_UCS || n % 2 == 0))) ++n;
  if (hex_out) {
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
