// Registry files read back as what was written: key paths that begin with a root key only, code
// page 950 paths whose double-byte characters end in a backslash, and a property test over random
// documents.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/reg_file.h"
#include "tests/support/memory_registry.h"

namespace pictor::regfile {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(RegFileRoots, AKeyPathMustBeginWithARootKey) {
  const std::vector<std::string> faults = {
      "REGEDIT4\r\n\r\n[HKEY_CURENT_USER\\Software]\r\n",
      "REGEDIT4\r\n\r\n[-HKEY_LOKAL_MACHINE\\Software]\r\n",
      "REGEDIT4\r\n\r\n[\\-HKEY_CURRENT_USER\\Software]\r\n",  // a key named "-HKEY_..."
      "REGEDIT4\r\n\r\n[Software\\A]\r\n",
      "REGEDIT4\r\n\r\n[ HKEY_CURRENT_USER\\A]\r\n",
  };
  for (const std::string& text : faults) {
    try {
      ReadRegFile(Bytes(text));
      ADD_FAILURE() << "accepted: " << text;
    } catch (const RegFileError& error) {
      EXPECT_EQ(error.Line(), 3u) << text;
      EXPECT_NE(error.Message().find("unknown root key"), std::string::npos) << error.what();
    }
  }
  // Every root of the registry editor, in any letter case.
  const RegistryDocument document =
      ReadRegFile(Bytes("REGEDIT4\r\n[hkey_classes_root\\a]\r\n[HKEY_USERS\\b]\r\n[HKEY_CURRENT_CONFIG\\c]\r\n"
                        "[HKEY_DYN_DATA\\d]\r\n[HKEY_LOCAL_MACHINE]\r\n"));
  EXPECT_EQ(document.Keys().size(), 5u);
}

TEST(RegFileRoots, TheWriterRefusesAPathThatWouldReadBackAsAnotherKey) {
  // Read back, "[-x]" would delete key x instead of being key "-x".
  for (const std::u16string_view path : {u"-x", u"-HKEY_CURRENT_USER\\Software", u"Software"}) {
    RegistryDocument document(RegFileFormat::kRegedit4);
    document.CreateKey(path);
    EXPECT_THROW(WriteRegFile(document), RegFileError);
  }
  // Beneath a root a name may well begin with "-".
  RegistryDocument document(RegFileFormat::kRegedit4);
  document.CreateKey(u"HKEY_CURRENT_USER\\Software\\A");
  document.CreateKey(u"HKEY_CURRENT_USER\\-Software");
  const RegistryDocument reread = ReadRegFile(WriteRegFile(document));
  ASSERT_EQ(reread.Keys().size(), 2u);
  EXPECT_EQ(reread.Keys()[1].path, u"HKEY_CURRENT_USER\\-Software");
  EXPECT_NE(reread.FindKey(u"HKEY_CURRENT_USER\\Software\\A"), nullptr);
}

// "\x81\\" is one character whose second byte is 0x5C: a one-part key, not key "\x81" and a
// separator.
TEST(RegistryDocumentCodePage, ASecondByteBackslashIsNoSeparator) {
  RegistryDocument document(RegFileFormat::kRegedit4);
  document.CreateKey(u"HKEY_CURRENT_USER\\\x81\\");
  document.CreateKey(u"HKEY_CURRENT_USER\\\xa5\\\\Sub");  // 功 then a subkey
  EXPECT_FALSE(document.KeyExists(u"HKEY_CURRENT_USER\\\x81"));
  EXPECT_TRUE(document.KeyExists(u"HKEY_CURRENT_USER\\\xa5\\"));

  document.DeleteKeyTree(u"HKEY_CURRENT_USER\\\x81");
  EXPECT_NE(document.FindKey(u"HKEY_CURRENT_USER\\\x81\\"), nullptr);
  document.DeleteKeyTree(u"HKEY_CURRENT_USER\\\xa5");
  EXPECT_NE(document.FindKey(u"HKEY_CURRENT_USER\\\xa5\\\\Sub"), nullptr);
  document.DeleteKeyTree(u"HKEY_CURRENT_USER\\\xa5\\");
  EXPECT_EQ(document.FindKey(u"HKEY_CURRENT_USER\\\xa5\\\\Sub"), nullptr);

  // The same through a file: deleting key 0x81 leaves key 0x81 0x5C.
  const RegistryDocument read =
      ReadRegFile(Bytes("REGEDIT4\r\n[HKEY_CURRENT_USER\\\x81\\]\r\n\"v\"=\"1\"\r\n[-HKEY_CURRENT_USER\\\x81]\r\n"));
  ASSERT_EQ(read.Keys().size(), 1u);
  EXPECT_EQ(read.Keys()[0].values.size(), 1u);

  // And through the registry port: a key that does not exist does not open.
  testing::MemoryRegistry registry;
  ASSERT_NE(registry.Create(RegistryRoot::kCurrentUser, "\xb3\x5c"), nullptr);  // 許
  EXPECT_EQ(registry.Open(RegistryRoot::kCurrentUser, "\xb3", RegistryAccess::kRead), nullptr);
  EXPECT_NE(registry.Open(RegistryRoot::kCurrentUser, "\xb3\x5c", RegistryAccess::kRead), nullptr);
}

// Random documents for the round trip.
class DocumentGenerator {
 public:
  DocumentGenerator(RegFileFormat format, unsigned seed) : format_(format), random_(seed) {}

  RegistryDocument Next() {
    RegistryDocument document(format_);
    const int keys = Uniform(0, 6);
    for (int k = 0; k < keys; ++k) {
      RegFileKey& key = document.CreateKey(KeyPath());
      const int values = Uniform(0, 4);
      for (int v = 0; v < values; ++v) document.SetValue(key, Value());
    }
    return document;
  }

 private:
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool CodePage() const { return format_ == RegFileFormat::kRegedit4; }

  // A character of a name: ASCII with the format's special characters, or a double-byte
  // character (code page 950 bytes, or a UTF-16 unit).
  std::u16string Character() {
    static constexpr std::u16string_view kAscii = u"aZ09 -.\"@[];=,:*%";
    switch (Uniform(0, 3)) {
      case 0:
      case 1:
        return std::u16string(1, kAscii[static_cast<std::size_t>(Uniform(0, kAscii.size() - 1))]);
      case 2:
        if (CodePage()) {
          // 許 B3 5C, 功 A5 5C, and other second bytes: a backslash, a quote, a bracket.
          static constexpr char16_t kTrails[] = {0x5C, 0x5D, 0x40, 0x7E, 0xA1, 0xFE, 0x22};
          return {static_cast<char16_t>(Uniform(0x81, 0xFE)),
                  kTrails[Uniform(0, static_cast<int>(std::size(kTrails)) - 1)]};
        }
        return std::u16string(1, static_cast<char16_t>(Uniform(0x4E00, 0x9FFF)));
      default:
        if (CodePage()) return {static_cast<char16_t>(Uniform(0xA1, 0xFE)), static_cast<char16_t>(Uniform(0x40, 0x7E))};
        return std::u16string(1, static_cast<char16_t>(Uniform(0xE000, 0xF848)));
    }
  }

  std::u16string Name(int max_characters) {
    std::u16string name;
    const int length = Uniform(1, max_characters);
    for (int i = 0; i < length; ++i) name += Character();
    return name;
  }

  std::u16string KeyPath() {
    static constexpr std::u16string_view kRoots[] = {u"HKEY_CURRENT_USER", u"HKEY_LOCAL_MACHINE", u"HKEY_USERS"};
    std::u16string path(kRoots[Uniform(0, 2)]);
    const int parts = Uniform(0, 3);
    for (int i = 0; i < parts; ++i) {
      path += u'\\';
      if (Uniform(0, 3) == 0) path += u'-';  // read as a deletion if it led the line
      path += Name(4);
      // A name ending in a lone lead byte, which swallows whatever follows it.
      if (CodePage() && Uniform(0, 4) == 0) path += static_cast<char16_t>(Uniform(0x81, 0xFE));
    }
    return path;
  }

  std::vector<std::uint8_t> StringData(const std::u16string& text) {
    std::vector<std::uint8_t> data;
    for (char16_t unit : text) {
      data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
      if (!CodePage()) data.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    data.push_back(0);
    if (!CodePage()) data.push_back(0);
    return data;
  }

  RegFileValue Value() {
    RegFileValue value;
    if (Uniform(0, 5) != 0) value.name = Name(5);  // else the default value
    switch (Uniform(0, 5)) {
      case 0:
      case 1: {
        value.type = kRegSz;
        std::u16string text = Uniform(0, 4) == 0 ? std::u16string() : Name(6);
        if (CodePage() && Uniform(0, 3) == 0) text += static_cast<char16_t>(0xB3);  // a lone lead byte
        value.data = StringData(text);
        break;
      }
      case 2:
        value.type = kRegExpandSz;
        value.data = StringData(u"%SystemRoot%\\" + Name(3));
        break;
      case 3:
        value.type = kRegDword;
        for (int i = Uniform(3, 4); i > 0; --i) value.data.push_back(static_cast<std::uint8_t>(Uniform(0, 255)));
        break;
      default:
        value.type = Uniform(0, 1) == 0 ? kRegBinary : static_cast<std::uint32_t>(Uniform(0, 0x7FFFFFFF));
        for (int i = Uniform(0, 40); i > 0; --i) value.data.push_back(static_cast<std::uint8_t>(Uniform(0, 255)));
        break;
    }
    return value;
  }

  RegFileFormat format_;
  std::mt19937 random_;
};

void ExpectSameDocument(const RegistryDocument& expected, const RegistryDocument& actual) {
  ASSERT_EQ(actual.Keys().size(), expected.Keys().size());
  for (std::size_t k = 0; k < expected.Keys().size(); ++k) {
    const RegFileKey& want = expected.Keys()[k];
    const RegFileKey& got = actual.Keys()[k];
    EXPECT_EQ(got.path, want.path);
    ASSERT_EQ(got.values.size(), want.values.size());
    for (std::size_t v = 0; v < want.values.size(); ++v) {
      EXPECT_EQ(got.values[v].name, want.values[v].name);
      EXPECT_EQ(got.values[v].type, want.values[v].type);
      EXPECT_EQ(got.values[v].data, want.values[v].data);
    }
  }
}

class RegFileRoundTrip : public ::testing::TestWithParam<RegFileFormat> {};

TEST_P(RegFileRoundTrip, ReadingWhatWasWrittenGivesTheSameDocument) {
  DocumentGenerator generator(GetParam(), 20240315);
  int written = 0;
  for (int i = 0; i < 400; ++i) {
    const RegistryDocument document = generator.Next();
    std::vector<std::uint8_t> bytes;
    try {
      bytes = WriteRegFile(document);
    } catch (const RegFileError&) {
      continue;  // a value name the format cannot hold: refused, never written wrong
    }
    ++written;
    const RegistryDocument reread = ReadRegFile(bytes);
    ExpectSameDocument(document, reread);
    EXPECT_EQ(WriteRegFile(reread), bytes);
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << "document " << i << ":\n" << std::string(bytes.begin(), bytes.end());
      return;
    }
  }
  EXPECT_GT(written, 300);
}

INSTANTIATE_TEST_SUITE_P(Formats, RegFileRoundTrip,
                         ::testing::Values(RegFileFormat::kRegedit4, RegFileFormat::kVersion5Utf16),
                         [](const auto& test) {
                           return test.param == RegFileFormat::kRegedit4 ? "Regedit4" : "Version5";
                         });

}  // namespace
}  // namespace pictor::regfile
