// The printing tests under Wine need the test printer in their prefix (a private one: see
// printing_wine_test.sh) and a display for their windows.
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include "tests/win32/printing_test_support.h"
#include "tests/win32/test_printer.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  try {
    pictor::win32ui::testing::InstallFilePrinter(pictor::win32ui::testing::kTestPrinterName);
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return RUN_ALL_TESTS();
}
