#include "print_plan.h"

#include "string_table.h"

namespace pictor {

PrintDialogOffer OfferPrintDialog(std::int32_t page_count) {
  PrintDialogOffer offer;
  offer.max_page = page_count;
  offer.pages = {1, page_count};
  offer.output_file_name = LoadStringResource(kPrintToFileNameId);
  return offer;
}

std::vector<FileFilter> ParseFileFilters(std::string_view filter_string) {
  std::vector<std::string_view> fields;
  while (!filter_string.empty()) {
    const std::size_t bar = filter_string.find('|');
    fields.push_back(filter_string.substr(0, bar));
    if (bar == std::string_view::npos) break;
    filter_string.remove_prefix(bar + 1);
  }
  std::vector<FileFilter> filters;
  for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
    if (fields[i].empty()) break;  // "||" ends the list
    filters.push_back({std::string(fields[i]), std::string(fields[i + 1])});
  }
  return filters;
}

FileDialogTexts PrintToFileDialog() {
  return {LoadStringResource(kPrintToFileCaptionId), std::string(LoadStringResource(kPrintToFileNameId)),
          LoadStringResource(kPrintToFileExtensionId), ParseFileFilters(LoadStringResource(kPrintToFileFilterId))};
}

bool NeedsOutputFile(const PrintDestination& destination) { return destination.to_file && destination.port.empty(); }

}  // namespace pictor
