// The drawing operations a recorded page holds, read back with EnumEnhMetaFile: texts with the
// font they were drawn in, glyphs by index, rectangles, and lines with their pen's width.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pictor::win32ui::testing {

struct MetafileOperation {
  enum class Kind { kText, kGlyphs, kRectangle, kLine };
  Kind kind;
  POINT a{};  // text: reference point; rectangle: top-left corner; line: first point
  POINT b{};  // rectangle: bottom-right corner, inclusive (as the format holds it); line: end
  std::wstring text;
  std::vector<WORD> glyphs;
  LOGFONTW font{};     // the font selected for a text
  int pen_width = -1;  // the pen of a line or rectangle; -1 for a stock pen
  bool null_brush = false;
};

struct MetafilePage {
  int map_mode = 0;
  SIZE window_extent{};
  SIZE viewport_extent{};
  std::vector<LOGFONTW> fonts_created;
  std::vector<MetafileOperation> operations;
};

MetafilePage ReadMetafile(HENHMETAFILE page);

}  // namespace pictor::win32ui::testing
