#include "print_plan.h"

#include "string_table.h"

namespace pictor {

PrintDialogOffer OfferPrintDialog(std::int32_t pageCount) {
  PrintDialogOffer offer;
  offer.maxPage = pageCount;
  offer.pages = {1, pageCount};
  offer.outputFileName = LoadStringResource(kPrintToFileNameId);
  return offer;
}

std::vector<FileFilter> ParseFileFilters(std::string_view filterString) {
  std::vector<std::string_view> fields;
  while (!filterString.empty()) {
    const std::size_t bar = filterString.find('|');
    fields.push_back(filterString.substr(0, bar));
    if (bar == std::string_view::npos) break;
    filterString.remove_prefix(bar + 1);
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

bool NeedsOutputFile(const PrintDestination& destination) { return destination.toFile && destination.port.empty(); }

}  // namespace pictor
