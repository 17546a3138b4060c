#include "platform/posix/fontconfig_faces.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace pictor::posix {
namespace {

struct ConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetDeleter {
  void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

using Config = std::unique_ptr<FcConfig, ConfigDeleter>;
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

const char* AsText(const FcChar8* text) { return reinterpret_cast<const char*>(text); }

bool HasOutlineFormat(FcPattern* font) {
  FcChar8* format = nullptr;
  if (FcPatternGetString(font, FC_FONTFORMAT, 0, &format) != FcResultMatch) return false;
  const std::string_view name = AsText(format);
  return name == "TrueType" || name == "CFF";  // TrueType outlines, or OpenType's CFF outlines
}

}  // namespace

std::vector<FontFace> FontconfigFaces::InstalledFaces() {
  std::vector<FontFace> faces;
  const Config config(FcInitLoadConfigAndFonts());
  if (!config) return faces;
  const Pattern pattern(FcNameParse(reinterpret_cast<const FcChar8*>(":lang=zh-tw:outline=True")));
  const std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(
      FcObjectSetBuild(FC_FAMILY, FC_FONTFORMAT, static_cast<char*>(nullptr)));
  if (!pattern || !objects) return faces;
  const std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(config.get(), pattern.get(), objects.get()));
  if (!fonts) return faces;
  for (int i = 0; i < fonts->nfont; ++i) {
    FcPattern* font = fonts->fonts[i];
    if (!HasOutlineFormat(font)) continue;
    FcChar8* family = nullptr;
    for (int n = 0; FcPatternGetString(font, FC_FAMILY, n, &family) == FcResultMatch; ++n) {
      const std::string utf8 = AsText(family);
      std::string cp950 = codec_.FromUtf8(utf8);
      if (codec_.ToUtf8(cp950) != utf8) continue;  // no code page 950 spelling
      faces.push_back({std::move(cp950), kChineseBig5Charset, kTrueTypeFontType});
    }
  }
  return faces;
}

std::optional<std::string> InstalledOrMingFamily(std::string_view face) {
  const Config config(FcInitLoadConfigAndFonts());
  if (!config) return std::nullopt;
  const Pattern named(FcPatternCreate());
  FcPatternAddString(named.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(std::string(face).c_str()));
  const std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(
      FcObjectSetBuild(FC_FAMILY, static_cast<char*>(nullptr)));
  const std::unique_ptr<FcFontSet, FontSetDeleter> installed(FcFontList(config.get(), named.get(), objects.get()));
  if (installed && installed->nfont > 0) return std::string(face);

  // Not fontconfig's best match for the name itself, which may be a Kai face of another region.
  const Pattern wanted(FcNameParse(reinterpret_cast<const FcChar8*>("serif:lang=zh-tw")));
  if (!wanted) return std::nullopt;
  FcConfigSubstitute(config.get(), wanted.get(), FcMatchPattern);
  FcDefaultSubstitute(wanted.get());
  FcResult result = FcResultNoMatch;
  const Pattern match(FcFontMatch(config.get(), wanted.get(), &result));
  FcLangSet* languages = nullptr;
  FcChar8* family = nullptr;
  if (!match || FcPatternGetLangSet(match.get(), FC_LANG, 0, &languages) != FcResultMatch ||
      FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("zh-tw")) != FcLangEqual ||
      FcPatternGetString(match.get(), FC_FAMILY, 0, &family) != FcResultMatch) {
    return std::nullopt;
  }
  return std::string(AsText(family));
}

}  // namespace pictor::posix
