// A registry held in memory for tests.
#pragma once

#include "core/cp950_codec.h"
#include "core/document_registry.h"

namespace pictor::testing {

// The conversion for test documents, which hold ASCII and user-defined characters only.
inline const regfile::Cp950Codec& TestCodec() {
  static const regfile::BasicCp950Codec kCodec;
  return kCodec;
}

// A REGEDIT4 document by default: its texts are code page 950 bytes, converted by nothing.
class MemoryRegistry : public regfile::DocumentRegistry {
 public:
  explicit MemoryRegistry(regfile::RegFileFormat format = regfile::RegFileFormat::kRegedit4)
      : DocumentRegistry(regfile::RegistryDocument(format), TestCodec()) {}
  explicit MemoryRegistry(regfile::RegistryDocument document) : DocumentRegistry(std::move(document), TestCodec()) {}
};

}  // namespace pictor::testing
