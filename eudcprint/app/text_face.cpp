#include "text_face.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace pictor::app {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
struct ObjectSetDeleter {
  void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

const FcChar8* Utf8(const QByteArray& bytes) { return reinterpret_cast<const FcChar8*>(bytes.constData()); }

bool IsInstalled(const QByteArray& family) {
  Pattern pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, Utf8(family));
  std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(FcObjectSetBuild(FC_FAMILY, nullptr));
  std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(nullptr, pattern.get(), objects.get()));
  return fonts != nullptr && fonts->nfont > 0;
}

// What fontconfig chooses for Traditional-Chinese serif text: the Ming face of the machine.
QString TraditionalChineseMingFamily() {
  Pattern pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("serif"));
  FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("zh-tw"));
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match) return {};
  FcLangSet* languages = nullptr;
  if (FcPatternGetLangSet(match.get(), FC_LANG, 0, &languages) != FcResultMatch ||
      FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("zh-tw")) != FcLangEqual) {
    return {};
  }
  FcChar8* family = nullptr;
  if (FcPatternGetString(match.get(), FC_FAMILY, 0, &family) != FcResultMatch) return {};
  return QString::fromUtf8(reinterpret_cast<const char*>(family));
}

}  // namespace

QString CatalogueTextFamily(const QString& defaultFace) {
  if (!FcInit()) return {};
  if (IsInstalled(defaultFace.toUtf8())) return defaultFace;
  return TraditionalChineseMingFamily();
}

}  // namespace pictor::app
