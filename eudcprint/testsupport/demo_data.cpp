#include "demo_data.h"

#include "association_list.h"
#include "dictionary_builder.h"
#include "eudc_font_builder.h"
#include "known_input_methods.h"
#include "registry_setup.h"

namespace pictor::testsupport {

std::vector<DemoDictionary> DemoDictionaries(PlatformFamily family) {
  const auto code = [family](std::uint16_t big5) { return EntryCode(family, big5); };
  DictionaryBuilder phonetic(DictionaryForm::kPhonetic);
  phonetic
      .Add(code(0xFA40), {1, 0, 25, 41})    // ㄅ　ㄚˋ
      .Add(code(0xFA40), {2, 0, 26, 39})    // ㄆ　ㄛˊ
      .Add(code(0xFA41), {3, 22, 33, 39})   // ㄇㄧㄢˊ
      .Add(code(0x8140), {4, 0, 36, 42})    // ㄈ　ㄥ˙
      .Add(code(0xC6A1), {5, 23, 36, 38});  // ㄉㄨㄥˉ
  DictionaryBuilder changjie(DictionaryForm::kRadical);
  changjie
      .Add(code(0xFA40), {1, 2, 3})        // 日月金
      .Add(code(0xFA41), {4, 5, 6, 7, 8})  // 木水火土竹
      .Add(code(0x8140), {26})             // 重
      .Add(code(0xC6A1), {24, 25});        // 難卜
  DictionaryBuilder quick(DictionaryForm::kRadical);
  quick.Add(code(0xFA40), {13, 12});  // 一中
  return {{"phonetic.tbl", phonetic.Build()}, {"changjie.tbl", changjie.Build()}, {"quick.tbl", quick.Build()}};
}

namespace {

std::string JoinPath(std::string_view folder, char separator, std::string_view name) {
  std::string full(folder);
  if (!full.empty() && full.back() != separator) full += separator;
  return full + std::string(name);
}

constexpr std::string_view kDemoMingFace = "\xb2\xd3\xa9\xfa\xc5\xe9";  // 細明體

}  // namespace

std::vector<DemoFont> DemoEudcFonts() {
  // The system default file has every character; the two typefaces' files lack the first ones.
  const std::uint16_t mingLacks[] = {0xFA40, 0xFA41};
  const std::uint16_t umingLacks[] = {0xFA40, 0xFA41, 0xFA42, 0xFA43};
  return {{"eudc.tte", BuildTrueTypeFont({"Pictor Demo EUDC", EudcCodePoints(), false})},
          {"mingliu.tte", BuildTrueTypeFont({"Pictor Demo EUDC Ming", EudcCodePoints(mingLacks), false})},
          {"uming.tte", BuildTrueTypeFont({"Pictor Demo EUDC UMing", EudcCodePoints(umingLacks), false})}};
}

bool InstallDemoEudcLinks(RegistryPort& registry, std::string_view folder, char separator) {
  const auto links = registry.Create(RegistryRoot::kCurrentUser, kEudcLinksKey);
  if (!links) return false;
  bool ok = links->Set({"SystemDefaultEUDCFont", kRegSz, JoinPath(folder, separator, "eudc.tte")});
  ok = links->Set({std::string(kDemoMingFace), kRegSz, JoinPath(folder, separator, "mingliu.tte")}) && ok;
  return links->Set({std::string(kDemoInstalledFace), kRegSz, JoinPath(folder, separator, "uming.tte")}) && ok;
}

bool InstallDemoInputMethods(RegistryPort& registry, std::string_view folder, char separator) {
  const auto path = [&](std::string_view name) { return JoinPath(folder, separator, name); };
  bool ok = InstallInputMethod(
      registry, {"E0010404", "phon.ime", std::string(kDemoPhoneticName), "User Dictionary", path("phonetic.tbl")});
  ok = InstallInputMethod(registry, {"E0020404", "CHAJEI.IME", std::string(kDemoChangjieName), "Eudc Dictionary",
                                     path("changjie.tbl")}) &&
       ok;
  ok = InstallInputMethod(
           registry, {"E0030404", "QUICK.IME", std::string(kDemoQuickName), "User Dictionary", path("quick.tbl")}) &&
       ok;
  return WritePreload(registry, {"00000404", "E0010404", "E0020404", "E0030404"}) && ok;
}

const std::vector<DemoExpectation>& DemoExpectations() {
  static const std::vector<DemoExpectation> expectations = {
      // ㄅ　ㄚˋ　ㄆ　ㄛˊ
      {0xFA40, kPhoneticHkl, "\xa3\x74\xa1\x40\xa3\xab\xa3\xbf\xa1\x40\xa3\x75\xa1\x40\xa3\xac\xa3\xbd"},
      // ㄇㄧㄢˊ
      {0xFA41, kPhoneticHkl, "\xa3\x76\xa3\xb8\xa3\xb3\xa3\xbd"},
      // ㄈ　ㄥ˙
      {0x8140, kPhoneticHkl, "\xa3\x77\xa1\x40\xa3\xb6\xa3\xbb"},
      // ㄉㄨㄥˉ
      {0xC6A1, kPhoneticHkl, "\xa3\x78\xa3\xb9\xa3\xb6\xa3\xbc"},
      // 日月金　　
      {0xFA40, kChangjieHkl, "\xa4\xe9\xa4\xeb\xaa\xf7\xa1\x40\xa1\x40"},
      // 木水火土竹
      {0xFA41, kChangjieHkl, "\xa4\xec\xa4\xf4\xa4\xf5\xa4\x67\xa6\xcb"},
      // 重　　　　
      {0x8140, kChangjieHkl, "\xad\xab\xa1\x40\xa1\x40\xa1\x40\xa1\x40"},
      // 難卜　　　
      {0xC6A1, kChangjieHkl, "\xc3\xf8\xa4\x52\xa1\x40\xa1\x40\xa1\x40"},
      // 一中　　　
      {0xFA40, kQuickHkl, "\xa4\x40\xa4\xa4\xa1\x40\xa1\x40\xa1\x40"},
      // Never written.
      {0xFA42, kPhoneticHkl, ""},
      {0xFEFE, kChangjieHkl, ""},
  };
  return expectations;
}

}  // namespace pictor::testsupport
