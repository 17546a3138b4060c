#include "font_setting_model.h"

#include "association_list.h"
#include "string_table.h"

namespace pictor {

bool FontSettingModel::Open(const FontSettingContext& context) {
  const std::vector<FontFace> faces = context.fonts.InstalledFaces();
  const std::vector<FaceName> names = FontNameList(faces);
  associations_ = ListAssociations(context.registry, names, context.family, context.windows_directory);
  if (associations_.empty()) {
    selection_.reset();
    context.messages.Show(LoadStringResource(kNoAssociationId), LoadStringResource(kApplicationTitleId),
                          MessageIcon::kStop);
    return false;
  }
  selection_ = 0;
  return true;
}

void FontSettingModel::Select(std::optional<std::size_t> index) {
  if (index && *index < associations_.size()) selection_ = index;
}

std::optional<EudcAssociation> FontSettingModel::Accept() const {
  if (!selection_) return std::nullopt;
  return associations_[*selection_];
}

}  // namespace pictor
