#include "printing_box.h"

#include <cstdio>

#include "string_table.h"

namespace pictor {

PrintingBoxTexts DescribePrintingBox(std::string_view document_name, const PrintDestination& destination) {
  std::string port_line(LoadStringResource(destination.to_file ? kPrintingToFileId : kPrintingPortId));
  const std::size_t at = port_line.find("%1");
  if (at != std::string::npos) port_line.replace(at, 2, destination.port);
  return {std::string(document_name), destination.printer_name, port_line};
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
