#include "document_registry.h"

#include <exception>
#include <vector>

namespace pictor::regfile {

class DocumentKey : public RegistryKey {
 public:
  DocumentKey(DocumentRegistry& registry, RegistryRoot root, std::string path, RegistryAccess access)
      : registry_(registry), root_(root), path_(std::move(path)), access_(access) {}

  std::optional<std::string> SubkeyAt(std::uint32_t index) override {
    const RegistryDocument* document = registry_.Current();
    if (document == nullptr) return std::nullopt;
    const std::vector<std::u16string> names = document->SubkeyNames(FullPath(*document));
    if (index >= names.size()) return std::nullopt;
    return registry_.FromDocumentText(names[index], document->Kind());
  }

  std::optional<RegistryValue> ValueAt(std::uint32_t index) override {
    const RegistryDocument* document = registry_.Current();
    if (document == nullptr) return std::nullopt;
    const RegFileKey* key = document->FindKey(FullPath(*document));
    if (key == nullptr || index >= key->values.size()) return std::nullopt;
    return registry_.ToPortValue(key->values[index], document->Kind());
  }

  std::optional<RegistryValue> Query(std::string_view name) override {
    const RegistryDocument* document = registry_.Current();
    if (document == nullptr) return std::nullopt;
    const RegFileKey* key = document->FindKey(FullPath(*document));
    if (key == nullptr) return std::nullopt;
    const RegFileValue* value = document->FindValue(*key, registry_.ToDocumentText(name, document->Kind()));
    if (value == nullptr) return std::nullopt;
    return registry_.ToPortValue(*value, document->Kind());
  }

  bool Set(const RegistryValue& value) override {
    if (access_ != RegistryAccess::kAll) return false;
    return registry_.Change([&](RegistryDocument& document) {
      const TextKind kind = document.Kind();
      document.SetValue(document.CreateKey(FullPath(document)), registry_.ToDocumentValue(value, kind));
      return true;
    });
  }

  bool Delete(std::string_view name) override {
    if (access_ != RegistryAccess::kAll) return false;
    return registry_.Change([&](RegistryDocument& document) {
      RegFileKey* key = document.FindKey(FullPath(document));
      return key != nullptr && document.DeleteValue(*key, registry_.ToDocumentText(name, document.Kind()));
    });
  }

 private:
  std::u16string FullPath(const RegistryDocument& document) const {
    return registry_.FullPath(root_, path_, document.Kind());
  }

  DocumentRegistry& registry_;
  RegistryRoot root_;
  std::string path_;  // code page 950, below the root
  RegistryAccess access_;
};

DocumentRegistry::DocumentRegistry(RegistryDocument document, const Cp950Codec& codec, RegistryStore* store)
    : document_(std::move(document)), codec_(codec), store_(store) {}

DocumentRegistry::~DocumentRegistry() = default;

std::u16string DocumentRegistry::ToDocumentText(std::string_view cp950, TextKind kind) const {
  return kind == TextKind::kCodePage ? WidenBytes(cp950) : codec_.ToUtf16(cp950);
}

std::string DocumentRegistry::FromDocumentText(std::u16string_view text, TextKind kind) const {
  return kind == TextKind::kCodePage ? NarrowUnits(text) : codec_.FromUtf16(text);
}

std::u16string DocumentRegistry::FullPath(RegistryRoot root, std::string_view path, TextKind kind) const {
  std::u16string full = root == RegistryRoot::kCurrentUser ? u"HKEY_CURRENT_USER" : u"HKEY_LOCAL_MACHINE";
  const std::u16string relative = ToDocumentText(path, kind);
  if (!relative.empty()) full += u'\\' + relative;
  return full;
}

namespace {

bool IsStringType(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }

}  // namespace

RegistryValue DocumentRegistry::ToPortValue(const RegFileValue& value, TextKind kind) const {
  RegistryValue result{FromDocumentText(value.name, kind), value.type, {}};
  if (!IsStringType(value.type)) {
    result.data.assign(value.data.begin(), value.data.end());
    return result;
  }
  std::u16string units;
  if (kind == TextKind::kCodePage) {
    units.assign(value.data.begin(), value.data.end());
  } else {
    for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
      units.push_back(static_cast<char16_t>(value.data[i] | (value.data[i + 1] << 8)));
    }
  }
  if (value.type != kRegMultiSz) {
    while (!units.empty() && units.back() == 0) units.pop_back();
  }
  result.data = FromDocumentText(units, kind);
  return result;
}

RegFileValue DocumentRegistry::ToDocumentValue(const RegistryValue& value, TextKind kind) const {
  RegFileValue result{ToDocumentText(value.name, kind), value.type, {}};
  if (!IsStringType(value.type)) {
    result.data.assign(value.data.begin(), value.data.end());
    return result;
  }
  std::u16string units = ToDocumentText(value.data, kind);
  if (value.type != kRegMultiSz) units.push_back(0);
  for (char16_t unit : units) {
    result.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    if (kind == TextKind::kUtf16) {
      result.data.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
  }
  return result;
}

const RegistryDocument* DocumentRegistry::Current() {
  if (store_ == nullptr) return &document_;
  try {
    document_ = store_->Reload();
    return &document_;
  } catch (const std::exception& error) {
    last_error_ = error.what();
    return nullptr;
  }
}

bool DocumentRegistry::Change(const std::function<bool(RegistryDocument&)>& change) {
  try {
    if (store_ == nullptr) {
      RegistryDocument next = document_;
      if (!change(next)) return false;
      document_ = std::move(next);
    } else {
      std::optional<RegistryDocument> kept = store_->Update(change);
      if (!kept) return false;
      document_ = std::move(*kept);
    }
    last_error_.clear();
    return true;
  } catch (const std::exception& error) {
    last_error_ = error.what();
    return false;
  }
}

std::unique_ptr<RegistryKey> DocumentRegistry::Open(RegistryRoot root, std::string_view path, RegistryAccess access) {
  const RegistryDocument* document = Current();
  if (document == nullptr) return nullptr;
  const std::u16string full = FullPath(root, path, document->Kind());
  const bool is_root = SplitKeyPath(full, document->Kind()).size() == 1;
  if (!is_root && !document->KeyExists(full)) return nullptr;
  return std::make_unique<DocumentKey>(*this, root, std::string(path), access);
}

std::unique_ptr<RegistryKey> DocumentRegistry::Create(RegistryRoot root, std::string_view path) {
  bool existed = false;
  const bool created = Change([&](RegistryDocument& document) {
    const std::u16string full = FullPath(root, path, document.Kind());
    existed = document.KeyExists(full);
    if (!existed) document.CreateKey(full);
    return !existed;  // an existing key is not written again
  });
  if (!created && !existed) return nullptr;
  return std::make_unique<DocumentKey>(*this, root, std::string(path), RegistryAccess::kAll);
}

}  // namespace pictor::regfile
