// The texts composed for a catalogue page, in code page 950.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pictor {

// The title line holds at most 255 bytes (a 256-byte buffer with its terminator).
inline constexpr std::size_t kTitleLineMaxBytes = 255;

// "字型：<display name>        外字檔案：<EUDC file path>", cut to 255 bytes.
std::string FormatTitleLine(std::string_view display_name, std::string_view eudc_file_path);

// "第 <page> 頁".
std::string FormatPageNumber(std::int32_t page);

// The code as four upper-case hexadecimal digits.
std::string FormatCode(std::uint16_t code);

}  // namespace pictor
