#include "document_registry.h"

#include <exception>
#include <vector>

namespace pictor::regfile {

class DocumentKey : public RegistryKey {
public:
    DocumentKey(DocumentRegistry& registry, RegistryRoot root, std::string path,
                RegistryAccess access)
        : registry_(registry), root_(root), path_(std::move(path)), access_(access) {}

    std::optional<std::string> SubkeyAt(std::uint32_t index) override {
        if (!subkeys_ || subkeysGeneration_ != registry_.generation_) {
            subkeys_ = Document().SubkeyNames(FullPath());
            subkeysGeneration_ = registry_.generation_;
        }
        if (index >= subkeys_->size()) return std::nullopt;
        return registry_.FromDocumentText((*subkeys_)[index], Document().Kind());
    }

    std::optional<RegistryValue> ValueAt(std::uint32_t index) override {
        const RegFileKey* key = Document().FindKey(FullPath());
        if (key == nullptr || index >= key->values.size()) return std::nullopt;
        return registry_.ToPortValue(key->values[index], Document().Kind());
    }

    std::optional<RegistryValue> Query(std::string_view name) override {
        const RegFileKey* key = Document().FindKey(FullPath());
        if (key == nullptr) return std::nullopt;
        const RegFileValue* value =
            Document().FindValue(*key, registry_.ToDocumentText(name, Document().Kind()));
        if (value == nullptr) return std::nullopt;
        return registry_.ToPortValue(*value, Document().Kind());
    }

    bool Set(const RegistryValue& value) override {
        if (access_ != RegistryAccess::All) return false;
        return registry_.Change([&](RegistryDocument& document) {
            const TextKind kind = document.Kind();
            document.SetValue(document.CreateKey(registry_.FullPath(root_, path_, kind)),
                              registry_.ToDocumentValue(value, kind));
            return true;
        });
    }

    bool Delete(std::string_view name) override {
        if (access_ != RegistryAccess::All) return false;
        return registry_.Change([&](RegistryDocument& document) {
            const TextKind kind = document.Kind();
            RegFileKey* key = document.FindKey(registry_.FullPath(root_, path_, kind));
            return key != nullptr &&
                   document.DeleteValue(*key, registry_.ToDocumentText(name, kind));
        });
    }

private:
    const RegistryDocument& Document() const { return registry_.document_; }
    std::u16string FullPath() const {
        return registry_.FullPath(root_, path_, Document().Kind());
    }

    DocumentRegistry& registry_;
    RegistryRoot root_;
    std::string path_;  // code page 950, below the root
    RegistryAccess access_;
    std::optional<std::vector<std::u16string>> subkeys_;
    std::uint64_t subkeysGeneration_ = 0;
};

DocumentRegistry::DocumentRegistry(RegistryDocument document, const Cp950Codec* codec,
                                   RegistryStore* store)
    : document_(std::move(document)), codec_(codec), store_(store) {
    if (codec_ == nullptr) {
        ownCodec_ = std::make_unique<BasicCp950Codec>();
        codec_ = ownCodec_.get();
    }
}

DocumentRegistry::~DocumentRegistry() = default;

std::u16string DocumentRegistry::ToDocumentText(std::string_view cp950, TextKind kind) const {
    return kind == TextKind::CodePage ? WidenBytes(cp950) : codec_->ToUtf16(cp950);
}

std::string DocumentRegistry::FromDocumentText(std::u16string_view text, TextKind kind) const {
    return kind == TextKind::CodePage ? NarrowUnits(text) : codec_->FromUtf16(text);
}

std::u16string DocumentRegistry::FullPath(RegistryRoot root, std::string_view path,
                                          TextKind kind) const {
    std::u16string full =
        root == RegistryRoot::CurrentUser ? u"HKEY_CURRENT_USER" : u"HKEY_LOCAL_MACHINE";
    const std::u16string relative = ToDocumentText(path, kind);
    if (!relative.empty()) full += u'\\' + relative;
    return full;
}

namespace {

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

}  // namespace

RegistryValue DocumentRegistry::ToPortValue(const RegFileValue& value, TextKind kind) const {
    RegistryValue result{FromDocumentText(value.name, kind), value.type, {}};
    if (!IsStringType(value.type)) {
        result.data.assign(value.data.begin(), value.data.end());
        return result;
    }
    std::u16string units;
    if (kind == TextKind::CodePage) {
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
        if (kind == TextKind::Utf16) {
            result.data.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
    }
    return result;
}

bool DocumentRegistry::Change(const std::function<bool(RegistryDocument&)>& change) {
    try {
        RegistryDocument next = store_ != nullptr ? store_->Reload() : document_;
        if (!change(next)) return false;
        if (store_ != nullptr) store_->Save(next);
        document_ = std::move(next);
        ++generation_;
        lastError_.clear();
        return true;
    } catch (const std::exception& error) {
        lastError_ = error.what();
        return false;
    }
}

std::unique_ptr<RegistryKey> DocumentRegistry::Open(RegistryRoot root, std::string_view path,
                                                    RegistryAccess access) {
    const std::u16string full = FullPath(root, path, document_.Kind());
    const bool isRoot = SplitKeyPath(full, document_.Kind()).size() == 1;
    if (!isRoot && !document_.KeyExists(full)) return nullptr;
    return std::make_unique<DocumentKey>(*this, root, std::string(path), access);
}

std::unique_ptr<RegistryKey> DocumentRegistry::Create(RegistryRoot root, std::string_view path) {
    if (!document_.KeyExists(FullPath(root, path, document_.Kind()))) {
        const bool created = Change([&](RegistryDocument& document) {
            document.CreateKey(FullPath(root, path, document.Kind()));
            return true;
        });
        if (!created) return nullptr;
    }
    return std::make_unique<DocumentKey>(*this, root, std::string(path), RegistryAccess::All);
}

}  // namespace pictor::regfile
