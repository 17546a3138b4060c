// pictor-mkfont: writes a generated TrueType font: an EUDC font with a glyph of its own for each
// user-defined character, and, with --big5-face, a stand-in for a Big5 typeface. The command line:
// pictor-mkfont --help.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit_version.h"
#include "tools/fixtures/eudc_font_builder.h"
#include "tools/mkfont_options.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "pictor-mkfont: %s\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = pictor::cli::ParseMkfontOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto status = pictor::cli::AnswerStandardOptions(
          pictor::cli::MkfontHelp(), TOOLKIT_VERSION, parsed.options.help, parsed.options.version, parsed.error)) {
    return *status;
  }
  const pictor::cli::MkfontOptions& options = parsed.options;
  const std::string& out = options.output;
  pictor::testsupport::FontRequest request;
  request.family_name = options.family_name;
  request.cover_traditional_chinese = options.big5_face;
  if (!options.omit_all) request.code_points = pictor::testsupport::EudcCodePoints(options.omitted);

  std::vector<std::uint8_t> font;
  try {
    font = pictor::testsupport::BuildTrueTypeFont(request);
  } catch (const std::exception& e) {
    return Fail(e.what());
  }
  std::ofstream file(out, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(font.data()), static_cast<std::streamsize>(font.size()));
  file.close();
  if (!file) return Fail("cannot write " + out);
  std::printf("%s: %zu glyphs, %zu bytes\n", out.c_str(), request.code_points.size(), font.size());
  return 0;
}
