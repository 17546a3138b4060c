#include "win32ui/printing/win32_print_target.h"

#include "win32ui/printing/printing_box_window.h"
#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui {
namespace {

// The port of a printer whose output the spooler would ask a file for.
constexpr const wchar_t* kFilePort = L"FILE:";

// Whether a file can be made there: the spooler writes it only when the document ends, and does
// not say when it cannot.
bool CanWrite(const std::wstring& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace

Win32PrintTarget::Win32PrintTarget(PrinterSettings& printer, std::function<std::wstring()> eudc_font_file)
    : printer_(printer), eudc_font_file_(std::move(eudc_font_file)) {}

Win32PrintTarget::~Win32PrintTarget() { Abort(); }

bool Win32PrintTarget::ToFile() const {
  return print_to_file_ || lstrcmpiW(printer_.PortName().c_str(), kFilePort) == 0;
}

PrintDestination Win32PrintTarget::Destination() {
  printer_.EnsurePrinter(false);
  PrintDestination destination;
  destination.printer_name = WideToCp950(printer_.DeviceName());
  destination.to_file = ToFile();
  destination.port = WideToCp950(destination.to_file ? output_file_ : printer_.PortName());
  return destination;
}

void Win32PrintTarget::SetOutputFile(std::string_view path) { output_file_ = Cp950ToWide(path); }

void Win32PrintTarget::PrintToFile(bool to_file) {
  print_to_file_ = to_file;
  output_file_.clear();
}

bool Win32PrintTarget::BeginDocument(std::string_view title) {
  ReleaseJob();
  missing_glyphs_ = 0;
  printer_.EnsurePrinter(false);
  // Without a file named, the platform would ask for one in a prompt of its own.
  if (ToFile() && (output_file_.empty() || !CanWrite(output_file_))) return false;
  dc_ = printer_.CreateContext(false);
  if (dc_ == nullptr) return false;
  // Loaded before the pages create any font of the file's family.
  eudc_ = std::make_unique<PrivateFontFile>(eudc_font_file_ ? eudc_font_file_() : std::wstring());
  SetAbortProc(dc_.get(), PrintingBoxWindow::AbortProcedure);
  const std::wstring name = Cp950ToWide(title);
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = name.c_str();
  // Named, the file is written without the platform's own prompt.
  document.lpszOutput = ToFile() ? output_file_.c_str() : nullptr;
  if (StartDocW(dc_.get(), &document) <= 0) {
    ReleaseJob();
    return false;
  }
  recorder_.emplace(dc_.get(), PrintableAreaOf(dc_.get()), eudc_.get());
  return true;
}

PageCanvas* Win32PrintTarget::BeginPage() { return recorder_ ? recorder_->Begin() : nullptr; }

bool Win32PrintTarget::EndPage() {
  if (!recorder_) return false;
  const EnhancedMetafile page = recorder_->Finish();
  if (page == nullptr || StartPage(dc_.get()) <= 0) return false;
  const HDC dc = dc_.get();
  const bool played = PlayPage(dc, page.get(), AreaInPixels(dc, PrintableAreaOf(dc)));
  return ::EndPage(dc) > 0 && played;
}

bool Win32PrintTarget::EndDocument() {
  if (dc_ == nullptr) return false;
  const bool ended = EndDoc(dc_.get()) > 0;
  EndJob();
  return ended;
}

void Win32PrintTarget::Abort() {
  if (dc_ != nullptr) AbortDoc(dc_.get());
  EndJob();
}

void Win32PrintTarget::EndJob() {
  ReleaseJob();
  // Each job to a file asks for its file.
  output_file_.clear();
}

void Win32PrintTarget::ReleaseJob() {
  if (recorder_) missing_glyphs_ += recorder_->MissingGlyphs();
  recorder_.reset();
  dc_.reset();
  eudc_.reset();  // after every font of its family is gone with the pages
}

}  // namespace pictor::win32ui
