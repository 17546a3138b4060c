// A printer for tests under Wine, whose fresh prefixes have none: Wine's own PostScript driver
// with the PPD that winspool.drv carries, on the port FILE:, made the default printer. A job that
// names its output file writes PostScript there and asks nothing.
#pragma once

#include <string>

namespace pictor::win32ui::testing {

// Adds the printer (and its driver, once) and makes it the default; throws std::runtime_error
// naming the step that failed. Adding it again only makes it the default.
void InstallFilePrinter(const std::wstring& printer_name);

}  // namespace pictor::win32ui::testing
