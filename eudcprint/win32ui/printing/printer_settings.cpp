#include "win32ui/printing/printer_settings.h"

#include <commdlg.h>

#include <cmath>

#include "win32ui/printing/page_recorder.h"

namespace pictor::win32ui {
namespace {

std::wstring NameAt(HGLOBAL names, WORD DEVNAMES::*offset) {
  if (names == nullptr) return {};
  const LockedGlobal<DEVNAMES> locked(names);
  if (locked.Get() == nullptr) return {};
  return reinterpret_cast<const wchar_t*>(locked.Get()) + locked.Get()->*offset;
}

std::int32_t PixelsToTenths(int pixels, int dots_per_inch) {
  return dots_per_inch > 0 ? static_cast<std::int32_t>(std::lround(pixels * 254.0 / dots_per_inch)) : 0;
}

}  // namespace

bool PrinterSettings::EnsurePrinter(bool tell) {
  if (dev_names_ != nullptr) return true;
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.Flags = PD_RETURNDEFAULT | (tell ? 0 : PD_NOWARNING);
  if (!PrintDlgW(&dialog)) return false;
  Take(dialog.hDevMode, dialog.hDevNames);
  return dev_names_ != nullptr;
}

void PrinterSettings::Take(HGLOBAL dev_mode, HGLOBAL dev_names) {
  if (dev_mode != dev_mode_.get()) dev_mode_.reset(dev_mode);
  if (dev_names != dev_names_.get()) dev_names_.reset(dev_names);
}

std::wstring PrinterSettings::DeviceName() const { return NameAt(dev_names_.get(), &DEVNAMES::wDeviceOffset); }

std::wstring PrinterSettings::PortName() const { return NameAt(dev_names_.get(), &DEVNAMES::wOutputOffset); }

DeviceContext PrinterSettings::CreateContext(bool information_only) const {
  if (dev_names_ == nullptr) return nullptr;
  const std::wstring driver = NameAt(dev_names_.get(), &DEVNAMES::wDriverOffset);
  const std::wstring device = DeviceName();
  const std::wstring port = PortName();
  const LockedGlobal<DEVMODEW> mode(dev_mode_.get());
  DEVMODEW* settings = mode.Get();
  if (settings != nullptr) {
    // The job prints each copy itself.
    settings->dmCopies = 1;
    settings->dmCollate = DMCOLLATE_FALSE;
  }
  const auto create = information_only ? CreateICW : CreateDCW;
  return DeviceContext(create(driver.c_str(), device.c_str(), port.c_str(), settings));
}

PrintableArea PrinterSettings::Area() {
  EnsurePrinter(false);
  const DeviceContext printer = CreateContext(true);
  return printer != nullptr ? PrintableAreaOf(printer.get()) : PrintableArea{};
}

PaperGeometry PrinterSettings::Paper() {
  EnsurePrinter(false);
  const DeviceContext printer = CreateContext(true);
  if (printer == nullptr) return {};
  const HDC dc = printer.get();
  PaperGeometry paper;
  paper.area = PrintableAreaOf(dc);
  const int x_dpi = GetDeviceCaps(dc, LOGPIXELSX);
  const int y_dpi = GetDeviceCaps(dc, LOGPIXELSY);
  paper.paper = {PixelsToTenths(GetDeviceCaps(dc, PHYSICALWIDTH), x_dpi),
                 PixelsToTenths(GetDeviceCaps(dc, PHYSICALHEIGHT), y_dpi)};
  paper.area_left = PixelsToTenths(GetDeviceCaps(dc, PHYSICALOFFSETX), x_dpi);
  paper.area_top = PixelsToTenths(GetDeviceCaps(dc, PHYSICALOFFSETY), y_dpi);
  if (paper.paper.width < paper.area_left + paper.area.width ||
      paper.paper.height < paper.area_top + paper.area.height) {
    paper = {paper.area, paper.area, 0, 0};
  }
  return paper;
}

}  // namespace pictor::win32ui
