// The registry port over a registry document: held in memory, or kept in a file by a store. With
// a store every read sees the store's latest contents and every change is made to them.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cp950_codec.h"
#include "registry_document.h"
#include "registry_port.h"

namespace pictor::regfile {

class RegistryStore {
 public:
  virtual ~RegistryStore() = default;
  // The latest contents. Throws on failure.
  virtual RegistryDocument Reload() = 0;
  // Applies `change` to the latest contents and keeps the result, with no other writer between
  // the reading and the keeping. The kept contents, or nullopt when `change` refused (nothing is
  // kept then). Throws on failure; what was kept before then stays intact.
  virtual std::optional<RegistryDocument> Update(const std::function<bool(RegistryDocument&)>& change) = 0;
};

class DocumentRegistry : public RegistryPort {
 public:
  // `codec` converts between the port's code page 950 and the texts of UTF-16 documents; choose
  // it for the texts expected (BasicCp950Codec knows only ASCII and the user-defined area).
  // `store`, when given, keeps the contents. Both must outlive the registry and its keys.
  DocumentRegistry(RegistryDocument document, const Cp950Codec& codec, RegistryStore* store = nullptr);
  ~DocumentRegistry() override;

  std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path, RegistryAccess access) override;
  std::unique_ptr<RegistryKey> Create(RegistryRoot root, std::string_view path) override;

  // The contents as last read or changed.
  const RegistryDocument& Document() const { return document_; }
  // Why the last read or change failed, when it failed for another reason than the request.
  const std::string& LastError() const { return last_error_; }

 private:
  friend class DocumentKey;

  // The latest contents (read again from the store, if any); null when they cannot be read.
  const RegistryDocument* Current();
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
  const Cp950Codec& codec_;
  RegistryStore* store_;
  std::string last_error_;
};

}  // namespace pictor::regfile
