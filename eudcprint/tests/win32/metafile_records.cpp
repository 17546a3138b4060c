#include "tests/win32/metafile_records.h"

#include <map>

namespace pictor::win32ui::testing {
namespace {

struct Reader {
  MetafilePage page;
  std::map<DWORD, LOGFONTW> fonts;
  std::map<DWORD, int> pens;
  std::map<DWORD, bool> null_brushes;
  LOGFONTW font{};
  int pen_width = -1;
  bool null_brush = false;
  POINT position{};
};

constexpr DWORD kStockObject = 0x80000000;

template <typename T>
const T& As(const ENHMETARECORD* record) {
  return *reinterpret_cast<const T*>(record);
}

int CALLBACK ReadRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  Reader& reader = *reinterpret_cast<Reader*>(data);
  switch (record->iType) {
    case EMR_SETMAPMODE:
      reader.page.map_mode = static_cast<int>(As<EMRSETMAPMODE>(record).iMode);
      break;
    case EMR_SETWINDOWEXTEX:
      reader.page.window_extent = {As<EMRSETWINDOWEXTEX>(record).szlExtent.cx,
                                   As<EMRSETWINDOWEXTEX>(record).szlExtent.cy};
      break;
    case EMR_SETVIEWPORTEXTEX:
      reader.page.viewport_extent = {As<EMRSETVIEWPORTEXTEX>(record).szlExtent.cx,
                                     As<EMRSETVIEWPORTEXTEX>(record).szlExtent.cy};
      break;
    case EMR_EXTCREATEFONTINDIRECTW: {
      const auto& font = As<EMREXTCREATEFONTINDIRECTW>(record);
      reader.fonts[font.ihFont] = font.elfw.elfLogFont;
      reader.page.fonts_created.push_back(font.elfw.elfLogFont);
      break;
    }
    case EMR_CREATEPEN: {
      const auto& pen = As<EMRCREATEPEN>(record);
      reader.pens[pen.ihPen] = pen.lopn.lopnWidth.x;
      break;
    }
    case EMR_SELECTOBJECT: {
      const DWORD object = As<EMRSELECTOBJECT>(record).ihObject;
      if (object == (kStockObject | NULL_BRUSH)) reader.null_brush = true;
      if (object == (kStockObject | BLACK_PEN) || object == (kStockObject | WHITE_PEN)) reader.pen_width = -1;
      if (reader.fonts.count(object) != 0) reader.font = reader.fonts[object];
      if (reader.pens.count(object) != 0) reader.pen_width = reader.pens[object];
      break;
    }
    case EMR_EXTTEXTOUTW: {
      const auto& text = As<EMREXTTEXTOUTW>(record);
      MetafileOperation operation{};
      const bool glyphs = (text.emrtext.fOptions & ETO_GLYPH_INDEX) != 0;
      operation.kind = glyphs ? MetafileOperation::Kind::kGlyphs : MetafileOperation::Kind::kText;
      operation.a = {text.emrtext.ptlReference.x, text.emrtext.ptlReference.y};
      const auto* units =
          reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text.emrtext.offString);
      if (glyphs) {
        operation.glyphs.assign(reinterpret_cast<const WORD*>(units),
                                reinterpret_cast<const WORD*>(units) + text.emrtext.nChars);
      } else {
        operation.text.assign(units, text.emrtext.nChars);
      }
      operation.font = reader.font;
      reader.page.operations.push_back(operation);
      break;
    }
    case EMR_RECTANGLE: {
      const RECTL box = As<EMRRECTANGLE>(record).rclBox;
      MetafileOperation operation{};
      operation.kind = MetafileOperation::Kind::kRectangle;
      operation.a = {box.left, box.top};
      operation.b = {box.right, box.bottom};
      operation.pen_width = reader.pen_width;
      operation.null_brush = reader.null_brush;
      reader.page.operations.push_back(operation);
      break;
    }
    case EMR_MOVETOEX:
      reader.position = {As<EMRMOVETOEX>(record).ptl.x, As<EMRMOVETOEX>(record).ptl.y};
      break;
    case EMR_LINETO: {
      MetafileOperation operation{};
      operation.kind = MetafileOperation::Kind::kLine;
      operation.a = reader.position;
      operation.b = {As<EMRLINETO>(record).ptl.x, As<EMRLINETO>(record).ptl.y};
      operation.pen_width = reader.pen_width;
      reader.position = operation.b;
      reader.page.operations.push_back(operation);
      break;
    }
    default:
      break;
  }
  return 1;
}

}  // namespace

MetafilePage ReadMetafile(HENHMETAFILE page) {
  Reader reader;
  EnumEnhMetaFile(nullptr, page, ReadRecord, &reader, nullptr);
  return reader.page;
}

}  // namespace pictor::win32ui::testing
