#include "printing_box.h"

#include <cstdio>

#include "string_table.h"

namespace pictor {

PrintingBoxTexts DescribePrintingBox(std::string_view documentName, const PrintDestination& destination) {
  std::string portLine(LoadStringResource(destination.toFile ? kPrintingToFileId : kPrintingPortId));
  const std::size_t at = portLine.find("%1");
  if (at != std::string::npos) portLine.replace(at, 2, destination.port);
  return {std::string(documentName), destination.printerName, portLine};
}

std::string PrintingPageLine(std::uint32_t page) {
  char line[64];
  std::snprintf(line, sizeof line, LoadStringResource(kPrintingPageId).data(), static_cast<unsigned>(page));
  return line;
}

bool PrintingBoxProgress::StartingPage(const JobPage& page) {
  return box_.ShowPageLine(PrintingPageLine(static_cast<std::uint32_t>(page.page)));
}

}  // namespace pictor
