#include "pictor_document.h"

#include "shell_rules.h"
#include "string_table.h"

namespace pictor {

PictorDocument::PictorDocument() { New(); }

std::string PictorDocument::Caption() const { return FrameCaption(title_); }

void PictorDocument::New() { title_ = LoadStringResource(kUntitledDocumentId); }

void PictorDocument::NameAfterAssociation(std::string_view display_name) {
  title_ = DocumentTitleAfterChoice(display_name);
}

void PictorDocument::NameAfterFile(std::string_view file_name) { title_ = file_name; }

}  // namespace pictor
