// Every file pictor-mkresources writes into resources/: the script and its header, the list's two
// bitmaps and the program's icon (from the XPM pictures beside them) and the manifest that asks
// for the common controls of version 6.
#pragma once

#include <string>
#include <vector>

#include "tools/resource_script.h"

namespace pictor::resources {

struct GeneratedFile {
  std::string name;  // in resources/
  std::string bytes;
};

// The application manifest: the program's identity and the common controls of version 6, whose
// owner-drawn lists and buttons draw in the system's current look.
std::string ProgramManifest();

// The files in the order they are written; throws std::invalid_argument when a picture cannot be
// turned into its Windows form.
std::vector<GeneratedFile> PictorResourceFiles(const ToUtf8& to_utf8);

}  // namespace pictor::resources
