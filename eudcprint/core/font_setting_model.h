// The font-setting dialog (設定字形, dialog 130) without its window: what it lists when it opens,
// which item is selected, and what OK answers.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "eudc_association.h"
#include "platform_ports.h"
#include "registry_port.h"

namespace pictor {

struct FontSettingContext {
  RegistryPort& registry;
  FontListPort& fonts;
  WindowsDirectoryPort& windows_directory;
  MessagePort& messages;
  PlatformFamily family;
};

class FontSettingModel {
 public:
  // Lists the associations and selects the first. When there is none, tells the user
  // (沒有任何造字檔關聯設定！) and answers false: the dialog then ends as Cancel.
  bool Open(const FontSettingContext& context);

  const std::vector<EudcAssociation>& Associations() const { return associations_; }
  std::optional<std::size_t> Selection() const { return selection_; }
  // Selects another item. As a list box of the platform, the list keeps its selection: nothing
  // (a click on the list's blank part) or an index past the list leaves the selected item so.
  void Select(std::optional<std::size_t> index);

  // OK: the selected association; nullopt only when the list is empty.
  std::optional<EudcAssociation> Accept() const;

 private:
  std::vector<EudcAssociation> associations_;
  std::optional<std::size_t> selection_;
};

// Shows the dialog over an opened model; the chosen association, or nullopt for Cancel.
class FontSettingDialogPort {
 public:
  virtual ~FontSettingDialogPort() = default;
  virtual std::optional<EudcAssociation> Run(FontSettingModel& model) = 0;
};

}  // namespace pictor
