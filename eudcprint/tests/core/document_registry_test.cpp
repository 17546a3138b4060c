#include "core/document_registry.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <type_traits>

#include "core/reg_file.h"
#include "tests/support/memory_registry.h"

namespace pictor::regfile {
namespace {

std::vector<std::uint8_t> Data(std::initializer_list<int> bytes) {
  std::vector<std::uint8_t> data;
  for (int b : bytes) data.push_back(static_cast<std::uint8_t>(b));
  return data;
}

std::vector<std::string> Subkeys(RegistryKey& key) {
  std::vector<std::string> names;
  for (std::uint32_t i = 0;; ++i) {
    auto name = key.SubkeyAt(i);
    if (!name) break;
    names.push_back(*name);
  }
  return names;
}

TEST(DocumentRegistry, OpensExistingKeysOnly) {
  testing::MemoryRegistry registry;
  EXPECT_EQ(registry.Open(RegistryRoot::kCurrentUser, "Software\\A", RegistryAccess::kRead), nullptr);
  ASSERT_NE(registry.Create(RegistryRoot::kCurrentUser, "Software\\A\\B"), nullptr);
  EXPECT_NE(registry.Open(RegistryRoot::kCurrentUser, "software\\a", RegistryAccess::kRead), nullptr);
  EXPECT_NE(registry.Open(RegistryRoot::kCurrentUser, "", RegistryAccess::kRead), nullptr);
  EXPECT_NE(registry.Open(RegistryRoot::kLocalMachine, "", RegistryAccess::kRead), nullptr);
  EXPECT_EQ(registry.Open(RegistryRoot::kLocalMachine, "Software\\A", RegistryAccess::kRead), nullptr);
  // Only the key asked for is written to the file.
  ASSERT_EQ(registry.Document().Keys().size(), 1u);
  EXPECT_EQ(registry.Document().Keys()[0].path, u"HKEY_CURRENT_USER\\Software\\A\\B");
}

TEST(DocumentRegistry, EnumeratesQueriesWritesAndDeletes) {
  testing::MemoryRegistry registry;
  auto key = registry.Create(RegistryRoot::kLocalMachine, "Keys");
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(key->Set({"Text", kRegSz, "\xaa\x60\xad\xb5"}));
  EXPECT_TRUE(key->Set({"Number", kRegDword, std::string("\x2a\0\0\0", 4)}));
  EXPECT_TRUE(key->Set({"", kRegExpandSz, "%SystemRoot%"}));
  EXPECT_TRUE(key->Set({"text", kRegSz, "replaced"}));

  const RegFileKey& stored = registry.Document().Keys()[0];
  ASSERT_EQ(stored.values.size(), 3u);
  EXPECT_EQ(stored.values[0].data, Data({'r', 'e', 'p', 'l', 'a', 'c', 'e', 'd', 0}));

  const auto first = key->ValueAt(0);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->name, "Text");
  EXPECT_EQ(first->type, kRegSz);
  EXPECT_EQ(first->data, "replaced");
  EXPECT_EQ(key->ValueAt(1)->data, std::string("\x2a\0\0\0", 4));
  EXPECT_EQ(key->ValueAt(2)->name, "");
  EXPECT_FALSE(key->ValueAt(3));
  EXPECT_EQ(key->Query("NUMBER")->type, kRegDword);
  EXPECT_FALSE(key->Query("missing"));

  EXPECT_TRUE(key->Delete("number"));
  EXPECT_FALSE(key->Delete("number"));
  EXPECT_FALSE(key->Query("Number"));
}

TEST(DocumentRegistry, KeysOpenedForReadingRefuseChanges) {
  testing::MemoryRegistry registry;
  ASSERT_TRUE(registry.Create(RegistryRoot::kCurrentUser, "EUDC\\950")->Set({"a", kRegSz, "b"}));
  auto key = registry.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kRead);
  EXPECT_FALSE(key->Set({"a", kRegSz, "c"}));
  EXPECT_FALSE(key->Delete("a"));
  EXPECT_EQ(key->Query("a")->data, "b");
  auto writable = registry.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kAll);
  EXPECT_TRUE(writable->Delete("a"));
}

TEST(DocumentRegistry, EnumerationSeesChangesMadeMeanwhile) {
  testing::MemoryRegistry registry;
  registry.Create(RegistryRoot::kLocalMachine, "Layouts\\E0010404");
  auto layouts = registry.Open(RegistryRoot::kLocalMachine, "Layouts", RegistryAccess::kRead);
  EXPECT_EQ(Subkeys(*layouts), std::vector<std::string>{"E0010404"});
  registry.Create(RegistryRoot::kLocalMachine, "Layouts\\E0020404\\Deeper");
  EXPECT_EQ(Subkeys(*layouts), (std::vector<std::string>{"E0010404", "E0020404"}));
}

TEST(DocumentRegistry, Version5DocumentsHoldTextsAsUtf16) {
  testing::MemoryRegistry registry(RegFileFormat::kVersion5Utf16);
  auto key = registry.Create(RegistryRoot::kCurrentUser, "EUDC\\950");
  // A user-defined character (0xFA40, U+E000) in a name, and a list of two texts.
  ASSERT_TRUE(key->Set({"\xfa\x40", kRegSz, "C:\\A"}));
  ASSERT_TRUE(key->Set({"multi", kRegMultiSz, std::string("a\0b\0\0", 5)}));
  const RegFileKey& stored = registry.Document().Keys()[0];
  EXPECT_EQ(stored.values[0].name, u"\uE000");
  EXPECT_EQ(stored.values[0].data, Data({'C', 0, ':', 0, '\\', 0, 'A', 0, 0, 0}));
  EXPECT_EQ(stored.values[1].data, Data({'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}));
  EXPECT_EQ(key->Query("\xfa\x40")->data, "C:\\A");
  EXPECT_EQ(key->Query("multi")->data, std::string("a\0b\0\0", 5));
  // Characters the basic conversion does not know read as "?".
  RegistryDocument document(RegFileFormat::kVersion5Utf16);
  document.SetValue(document.CreateKey(u"HKEY_CURRENT_USER\\X"), {u"n", 1, Data({0xE8, 0x6C, 0, 0})});
  testing::MemoryRegistry other(std::move(document));
  EXPECT_EQ(other.Open(RegistryRoot::kCurrentUser, "X", RegistryAccess::kRead)->Query("n")->data, "?");
}

class FakeStore : public RegistryStore {
 public:
  RegistryDocument Reload() override {
    if (fail_reloads) throw std::runtime_error("unreadable");
    ++reloads;
    return on_disk;
  }
  std::optional<RegistryDocument> Update(const std::function<bool(RegistryDocument&)>& change) override {
    RegistryDocument next = Reload();
    if (!change(next)) return std::nullopt;
    if (fail_saves) throw std::runtime_error("disk full");
    on_disk = next;
    ++saves;
    return next;
  }
  RegistryDocument on_disk{RegFileFormat::kRegedit4};
  bool fail_saves = false;
  bool fail_reloads = false;
  int reloads = 0;
  int saves = 0;
};

TEST(DocumentRegistry, ChangesGoThroughTheStoreOnTopOfItsLatestContents) {
  FakeStore store;
  DocumentRegistry registry{store.Reload(), testing::TestCodec(), &store};
  auto key = registry.Create(RegistryRoot::kCurrentUser, "EUDC\\950");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(store.saves, 1);
  ASSERT_NE(registry.Create(RegistryRoot::kCurrentUser, "EUDC\\950"), nullptr);
  EXPECT_EQ(store.saves, 1);  // an existing key is not written again

  // Another program adds a value to the file; our change keeps it.
  store.on_disk.SetValue(*store.on_disk.FindKey(u"HKEY_CURRENT_USER\\EUDC\\950"), {u"theirs", 1, Data({'t', 0})});
  ASSERT_TRUE(key->Set({"ours", kRegSz, "o"}));
  EXPECT_EQ(store.on_disk.Keys()[0].values.size(), 2u);
  EXPECT_EQ(key->Query("theirs")->data, "t");

  store.fail_saves = true;
  EXPECT_FALSE(key->Set({"ours", kRegSz, "lost"}));
  EXPECT_EQ(registry.LastError(), "disk full");
  EXPECT_EQ(key->Query("ours")->data, "o");
  EXPECT_FALSE(key->Delete("ours"));
  EXPECT_EQ(registry.Create(RegistryRoot::kCurrentUser, "New"), nullptr);
  EXPECT_EQ(key->Query("ours")->data, "o");
}

TEST(DocumentRegistry, EveryReadSeesTheStoresLatestContents) {
  FakeStore store;
  DocumentRegistry registry{store.Reload(), testing::TestCodec(), &store};
  auto key = registry.Create(RegistryRoot::kCurrentUser, "EUDC\\950");
  ASSERT_TRUE(key->Set({"link", kRegSz, "old"}));
  RegFileKey& stored = *store.on_disk.FindKey(u"HKEY_CURRENT_USER\\EUDC\\950");

  // Another program changes the value, then adds a key and removes ours.
  store.on_disk.SetValue(stored, {u"link", 1, Data({'n', 'e', 'w', 0})});
  EXPECT_EQ(key->Query("link")->data, "new");
  EXPECT_EQ(key->ValueAt(0)->data, "new");
  store.on_disk.CreateKey(u"HKEY_CURRENT_USER\\EUDC\\936");
  auto eudc = registry.Open(RegistryRoot::kCurrentUser, "EUDC", RegistryAccess::kRead);
  ASSERT_NE(eudc, nullptr);
  EXPECT_EQ(eudc->SubkeyAt(1), "936");
  store.on_disk.DeleteKeyTree(u"HKEY_CURRENT_USER\\EUDC\\950");
  EXPECT_FALSE(key->Query("link"));
  EXPECT_EQ(registry.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kRead), nullptr);

  // A store that cannot be read answers nothing, and says why.
  store.fail_reloads = true;
  EXPECT_EQ(registry.Open(RegistryRoot::kCurrentUser, "EUDC", RegistryAccess::kRead), nullptr);
  EXPECT_FALSE(eudc->SubkeyAt(0));
  EXPECT_EQ(registry.LastError(), "unreadable");
}

// Converting names needs a codec chosen for the texts expected: none that loses characters is
// taken for granted.
static_assert(!std::is_constructible_v<DocumentRegistry, RegistryDocument>);
static_assert(!std::is_constructible_v<DocumentRegistry, RegistryDocument, std::nullptr_t>);

}  // namespace
}  // namespace pictor::regfile
