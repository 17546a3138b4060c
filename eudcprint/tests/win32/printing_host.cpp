// pictor-printing-host: drives the printing side of the Windows front end as the frame does, for
// the tests and pictures under Wine; built like the program that ships (old Windows).
//
//   install-printer NAME          adds the test printer (see test_printer.h), the default one
//   print FONT FROM-TO OUTPUT [--pages A-B] [--copies N]
//                                 prints the codes FROM-TO of the system default association
//                                 over the EUDC font FONT into OUTPUT through the printing box;
//                                 tells the layout, the pages and the codes without a glyph
//   preview FONT FROM-TO          opens the preview over a frame window and, when it ends, tells
//                                 the pages shown, their description and whether print was asked
//
// Lines are UTF-8; the exit status is 0 on success, 1 on failure, 2 for a wrong command line.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/ascii.h"
#include "core/eudc_association.h"
#include "core/page_layout.h"
#include "core/pictor_document.h"
#include "core/print_range.h"
#include "core/printing_box.h"
#include "tests/win32/test_printer.h"
#include "win32ui/printing/wide_text.h"
#include "win32ui/printing/win32_printing.h"

namespace pictor::win32ui {
namespace {

void Say(const std::string& cp950) {
  const std::wstring wide = Cp950ToWide(cp950);
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr, nullptr);
  std::printf("%s\n", utf8.c_str());
  std::fflush(stdout);
}

std::optional<std::uint16_t> ParseCode(std::string_view text) {
  const auto value = ParseAsciiNumber(text, 16, 4);
  if (!value || !IsEudcCode(static_cast<std::uint16_t>(*value))) return std::nullopt;
  return static_cast<std::uint16_t>(*value);
}

// "A-B" as two numbers of `base`.
std::optional<std::pair<std::uint32_t, std::uint32_t>> ParsePair(std::string_view text, unsigned base) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const auto first = ParseAsciiNumber(text.substr(0, dash), base, 5);
  const auto last = ParseAsciiNumber(text.substr(dash + 1), base, 5);
  if (!first || !last) return std::nullopt;
  return std::pair{*first, *last};
}

// The program's state over the EUDC font, as a confirmed choice of the system default
// association and a From-To range leave it.
struct HostState {
  HostState(const std::string& font_path, std::uint16_t first, std::uint16_t last) {
    association.displayName.Assign(kSystemDefaultName);
    association.font_file_path = font_path;
    association.eudcFilePath.Assign(AsciiUppercase(font_path));
    SetCodeRange(range, first, last);
    document.NameAfterAssociation(association.displayName.View());
  }
  CatalogueState Catalogue() const { return {association, range, input_methods, annotate_flags, *root_tables}; }

  EudcAssociation association;
  PrintRange range;
  InputMethodList input_methods;
  AnnotateFlags annotate_flags{};
  std::unique_ptr<RootTables> root_tables = std::make_unique<RootTables>();
  PictorDocument document;
};

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  return DefWindowProcW(window, message, w_param, l_param);
}

// A frame window captioned as the program's, to own the preview; never shown, so that the preview
// is the only window of the program on the screen.
HWND MakeFrame(const std::string& caption) {
  WNDCLASSEXW frame_class{};
  frame_class.cbSize = sizeof frame_class;
  frame_class.lpfnWndProc = FrameProcedure;
  frame_class.hInstance = GetModuleHandleW(nullptr);
  frame_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  frame_class.lpszClassName = L"PictorPrintingHostFrame";
  RegisterClassExW(&frame_class);
  const HWND frame = CreateWindowExW(0, frame_class.lpszClassName, Cp950ToWide(caption).c_str(), WS_OVERLAPPEDWINDOW, 0,
                                     0, 1000, 800, nullptr, nullptr, frame_class.hInstance, nullptr);
  ShowWindow(frame, SW_SHOW);
  return frame;
}

int Print(const HostState& state, const std::string& output, std::optional<PageSpan> pages, int copies) {
  Win32Printing printing;
  printing.FollowAssociation(state.association);
  PrintTarget& printer = printing.Printer();
  if (!NeedsOutputFile(printer.Destination())) {
    std::fprintf(stderr, "the default printer does not print to a file\n");
    return 1;
  }
  printer.SetOutputFile(output);
  const PageLayout layout = JobLayout(printer, state.Catalogue());
  std::printf("layout: %d %d %d %d %d %d\n", layout.pageWidth, layout.pageHeight, layout.cellWidth, layout.columns,
              layout.rows, FirstColumnLeft(layout));
  const std::string& title = state.document.Title();
  JobResult result;
  {
    const auto box = printing.ShowPrintingBox(DescribePrintingBox(title, printer.Destination()));
    PrintingBoxProgress progress(*box);
    result = RunCatalogueJob(printer, state.Catalogue(), {title, pages, copies}, &progress);
  }
  std::printf("pages: %d\ncodes: %lld\ncodes without a glyph: %lld\n", result.pages,
              static_cast<long long>(result.cells), static_cast<long long>(printing.MissingGlyphs()));
  return result.failure == JobFailure::kNone ? 0 : 1;
}

int Preview(const HostState& state) {
  Win32Printing printing;
  printing.FollowAssociation(state.association);
  const HWND frame = MakeFrame(state.document.Caption());
  printing.SetOwner(frame);
  PreviewModel model(JobLayout(printing.Printer(), state.Catalogue()).pageCount);
  printing.ShowPreview(model, PreviewPages(state.Catalogue(), state.document.Title()));
  const PageSpan shown = model.Shown();
  std::printf("shown: %d-%d\n", shown.first, shown.last);
  Say("description: " + model.Description());
  std::printf("print asked: %s\n", model.PrintRequested() ? "yes" : "no");
  DestroyWindow(frame);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: pictor-printing-host install-printer NAME\n"
               "       pictor-printing-host print FONT FROM-TO OUTPUT [--pages A-B] [--copies N]\n"
               "       pictor-printing-host preview FONT FROM-TO\n");
  return 2;
}

int Run(const std::vector<std::string>& arguments) {
  if (arguments.size() == 2 && arguments[0] == "install-printer") {
    testing::InstallFilePrinter(Cp950ToWide(arguments[1]));
    return 0;
  }
  if (arguments.size() < 3) return Usage();
  const auto range = ParsePair(arguments[2], 16);
  const auto first = range ? ParseCode(arguments[2].substr(0, 4)) : std::nullopt;
  const auto last = range ? ParseCode(arguments[2].substr(arguments[2].find('-') + 1)) : std::nullopt;
  if (!first || !last || *first > *last) return Usage();
  const HostState state(arguments[1], *first, *last);
  if (arguments[0] == "preview" && arguments.size() == 3) return Preview(state);
  if (arguments[0] != "print" || arguments.size() < 4) return Usage();
  std::optional<PageSpan> pages;
  int copies = 1;
  for (std::size_t i = 4; i + 1 < arguments.size(); i += 2) {
    if (arguments[i] == "--pages") {
      const auto span = ParsePair(arguments[i + 1], 10);
      if (!span) return Usage();
      pages = PageSpan{static_cast<std::int32_t>(span->first), static_cast<std::int32_t>(span->second)};
    } else if (arguments[i] == "--copies") {
      const auto number = ParseAsciiNumber(arguments[i + 1], 10, 3);
      if (!number) return Usage();
      copies = static_cast<int>(*number);
    } else {
      return Usage();
    }
  }
  if (arguments.size() % 2 != 0) return Usage();
  return Print(state, arguments[3], pages, copies);
}

}  // namespace
}  // namespace pictor::win32ui

int main(int argc, char** argv) {
  try {
    return pictor::win32ui::Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "pictor-printing-host: %s\n", error.what());
    return 1;
  }
}
