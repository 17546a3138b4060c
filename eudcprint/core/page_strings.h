// The texts of the catalogue pages, as code page 950 byte strings (the string table's ids beside
// them). The Chinese of each is in its comment.
#pragma once

#include <string_view>

namespace pictor {

// 62000 "字型：%s        外字檔案：%s": the title line, with the display name and the EUDC file
// path; eight spaces between the two fields.
inline constexpr char kTitleLineFormat[] =
    "\xa6\x72\xab\xac\xa1\x47%s        \xa5\x7e\xa6\x72\xc0\xc9\xae\xd7\xa1\x47%s";

// 62001 "第 %d 頁": the page number line.
inline constexpr char kPageNumberFormat[] = "\xb2\xc4 %d \xad\xb6";

// 62002 "內碼": the caption over each code column.
inline constexpr std::string_view kCodeCaption = "\xa4\xba\xbd\x58";

// The code of a cell: four upper-case hexadecimal digits.
inline constexpr char kCodeFormat[] = "%4X";

}  // namespace pictor
