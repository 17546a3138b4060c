// What the catalogue pages and the window read of the program's state: the chosen association,
// the print range, the input methods with their annotation flags, and the root tables. The pages
// change none of it.
#pragma once

#include "eudc_association.h"
#include "input_methods.h"
#include "print_range.h"
#include "root_dictionary.h"

namespace pictor {

struct CatalogueState {
  const EudcAssociation& association;
  const PrintRange& range;
  const InputMethodList& input_methods;
  const AnnotateFlags& annotate_flags;
  const RootTables& root_tables;
};

}  // namespace pictor
