#include "core/reg_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pictor::regfile {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> Utf16File(std::u16string_view text, bool bom = true) {
  std::vector<std::uint8_t> bytes;
  if (bom) bytes = {0xFF, 0xFE};
  for (char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

std::vector<std::uint8_t> Data(std::initializer_list<int> bytes) {
  std::vector<std::uint8_t> data;
  for (int b : bytes) data.push_back(static_cast<std::uint8_t>(b));
  return data;
}

const RegFileValue& ValueOf(const RegistryDocument& document, std::u16string_view key, std::u16string_view name) {
  const RegFileKey* found = document.FindKey(key);
  if (found == nullptr) throw std::runtime_error("no such key");
  const RegFileValue* value = document.FindValue(*found, name);
  if (value == nullptr) throw std::runtime_error("no such value");
  return *value;
}

// As the registry editor exports it: UTF-16LE, CR LF, expandable strings as hex(2) wrapped at
// 80 columns.
constexpr std::u16string_view kVersion5Text =
    u"Windows Registry Editor Version 5.00\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\EUDC\\950]\r\n"
    u"\"SystemDefaultEUDCFont\"=\"C:\\\\WINDOWS\\\\FONTS\\\\EUDC.TTE\"\r\n"
    u"\"細明體\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,\\\r\n"
    u"  25,00,5c,00,45,00,55,00,44,00,43,00,2e,00,54,00,54,00,45,00,00,00\r\n"
    u"@=\"say \\\"hi\\\"\"\r\n"
    u"\"Count\"=dword:0000002a\r\n"
    u"\r\n"
    u"[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Keyboard Layouts\\E0010404]\r\n"
    u"\"Layout Text\"=\"注音\"\r\n"
    u"\"Empty\"=\"\"\r\n"
    u"\r\n";

TEST(RegFileVersion5, ReadsEveryKindOfValue) {
  const RegistryDocument document = ReadRegFile(Utf16File(kVersion5Text));
  EXPECT_EQ(document.Format(), RegFileFormat::kVersion5Utf16);
  ASSERT_EQ(document.Keys().size(), 2u);
  const std::u16string eudc = u"HKEY_CURRENT_USER\\EUDC\\950";

  const RegFileValue& path = ValueOf(document, eudc, u"SystemDefaultEUDCFont");
  EXPECT_EQ(path.type, 1u);
  const std::u16string expected = u"C:\\WINDOWS\\FONTS\\EUDC.TTE";
  EXPECT_EQ(path.data, Utf16File(std::u16string(expected) + u'\0', false));

  const RegFileValue& expandable = ValueOf(document, eudc, u"細明體");
  EXPECT_EQ(expandable.type, 2u);
  EXPECT_EQ(expandable.data, Utf16File(std::u16string(u"%SystemRoot%\\EUDC.TTE") + u'\0', false));

  const RegFileValue& default_value = ValueOf(document, eudc, u"");
  EXPECT_EQ(default_value.data, Utf16File(std::u16string(u"say \"hi\"") + u'\0', false));

  EXPECT_EQ(ValueOf(document, eudc, u"count").data, Data({0x2a, 0, 0, 0}));
  EXPECT_EQ(ValueOf(document, eudc, u"count").type, 4u);

  const std::u16string layout = u"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Keyboard Layouts\\E0010404";
  EXPECT_EQ(ValueOf(document, layout, u"layout text").data, Data({0xE8, 0x6C, 0xF3, 0x97, 0, 0}));
  EXPECT_EQ(ValueOf(document, layout, u"Empty").data, Data({0, 0}));
}

TEST(RegFileVersion5, WritesBackByteForByte) {
  const std::vector<std::uint8_t> file = Utf16File(kVersion5Text);
  EXPECT_EQ(WriteRegFile(ReadRegFile(file)), file);
}

TEST(RegFileVersion5, AcceptsUtf8AndKeepsItsByteOrderMark) {
  const std::string utf8 =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"\xe6\xb3\xa8\"=\"\xe9\x9f\xb3\"\r\n\r\n";
  for (const std::string& file : {utf8, "\xEF\xBB\xBF" + utf8}) {
    const RegistryDocument document = ReadRegFile(Bytes(file));
    EXPECT_EQ(ValueOf(document, u"HKEY_CURRENT_USER\\A", u"注").data, Data({0xF3, 0x97, 0, 0}));
    EXPECT_EQ(WriteRegFile(document), Bytes(file));
  }
  EXPECT_THROW(ReadRegFile(Bytes("Windows Registry Editor Version 5.00\r\n\"\xff\"")), RegFileError);
}

// 許 is 0xB3 0x5C in code page 950: its second byte is a backslash and must stay part of it.
constexpr std::string_view kRegedit4Text =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\\xb3\x5c\\Sub]\r\n"
    "\"\xb3\x5c\"=\"\xaa\x60\xad\xb5\xb3\x5c\"\r\n"
    "\"Path\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,41,00\r\n"
    "\"Quote\\\\\\\"\"=\"a\\\\b\\\"c\"\r\n"
    "\"Number\"=dword:ffffffff\r\n"
    "\r\n";

TEST(RegFileRegedit4, ReadsCodePage950TextAsBytes) {
  const RegistryDocument document = ReadRegFile(Bytes(kRegedit4Text));
  EXPECT_EQ(document.Format(), RegFileFormat::kRegedit4);
  ASSERT_EQ(document.Keys().size(), 1u);
  const std::u16string key = u"HKEY_CURRENT_USER\\Software\\\xb3\x5c\\Sub";
  EXPECT_EQ(SplitKeyPath(key, TextKind::kCodePage).size(), 4u);
  EXPECT_EQ(ValueOf(document, key, u"\xb3\x5c").data, Data({0xaa, 0x60, 0xad, 0xb5, 0xb3, 0x5c, 0}));
  EXPECT_EQ(ValueOf(document, key, u"path").type, 2u);
  EXPECT_EQ(ValueOf(document, key, u"Path").data.size(), 15u);
  EXPECT_EQ(ValueOf(document, key, u"Quote\\\"").data, Bytes(std::string_view("a\\b\"c\0", 6)));
  EXPECT_EQ(ValueOf(document, key, u"Number").data, Data({0xff, 0xff, 0xff, 0xff}));
  EXPECT_EQ(document.SubkeyNames(u"HKEY_CURRENT_USER\\Software"), std::vector<std::u16string>{u"\xb3\x5c"});
}

TEST(RegFileRegedit4, WritesBackByteForByte) {
  EXPECT_EQ(WriteRegFile(ReadRegFile(Bytes(kRegedit4Text))), Bytes(kRegedit4Text));
}

TEST(RegFileWriter, WrapsLongHexListsAtEightyColumns) {
  RegistryDocument document(RegFileFormat::kRegedit4);
  RegFileValue value{u"bin", 3, {}};
  for (int i = 0; i < 60; ++i) value.data.push_back(static_cast<std::uint8_t>(i));
  document.SetValue(document.CreateKey(u"HKEY_CURRENT_USER\\B"), value);
  const std::string expected =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\B]\r\n"
      "\"bin\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
      "  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,2f,\\\r\n"
      "  30,31,32,33,34,35,36,37,38,39,3a,3b\r\n\r\n";
  const std::vector<std::uint8_t> written = WriteRegFile(document);
  EXPECT_EQ(std::string(written.begin(), written.end()), expected);
  EXPECT_EQ(ReadRegFile(written).Keys()[0].values[0].data, value.data);
}

TEST(RegFileWriter, ValuesThatAreNoPlainStringsKeepTheirExactBytes) {
  for (const RegFileFormat format : {RegFileFormat::kVersion5Utf16, RegFileFormat::kRegedit4}) {
    RegistryDocument document(format);
    RegFileKey& key = document.CreateKey(u"HKEY_LOCAL_MACHINE\\Odd");
    const std::vector<RegFileValue> values = {
        {u"unterminated", 1, Data({0x41, 0x42})},
        {u"inner zero", 1, Data({0x41, 0, 0x42, 0, 0, 0})},
        {u"line break", 1, Data({0x41, 0, 0x0A, 0, 0, 0})},
        {u"lead byte at the end", 1, Data({0x41, 0xB3, 0})},
        {u"short dword", 4, Data({1, 2, 3})},
        {u"multi", 7, Data({0x61, 0, 0, 0x62, 0, 0, 0, 0})},
        {u"empty binary", 3, {}},
        {u"qword", 0x0b, Data({1, 2, 3, 4, 5, 6, 7, 8})},
        {u"none", 0, Data({9})},
    };
    for (const RegFileValue& value : values) document.SetValue(key, value);
    const std::vector<std::uint8_t> written = WriteRegFile(document);
    const RegistryDocument reread = ReadRegFile(written);
    ASSERT_EQ(reread.Keys().size(), 1u);
    ASSERT_EQ(reread.Keys()[0].values.size(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
      EXPECT_EQ(reread.Keys()[0].values[i].type, values[i].type);
      EXPECT_EQ(reread.Keys()[0].values[i].data, values[i].data);
    }
    EXPECT_EQ(WriteRegFile(reread), written);
  }
  RegistryDocument document(RegFileFormat::kRegedit4);
  document.SetValue(document.CreateKey(u"HKEY_CURRENT_USER\\T"), {u"t", 0x0b, Data({1})});
  const std::vector<std::uint8_t> written = WriteRegFile(document);
  EXPECT_NE(std::string(written.begin(), written.end()).find("\"t\"=hex(b):01\r\n"), std::string::npos);
}

TEST(RegFileReader, AppliesDeletionsAndToleratesLooseSpelling) {
  const std::string text =
      "REGEDIT4\n"
      "; a comment\n"
      "[HKEY_CURRENT_USER\\Keep]\n"
      "  \"a\" = \"1\"\n"
      "\"b\"=DWORD:1f\n"
      "\"c\"=hex:01, 02 ,\\\n"
      "      03\n"
      "\"d\"=\"gone\"\n"
      "\"d\"=-\n"
      "[HKEY_CURRENT_USER\\Drop\\Deeper]\n"
      "\"x\"=\"y\"\n"
      "[-HKEY_CURRENT_USER\\drop]\n"
      "[HKEY_CURRENT_USER\\keep]\n"
      "\"a\"=\"2\"\n";
  const RegistryDocument document = ReadRegFile(Bytes(text));
  ASSERT_EQ(document.Keys().size(), 1u);
  const RegFileKey& key = document.Keys()[0];
  ASSERT_EQ(key.values.size(), 3u);
  EXPECT_EQ(key.values[0].data, Bytes(std::string_view("2\0", 2)));  // replaced in place
  EXPECT_EQ(key.values[1].data, Data({0x1f, 0, 0, 0}));
  EXPECT_EQ(key.values[2].data, Data({1, 2, 3}));
  EXPECT_FALSE(document.KeyExists(u"HKEY_CURRENT_USER\\Drop"));
  const std::string canonical =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Keep]\r\n\"a\"=\"2\"\r\n\"b\"=dword:0000001f\r\n"
      "\"c\"=hex:01,02,03\r\n\r\n";
  const std::vector<std::uint8_t> written = WriteRegFile(document);
  EXPECT_EQ(std::string(written.begin(), written.end()), canonical);
}

TEST(RegFileReader, NamesTheLineOfTheFirstFault) {
  const std::vector<std::pair<std::string, std::size_t>> faults = {
      {"REGEDIT5\r\n", 1},
      {"", 1},
      {"REGEDIT4\r\n\"a\"=\"b\"\r\n", 2},                               // value outside a key
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A\r\n", 2},                     // no ]
      {"REGEDIT4\r\n[]\r\n", 2},                                        // no path
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"b\r\n", 3},       // no closing quote
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"b\\n\"\r\n", 3},  // unknown escape
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"b\" x\r\n", 3},
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\r\n\"a\"=dword:123456789\r\n", 4},
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=dword:xyz\r\n", 3},
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=hex:1,,2\r\n", 3},
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=hex:123\r\n", 3},
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=hex:01,\\\r\n  02 03\r\n", 4},
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=hex:01,\\", 3},
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=hex(2:01\r\n", 3},
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\" \"b\"\r\n", 3},
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"a\"=text\r\n", 3},
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\nstray\r\n", 3},
  };
  for (const auto& [text, line] : faults) {
    try {
      ReadRegFile(Bytes(text));
      ADD_FAILURE() << "accepted: " << text;
    } catch (const RegFileError& error) {
      EXPECT_EQ(error.Line(), line) << text << " -> " << error.what();
    }
  }
  EXPECT_THROW(ReadRegFile(Data({0xFF, 0xFE, 0x57})), RegFileError);  // odd UTF-16 length
}

TEST(RegFileWriter, RefusesNamesItCannotWrite) {
  RegistryDocument document(RegFileFormat::kVersion5Utf16);
  document.SetValue(document.CreateKey(u"HKEY_CURRENT_USER\\A"), {u"two\nlines", 1, Data({0, 0})});
  EXPECT_THROW(WriteRegFile(document), RegFileError);
}

TEST(RegistryDocument, FindsKeysAndValuesWithoutRegardToCase) {
  RegistryDocument document(RegFileFormat::kVersion5Utf16);
  const std::u16string first = u"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Keyboard Layouts\\E0010404";
  document.CreateKey(first);
  document.CreateKey(u"HKEY_LOCAL_MACHINE\\SYSTEM\\currentcontrolset\\control\\keyboard layouts\\e0020404");
  document.CreateKey(u"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Keyboard Layouts\\E0010404\\Deeper");
  document.CreateKey(u"HKEY_LOCAL_MACHINE\\System\\Other");
  RegFileKey& key = *document.FindKey(first);
  document.SetValue(key, {u"Ime File", 1, Data({0x41, 0, 0, 0})});

  EXPECT_EQ(document.Keys().size(), 4u);
  EXPECT_NE(document.FindKey(u"hkey_local_machine\\system\\currentcontrolset\\control\\keyboard layouts\\e0010404"),
            nullptr);
  EXPECT_TRUE(document.KeyExists(u"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet"));  // only implied
  EXPECT_EQ(document.FindKey(u"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet"), nullptr);
  EXPECT_FALSE(document.KeyExists(u"HKEY_LOCAL_MACHINE\\System\\CurrentControl"));
  EXPECT_EQ(document.SubkeyNames(u"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Keyboard Layouts"),
            (std::vector<std::u16string>{u"E0010404", u"e0020404"}));
  EXPECT_EQ(document.SubkeyNames(u"HKEY_LOCAL_MACHINE\\system"),
            (std::vector<std::u16string>{u"CurrentControlSet", u"Other"}));
  EXPECT_NE(document.FindValue(key, u"IME FILE"), nullptr);

  document.SetValue(key, {u"IME FILE", 1, Data({0x42, 0, 0, 0})});
  ASSERT_EQ(key.values.size(), 1u);
  EXPECT_EQ(key.values[0].name, u"Ime File");  // keeps its spelling
  EXPECT_EQ(key.values[0].data, Data({0x42, 0, 0, 0}));
  EXPECT_TRUE(document.DeleteValue(key, u"ime file"));
  EXPECT_FALSE(document.DeleteValue(key, u"ime file"));

  document.DeleteKeyTree(u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet");
  EXPECT_EQ(document.Keys().size(), 1u);
  EXPECT_NE(document.FindKey(u"HKEY_LOCAL_MACHINE\\System\\Other"), nullptr);
}

}  // namespace
}  // namespace pictor::regfile
