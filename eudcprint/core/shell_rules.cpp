#include "shell_rules.h"

#include "cp950_text.h"
#include "shell_resources.h"
#include "string_table.h"

namespace pictor {

bool IsCommandEnabled(std::uint16_t command, const EudcAssociation& current) {
  switch (command) {
    case ID_PRINT_RANGE:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
      return !current.displayName.Empty();
    case ID_APP_ABOUT:
      return false;
    default:
      return true;
  }
}

std::string DocumentTitleAfterChoice(std::string_view display_name) {
  std::string title(display_name);
  if (display_name == kKaiFaceName) title += kKaiTitleSuffix;
  return std::string(Cp950Prefix(title, kDocumentTitleSize - 1));
}

std::string FrameCaption(std::string_view document_title) {
  std::string caption(document_title);
  caption += " - ";
  caption += LoadStringResource(kApplicationTitleId);
  return caption;
}

}  // namespace pictor
