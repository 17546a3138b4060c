#include "pictor_document.h"

#include "shell_rules.h"
#include "string_table.h"

namespace pictor {

PictorDocument::PictorDocument() { New(); }

std::string PictorDocument::Caption() const { return FrameCaption(title_); }

void PictorDocument::New() { title_ = LoadStringResource(kUntitledDocumentId); }

void PictorDocument::NameAfterAssociation(std::string_view displayName) {
  title_ = DocumentTitleAfterChoice(displayName);
}

void PictorDocument::NameAfterFile(std::string_view fileName) { title_ = fileName; }

}  // namespace pictor
