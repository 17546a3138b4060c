#pragma once

#include "ports.h"

namespace quillon {

// The file system as a preview sees it: folders are searched for real, but a rename only checks
// that it would be made (no entry of the new name) and then makes it in the preview's view of the
// folder, so that later names in the same folder meet what a real run would have left there.
// The walk, the mapping and the refusals are the engine's own; only the rename is not made.
// A rename the system would refuse for another reason (rights, a read-only disk) shows as made.
class DryRunFileSystem : public FileSystemPort {
 public:
  explicit DryRunFileSystem(FileSystemPort& real) : real_(real) {}
  std::unique_ptr<FolderSearch> OpenFolder(std::u16string_view path) override;

 private:
  FileSystemPort& real_;
};

}  // namespace quillon
