// What the printing tests under Wine share: the test printer's name, a folder of their own,
// generated EUDC fonts, and the catalogue of such a font.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "core/ascii.h"
#include "core/print_range.h"
#include "tests/support/recording_canvas.h"
#include "tools/fixtures/eudc_font_builder.h"
#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui::testing {

// The default printer of the tests' prefix (see test_printer.h).
inline constexpr const wchar_t* kTestPrinterName = L"Pictor Test Printer";

inline constexpr std::string_view kStandardName = "\xbc\xd0\xb7\xc7\xb3\x79\xa6\x72";  // 標準造字
inline constexpr const wchar_t* kMingFace = L"\u7d30\u660e\u9ad4";                     // 細明體

// A folder of the test's own in the prefix's temporary folder, removed with its files.
class TestFolder {
 public:
  TestFolder() : path_(std::filesystem::temp_directory_path() / ("pictor-printing-" + std::to_string(NextNumber()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  std::wstring operator/(const std::wstring& name) const { return (path_ / name).wstring(); }

 private:
  static int NextNumber() {
    static int made = 0;
    return ++made;
  }
  std::filesystem::path path_;
};

inline void WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

inline std::string ReadBytes(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return bytes;
}

// A generated EUDC font (each character a frame round its code point in bits) lacking `omitted`.
inline std::wstring WriteEudcFont(const TestFolder& folder, const std::wstring& name, const std::string& family,
                                  std::span<const std::uint16_t> omitted) {
  const std::wstring path = folder / name;
  WriteBytes(path, testsupport::BuildTrueTypeFont({family, testsupport::EudcCodePoints(omitted), false}));
  return path;
}

// The glyph index a generated font gives a user-defined code: its glyphs follow .notdef in code
// point order.
inline WORD GeneratedGlyphIndex(std::uint16_t big5, std::span<const std::uint16_t> omitted) {
  const char32_t code_point = kPrivateUseBase + *Big5ToOrdinal(big5);
  WORD index = 1;
  for (const char32_t present : testsupport::EudcCodePoints(omitted)) {
    if (present == code_point) return index;
    ++index;
  }
  return 0;
}

// The system default association over a font file, printing the codes from `first` to `last`.
struct TestCatalogue : pictor::testing::CatalogueFixture {
  TestCatalogue(const std::wstring& font_file, std::uint16_t first, std::uint16_t last) {
    association.displayName.Assign(kStandardName);
    association.font_file_path = WideToCp950(font_file);
    association.eudcFilePath.Assign(AsciiUppercase(association.font_file_path));
    SetCodeRange(range, first, last);
  }
};

}  // namespace pictor::win32ui::testing
