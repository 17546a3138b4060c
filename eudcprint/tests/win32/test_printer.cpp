#include "tests/win32/test_printer.h"

#include <windows.h>
#include <winspool.h>

#include <stdexcept>
#include <vector>

namespace pictor::win32ui::testing {
namespace {

constexpr const wchar_t* kDriverName = L"Pictor Test PostScript";
constexpr const wchar_t* kPpdName = L"pictor-test.ppd";
constexpr const wchar_t* kEnvironment = L"Windows NT x86";

[[noreturn]] void Fail(const std::string& step) {
  throw std::runtime_error("cannot install the test printer: " + step + " (error " + std::to_string(GetLastError()) +
                           ")");
}

// The PPD that winspool.drv carries as resource PPDFILE 1.
std::vector<char> GenericPpd() {
  const HMODULE spooler = LoadLibraryExW(L"winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (spooler == nullptr) Fail("winspool.drv");
  const HRSRC resource = FindResourceW(spooler, MAKEINTRESOURCEW(1), L"PPDFILE");
  const HGLOBAL loaded = resource != nullptr ? LoadResource(spooler, resource) : nullptr;
  const char* bytes = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (bytes == nullptr) Fail("the PPD of winspool.drv");
  std::vector<char> ppd(bytes, bytes + SizeofResource(spooler, resource));
  FreeLibrary(spooler);
  return ppd;
}

void WriteFileOrFail(const std::wstring& path, const std::vector<char>& bytes) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail("writing the PPD");
  DWORD written = 0;
  const BOOL wrote = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (!wrote || written != bytes.size()) Fail("writing the PPD");
}

bool PrinterExists(const std::wstring& name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, nullptr)) return false;
  ClosePrinter(printer);
  return true;
}

}  // namespace

void InstallFilePrinter(const std::wstring& printer_name) {
  if (!PrinterExists(printer_name)) {
    wchar_t folder[MAX_PATH];
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed)) {
      Fail("the driver folder");
    }
    // The spooler looks for a version-3 driver's files in the folder's "3".
    const std::wstring version_folder = std::wstring(folder) + L"\\3";
    CreateDirectoryW(version_folder.c_str(), nullptr);
    WriteFileOrFail(version_folder + L"\\" + kPpdName, GenericPpd());

    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(kDriverName);
    driver.pEnvironment = const_cast<wchar_t*>(kEnvironment);
    driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    driver.pDataFile = const_cast<wchar_t*>(kPpdName);
    driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
      Fail("AddPrinterDriverW");
    }

    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<wchar_t*>(printer_name.c_str());
    info.pPortName = const_cast<wchar_t*>(L"FILE:");
    info.pDriverName = const_cast<wchar_t*>(kDriverName);
    info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    info.pDatatype = const_cast<wchar_t*>(L"RAW");
    const HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (printer == nullptr) Fail("AddPrinterW");
    ClosePrinter(printer);
  }
  if (!SetDefaultPrinterW(printer_name.c_str())) Fail("SetDefaultPrinterW");
}

}  // namespace pictor::win32ui::testing
