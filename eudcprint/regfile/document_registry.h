// The registry port over a registry document: held in memory, or kept in a file by a store that
// rereads the file before each change and writes it back after.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "cp950_codec.h"
#include "registry_document.h"
#include "registry_port.h"

namespace pictor::regfile {

class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    // The latest contents, read again before a change. Throws on failure.
    virtual RegistryDocument Reload() = 0;
    // Keeps the changed contents. Throws on failure; what was kept before must then stay intact.
    virtual void Save(const RegistryDocument& document) = 0;
};

class DocumentRegistry : public RegistryPort {
public:
    // `codec` converts the texts of UTF-16 documents; null means BasicCp950Codec. `store`, when
    // given, keeps every change; both must outlive the registry and its keys.
    explicit DocumentRegistry(RegistryDocument document, const Cp950Codec* codec = nullptr,
                              RegistryStore* store = nullptr);
    ~DocumentRegistry() override;

    std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path,
                                      RegistryAccess access) override;
    std::unique_ptr<RegistryKey> Create(RegistryRoot root, std::string_view path) override;

    const RegistryDocument& Document() const { return document_; }
    // Why the last change failed, when it failed for another reason than the request itself.
    const std::string& LastError() const { return lastError_; }

private:
    friend class DocumentKey;

    // Conversions for texts of documents of that kind (a store may reread a file that another
    // program rewrote in the other form).
    std::u16string ToDocumentText(std::string_view cp950, TextKind kind) const;
    std::string FromDocumentText(std::u16string_view text, TextKind kind) const;
    std::u16string FullPath(RegistryRoot root, std::string_view path, TextKind kind) const;
    RegistryValue ToPortValue(const RegFileValue& value, TextKind kind) const;
    RegFileValue ToDocumentValue(const RegistryValue& value, TextKind kind) const;
    // Applies a change to the latest contents and keeps it; false when `change` refuses or
    // keeping fails (the contents then stay as they were).
    bool Change(const std::function<bool(RegistryDocument&)>& change);

    RegistryDocument document_;
    std::unique_ptr<BasicCp950Codec> ownCodec_;
    const Cp950Codec* codec_;
    RegistryStore* store_;
    std::uint64_t generation_ = 0;  // counts changes, so that open keys notice them
    std::string lastError_;
};

}  // namespace pictor::regfile
