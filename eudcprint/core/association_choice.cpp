#include "association_choice.h"

#include <vector>

#include "ascii.h"
#include "association_list.h"
#include "cp950_text.h"
#include "string_table.h"

namespace pictor {
namespace {

// "無法還原【" face "】的造字檔關聯設定，下次啟動時將再試一次！"
constexpr std::string_view kRestoreFailedBefore = "\xb5\x4c\xaa\x6b\xc1\xd9\xad\xec\xa1\x69";
constexpr std::string_view kRestoreFailedAfter =
    "\xa1\x6a\xaa\xba\xb3\x79\xa6\x72\xc0\xc9\xc3\xf6\xc1\x70\xb3\x5d\xa9\x77\xa1\x41\xa4\x55\xa6\xb8"
    "\xb1\xd2\xb0\xca\xae\xc9\xb1\x4e\xa6\x41\xb8\xd5\xa4\x40\xa6\xb8\xa1\x49";

std::string_view Caption() { return LoadStringResource(kApplicationTitleId); }

// The platform's EUDC linking is off while the links change, and on again afterwards.
class EudcLinkingOff {
 public:
  explicit EudcLinkingOff(EudcLinkPort& link) : link_(link) { link_.EnableEudc(false); }
  ~EudcLinkingOff() { link_.EnableEudc(true); }
  EudcLinkingOff(const EudcLinkingOff&) = delete;
  EudcLinkingOff& operator=(const EudcLinkingOff&) = delete;

 private:
  EudcLinkPort& link_;
};

bool WriteRestoreRecord(RegistryPort& registry, const RegistryValue& link) {
  const auto record = registry.Create(RegistryRoot::kCurrentUser, kRestoreRecordKey);
  return record != nullptr && record->Set(link);
}

void DeleteRestoreRecord(RegistryPort& registry, std::string_view face_name) {
  if (const auto record = registry.Open(RegistryRoot::kCurrentUser, kRestoreRecordKey, RegistryAccess::kAll)) {
    record->Delete(face_name);
  }
}

std::vector<RegistryValue> RestoreRecords(RegistryPort& registry) {
  std::vector<RegistryValue> records;
  if (const auto record = registry.Open(RegistryRoot::kCurrentUser, kRestoreRecordKey, RegistryAccess::kRead)) {
    for (std::uint32_t i = 0;; ++i) {
      auto value = record->ValueAt(i);
      if (!value) break;
      records.push_back(std::move(*value));
    }
  }
  return records;
}

bool LinkExists(RegistryPort& registry, std::string_view face_name) {
  const auto links = registry.Open(RegistryRoot::kCurrentUser, kEudcLinksKey, RegistryAccess::kRead);
  return links != nullptr && links->Query(face_name).has_value();
}

// Removes DefaultFaceName's own link, once its restore record is written.
void RemoveDefaultLink(ProgramState& state, const PictorPorts& ports) {
  const EudcLinkingOff off(ports.eudc_link);
  const auto links = ports.registry.Open(RegistryRoot::kCurrentUser, kEudcLinksKey, RegistryAccess::kAll);
  if (!links) return;
  const auto link = links->Query(state.default_face_name.View());
  if (!link) return;
  // Without a record the link is not removed: a crash could lose it.
  if (!WriteRestoreRecord(ports.registry, *link)) return;
  if (!links->Delete(link->name)) {
    DeleteRestoreRecord(ports.registry, link->name);
    return;
  }
  state.saved_default_link = {1, link->name, link->data, link->type};
}

// Links that an earlier run removed and did not put back, because it ended without its exit
// steps: put back unless a link of that name exists again.
void RecoverRemovedLinks(ProgramState& state, const PictorPorts& ports) {
  for (RegistryValue& record : RestoreRecords(ports.registry)) {
    if (LinkExists(ports.registry, record.name)) {
      DeleteRestoreRecord(ports.registry, record.name);
      continue;
    }
    state.saved_default_link = {1, record.name, std::move(record.data), record.type};
    RestoreDefaultLink(state, ports);
    if (state.saved_default_link.pending_restore == 1) break;  // owed still; tried again later
  }
}

}  // namespace

std::string RestoreFailedMessage(std::string_view face_name) {
  std::string text(kRestoreFailedBefore);
  text += face_name;
  text += kRestoreFailedAfter;
  return text;
}

void InitEudcSupport(ProgramState& state, const PictorPorts& ports) {
  state.platform_family = ports.family.Family();
  if (ports.eudc_link.Find()) {
    EnumerateInputMethods(state.input_methods, ports.InputMethods(), state.platform_family);
    state.default_face_name.Assign(LoadStringResource(kDefaultFaceNameId));
    state.system_default_name.Assign(LoadStringResource(kSystemDefaultNameId));
  } else {
    ports.messages.Show(kEnableEudcMissing, Caption(), MessageIcon::kNone);
  }
  RecoverRemovedLinks(state, ports);
}

void RestoreDefaultLink(ProgramState& state, const PictorPorts& ports) {
  SavedDefaultLink& saved = state.saved_default_link;
  if (saved.pending_restore != 1) return;
  bool restored = false;
  {
    const EudcLinkingOff off(ports.eudc_link);
    if (const auto links = ports.registry.Open(RegistryRoot::kCurrentUser, kEudcLinksKey, RegistryAccess::kAll)) {
      restored = links->Set({saved.face_name, saved.saved_type, saved.saved_path});
    }
  }
  if (restored) {
    DeleteRestoreRecord(ports.registry, saved.face_name);
    saved = SavedDefaultLink{};
    return;
  }
  if (!state.restore_failure_told) {
    ports.messages.Show(RestoreFailedMessage(saved.face_name), Caption(), MessageIcon::kStop);
    state.restore_failure_told = true;
  }
}

bool ChooseAssociation(ProgramState& state, const PictorPorts& ports, FontSettingDialogPort& dialog) {
  RestoreDefaultLink(state, ports);
  FontSettingModel model;
  if (!model.Open({ports.registry, ports.fonts, ports.windows_directory, ports.messages, state.platform_family})) {
    return false;
  }
  const auto chosen = dialog.Run(model);
  if (!chosen) return false;

  state.current_association = *chosen;
  // Upper-cased for display (its double-byte characters kept whole); the file is opened by
  // fontFilePath, as read.
  state.current_association.eudcFilePath.Assign(Cp950Uppercase(chosen->eudcFilePath.View()));
  state.input_methods.annotate_flags.fill(0);
  state.print_range.printAll = 1;
  if (!state.system_default_name.Empty() &&
      EqualsIgnoringAsciiCase(state.current_association.displayName.View(), state.system_default_name.View())) {
    RemoveDefaultLink(state, ports);
  }
  ResetPrintRange(state.print_range);
  return true;
}

}  // namespace pictor
