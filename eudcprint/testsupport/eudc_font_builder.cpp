#include "eudc_font_builder.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "code_space.h"

namespace pictor::testsupport {
namespace {

// Vertical metrics: the em runs from the descender to the ascender.
constexpr std::int16_t kAscender = 896;
constexpr std::int16_t kDescender = -128;
static_assert(kAscender - kDescender == kUnitsPerEm);
constexpr std::uint16_t kAdvance = kUnitsPerEm;

// The code point glyph: a frame and a 4 x 4 grid of bit cells inside it.
constexpr std::int16_t kFrameLeft = 64;
constexpr std::int16_t kFrameBottom = -64;
constexpr std::int16_t kFrameSize = 896;
constexpr std::int16_t kFrameThickness = 48;
constexpr std::int16_t kCellSize = 200;
constexpr std::int16_t kCellInset = 30;
static_assert(2 * kFrameThickness + 4 * kCellSize == kFrameSize);
static_assert(kFrameBottom >= kDescender && kFrameBottom + kFrameSize <= kAscender);

// 2024-01-01 in seconds since 1904-01-01, so that the same request always gives the same bytes.
constexpr std::uint64_t kFontDate = 3786912000;

constexpr std::uint32_t kCodePageTraditionalChinese = 1u << 20;
constexpr std::uint16_t kGlyphIdLimit = 0xFFFF;

// A Unicode block with its bit in the OS/2 Unicode ranges, and the part of it that the Chinese cover
// maps to the shared glyph (none for blocks listed only for their bit).
struct UnicodeBlock {
  char32_t first;
  char32_t last;
  int rangeBit;
  char32_t coverFirst;
  char32_t coverLast;
};

constexpr char32_t kNoCover = 0;

// Where code page 950's characters lie: ASCII, symbols and punctuation, Greek, Bopomofo, the unified
// ideographs (all Big5 ideographs lie in U+4E00-U+9FA5 but two compatibility ones) and the
// full-width forms.
constexpr std::array<UnicodeBlock, 21> kBlocks = {{
    {0x0000, 0x007F, 0, 0x0020, 0x007E},   // Basic Latin
    {0x02B0, 0x02FF, 5, 0x02C7, 0x02D9},   // Spacing Modifier Letters (tone marks)
    {0x0370, 0x03FF, 7, 0x0391, 0x03C9},   // Greek
    {0x2000, 0x206F, 31, 0x2013, 0x203E},  // General Punctuation
    {0x2100, 0x214F, 34, 0x2103, 0x2109},  // Letterlike Symbols
    {0x2150, 0x218F, 35, 0x2160, 0x2169},  // Number Forms
    {0x2190, 0x21FF, 37, 0x2190, 0x2199},  // Arrows
    {0x2200, 0x22FF, 38, 0x2215, 0x22BF},  // Mathematical Operators
    {0x2460, 0x24FF, 42, 0x2460, 0x247D},  // Enclosed Alphanumerics
    {0x2500, 0x257F, 43, 0x2500, 0x257F},  // Box Drawing
    {0x2580, 0x259F, 44, 0x2580, 0x259F},  // Block Elements
    {0x25A0, 0x25FF, 45, 0x25A0, 0x25FF},  // Geometric Shapes
    {0x3000, 0x303F, 48, 0x3000, 0x303F},  // CJK Symbols and Punctuation
    {0x3100, 0x312F, 51, 0x3105, 0x3129},  // Bopomofo
    {0x4E00, 0x9FFF, 59, 0x4E00, 0x9FA5},  // CJK Unified Ideographs
    {0xE000, 0xF8FF, 60, kNoCover, kNoCover},
    {0xF900, 0xFAFF, 61, 0xFA0C, 0xFA0D},  // CJK Compatibility Ideographs (two Big5 ideographs)
    {0xFE30, 0xFE4F, 65, 0xFE30, 0xFE4F},  // CJK Compatibility Forms
    {0xFE50, 0xFE6F, 66, 0xFE50, 0xFE6B},  // Small Form Variants
    {0xFF00, 0xFFEF, 68, 0xFF01, 0xFF5E},  // Halfwidth and Fullwidth Forms
    {0xFF00, 0xFFEF, 68, 0xFFE0, 0xFFE5},
}};

constexpr char32_t kSpace = 0x0020;
constexpr char32_t kIdeographicSpace = 0x3000;

// Big-endian byte writer.
class Bytes {
 public:
  void U8(std::uint8_t v) { data_.push_back(v); }
  void U16(std::uint16_t v) {
    data_.push_back(static_cast<std::uint8_t>(v >> 8));
    data_.push_back(static_cast<std::uint8_t>(v));
  }
  void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v >> 16));
    U16(static_cast<std::uint16_t>(v));
  }
  void U64(std::uint64_t v) {
    U32(static_cast<std::uint32_t>(v >> 32));
    U32(static_cast<std::uint32_t>(v));
  }
  void Tag(std::string_view tag) { data_.insert(data_.end(), tag.begin(), tag.end()); }
  void Append(std::span<const std::uint8_t> bytes) { data_.insert(data_.end(), bytes.begin(), bytes.end()); }
  void PadTo4() { data_.resize((data_.size() + 3) & ~std::size_t{3}, 0); }
  void PutU32At(std::size_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) data_[offset + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
  }
  std::size_t Size() const { return data_.size(); }
  std::vector<std::uint8_t>& Data() { return data_; }
  const std::vector<std::uint8_t>& Data() const { return data_; }

 private:
  std::vector<std::uint8_t> data_;
};

// Sum of the big-endian 32-bit words of a table, zero-padded to a whole word.
std::uint32_t TableChecksum(std::span<const std::uint8_t> bytes) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < bytes.size(); i += 4) {
    std::uint32_t word = 0;
    for (std::size_t j = 0; j < 4; ++j) word = (word << 8) | (i + j < bytes.size() ? bytes[i + j] : 0u);
    sum += word;
  }
  return sum;
}

// ---- Outlines ----------------------------------------------------------------------------------

struct Point {
  std::int16_t x;
  std::int16_t y;
};
using Contour = std::array<Point, 4>;  // every contour here is an axis-aligned rectangle

// TrueType fills to the right of the direction of travel: ink clockwise, holes counter-clockwise.
Contour Ink(int left, int bottom, int right, int top) {
  auto p = [](int x, int y) { return Point{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)}; };
  return {p(left, bottom), p(left, top), p(right, top), p(right, bottom)};
}
Contour Hole(int left, int bottom, int right, int top) {
  auto p = [](int x, int y) { return Point{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)}; };
  return {p(left, bottom), p(right, bottom), p(right, top), p(left, top)};
}

std::vector<Contour> NotdefOutline() { return {Ink(128, -64, 896, 832), Hole(192, 0, 832, 768)}; }

std::vector<Contour> SharedOutline() { return {Ink(192, 64, 832, 704)}; }

std::vector<Contour> CodePointOutline(char32_t codePoint) {
  constexpr int kRight = kFrameLeft + kFrameSize;
  constexpr int kTop = kFrameBottom + kFrameSize;
  constexpr int kInnerLeft = kFrameLeft + kFrameThickness;
  constexpr int kInnerTop = kTop - kFrameThickness;
  std::vector<Contour> contours = {
      Ink(kFrameLeft, kFrameBottom, kRight, kTop),
      Hole(kInnerLeft, kFrameBottom + kFrameThickness, kRight - kFrameThickness, kInnerTop),
  };
  for (int cell = 0; cell < 16; ++cell) {
    if (((codePoint >> (15 - cell)) & 1u) == 0) continue;
    const int left = kInnerLeft + (cell % 4) * kCellSize + kCellInset;
    const int top = kInnerTop - (cell / 4) * kCellSize - kCellInset;
    const int side = kCellSize - 2 * kCellInset;
    contours.push_back(Ink(left, top - side, left + side, top));
  }
  return contours;
}

struct Box {
  std::int16_t xMin = std::numeric_limits<std::int16_t>::max();
  std::int16_t yMin = std::numeric_limits<std::int16_t>::max();
  std::int16_t xMax = std::numeric_limits<std::int16_t>::min();
  std::int16_t yMax = std::numeric_limits<std::int16_t>::min();
  bool empty = true;

  void Add(const Box& other) {
    if (other.empty) return;
    xMin = std::min(xMin, other.xMin);
    yMin = std::min(yMin, other.yMin);
    xMax = std::max(xMax, other.xMax);
    yMax = std::max(yMax, other.yMax);
    empty = false;
  }
};

Box BoundsOf(const std::vector<Contour>& contours) {
  Box box;
  for (const auto& contour : contours) {
    for (const Point& p : contour) {
      box.Add(Box{p.x, p.y, p.x, p.y, false});
    }
  }
  return box;
}

// Collects the glyf table, the loca offsets and what head, hhea, hmtx and maxp report of the glyphs.
class GlyphTable {
 public:
  void Add(const std::vector<Contour>& contours) {
    offsets_.push_back(static_cast<std::uint32_t>(glyf_.Size()));
    const Box box = BoundsOf(contours);
    leftBearings_.push_back(box.empty ? 0 : box.xMin);
    if (!contours.empty()) Encode(contours, box);
    fontBox_.Add(box);
    if (!box.empty) {
      minRightBearing_ = std::min(minRightBearing_, kAdvance - box.xMax);
      minLeftBearing_ = std::min<int>(minLeftBearing_, box.xMin);
    }
    maxContours_ = std::max(maxContours_, contours.size());
    maxPoints_ = std::max(maxPoints_, 4 * contours.size());
  }

  std::size_t Count() const { return leftBearings_.size(); }
  const Box& FontBox() const { return fontBox_; }
  Bytes Glyf() const { return glyf_; }
  Bytes Loca() const {
    Bytes loca;
    for (std::uint32_t offset : offsets_) loca.U32(offset);
    loca.U32(static_cast<std::uint32_t>(glyf_.Size()));
    return loca;
  }
  // Every glyph has the same advance, so one long metric and left side bearings for the rest.
  Bytes Hmtx() const {
    Bytes hmtx;
    hmtx.U16(kAdvance);
    for (std::int16_t bearing : leftBearings_) hmtx.I16(bearing);
    return hmtx;
  }
  std::int16_t MinLeftBearing() const { return static_cast<std::int16_t>(minLeftBearing_); }
  std::int16_t MinRightBearing() const { return static_cast<std::int16_t>(minRightBearing_); }
  std::uint16_t MaxContours() const { return static_cast<std::uint16_t>(maxContours_); }
  std::uint16_t MaxPoints() const { return static_cast<std::uint16_t>(maxPoints_); }

 private:
  enum Flag : std::uint8_t {
    kOnCurve = 0x01,
    kXShort = 0x02,
    kYShort = 0x04,
    kXSameOrPositive = 0x10,
    kYSameOrPositive = 0x20,
  };

  void Encode(const std::vector<Contour>& contours, const Box& box) {
    glyf_.I16(static_cast<std::int16_t>(contours.size()));
    glyf_.I16(box.xMin);
    glyf_.I16(box.yMin);
    glyf_.I16(box.xMax);
    glyf_.I16(box.yMax);
    for (std::size_t c = 0; c < contours.size(); ++c) glyf_.U16(static_cast<std::uint16_t>(4 * c + 3));
    glyf_.U16(0);  // no instructions

    flags_.clear();
    xs_.clear();
    ys_.clear();
    Point previous{0, 0};
    for (const auto& contour : contours) {
      for (const Point& p : contour) {
        std::uint8_t flag = kOnCurve;
        flag |= Delta(p.x - previous.x, kXShort, kXSameOrPositive, xs_);
        flag |= Delta(p.y - previous.y, kYShort, kYSameOrPositive, ys_);
        flags_.push_back(flag);
        previous = p;
      }
    }
    glyf_.Append(flags_);
    glyf_.Append(xs_);
    glyf_.Append(ys_);
    glyf_.PadTo4();
  }

  // Writes one coordinate delta in its shortest form and answers the flag bits that describe it.
  static std::uint8_t Delta(int delta, std::uint8_t shortBit, std::uint8_t sameOrPositiveBit,
                            std::vector<std::uint8_t>& out) {
    if (delta == 0) return sameOrPositiveBit;
    if (delta > -256 && delta < 256) {
      out.push_back(static_cast<std::uint8_t>(delta < 0 ? -delta : delta));
      return static_cast<std::uint8_t>(shortBit | (delta > 0 ? sameOrPositiveBit : 0));
    }
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(delta) >> 8));
    out.push_back(static_cast<std::uint8_t>(delta));
    return 0;
  }

  Bytes glyf_;
  std::vector<std::uint32_t> offsets_;
  std::vector<std::int16_t> leftBearings_;
  Box fontBox_;
  int minLeftBearing_ = kAdvance;
  int minRightBearing_ = kAdvance;
  std::size_t maxContours_ = 0;
  std::size_t maxPoints_ = 0;
  std::vector<std::uint8_t> flags_, xs_, ys_;  // scratch, kept to spare allocations
};

// ---- Character map -----------------------------------------------------------------------------

struct Mapping {
  std::uint16_t code;
  std::uint16_t glyph;
};

// Format 4: segments of consecutive codes; a segment whose glyphs follow its codes one to one is
// an offset (idDelta), any other reads its glyphs from the glyph index array.
Bytes CmapFormat4(const std::vector<Mapping>& mappings) {
  struct Segment {
    std::uint16_t start;
    std::uint16_t end;
    std::uint16_t delta;
    std::optional<std::size_t> arrayStart;
  };
  std::vector<Segment> segments;
  std::vector<std::uint16_t> glyphArray;
  for (std::size_t i = 0; i < mappings.size();) {
    std::size_t end = i + 1;
    bool oneToOne = true;
    while (end < mappings.size() && mappings[end].code == mappings[end - 1].code + 1) {
      oneToOne = oneToOne && mappings[end].glyph == mappings[end - 1].glyph + 1;
      ++end;
    }
    Segment segment{mappings[i].code, mappings[end - 1].code, 0, std::nullopt};
    if (oneToOne) {
      segment.delta = static_cast<std::uint16_t>(mappings[i].glyph - mappings[i].code);
    } else {
      segment.arrayStart = glyphArray.size();
      for (std::size_t k = i; k < end; ++k) glyphArray.push_back(mappings[k].glyph);
    }
    segments.push_back(segment);
    i = end;
  }
  segments.push_back({0xFFFF, 0xFFFF, 1, std::nullopt});  // the closing segment the format requires

  const std::size_t segCount = segments.size();
  const std::size_t length = 16 + 8 * segCount + 2 * glyphArray.size();
  if (length > 0xFFFF) throw std::length_error("character map exceeds the 64 KB of its format");

  unsigned power = 1;
  unsigned log2 = 0;
  while (power * 2 <= segCount) {
    power *= 2;
    ++log2;
  }
  Bytes table;
  table.U16(4);
  table.U16(static_cast<std::uint16_t>(length));
  table.U16(0);  // language
  table.U16(static_cast<std::uint16_t>(2 * segCount));
  table.U16(static_cast<std::uint16_t>(2 * power));
  table.U16(static_cast<std::uint16_t>(log2));
  table.U16(static_cast<std::uint16_t>(2 * segCount - 2 * power));
  for (const auto& s : segments) table.U16(s.end);
  table.U16(0);  // reservedPad
  for (const auto& s : segments) table.U16(s.start);
  for (const auto& s : segments) table.U16(s.delta);
  for (std::size_t i = 0; i < segCount; ++i) {
    // Bytes from this idRangeOffset entry to the segment's first glyph in the array.
    const auto& start = segments[i].arrayStart;
    table.U16(start ? static_cast<std::uint16_t>(2 * (segCount - i) + 2 * *start) : std::uint16_t{0});
  }
  for (std::uint16_t glyph : glyphArray) table.U16(glyph);
  return table;
}

// One format 4 subtable, listed for Unicode (0, 3) and Windows Unicode BMP (3, 1).
Bytes Cmap(const std::vector<Mapping>& mappings) {
  constexpr std::uint32_t kSubtableOffset = 4 + 2 * 8;
  Bytes cmap;
  cmap.U16(0);  // version
  cmap.U16(2);
  cmap.U16(0);
  cmap.U16(3);
  cmap.U32(kSubtableOffset);
  cmap.U16(3);
  cmap.U16(1);
  cmap.U32(kSubtableOffset);
  cmap.Append(CmapFormat4(mappings).Data());
  return cmap;
}

// ---- Names -------------------------------------------------------------------------------------

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || i + length > text.size()) {
      throw std::invalid_argument("family name is not UTF-8");
    }
    char32_t c = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(text[i + k]);
      if ((next & 0xC0) != 0x80) throw std::invalid_argument("family name is not UTF-8");
      c = (c << 6) | (next & 0x3Fu);
    }
    const char32_t shortest = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0;
    if (c < shortest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      throw std::invalid_argument("family name is not UTF-8");
    }
    out.push_back(c);
    i += length;
  }
  return out;
}

std::vector<std::uint8_t> Utf16BigEndian(std::u32string_view text) {
  Bytes out;
  for (char32_t c : text) {
    if (c < 0x10000) {
      out.U16(static_cast<std::uint16_t>(c));
    } else {
      out.U16(static_cast<std::uint16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.U16(static_cast<std::uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  }
  return out.Data();
}

// PostScript names are printable ASCII without spaces or delimiters, at most 63 characters: letters,
// digits and '-' stay, other characters become uXXXX.
std::u32string PostScriptName(std::u32string_view family) {
  std::u32string name;
  for (char32_t c : family) {
    if ((c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9') || c == U'-') {
      name.push_back(c);
    } else if (c != U' ') {
      constexpr std::string_view kHex = "0123456789ABCDEF";
      name.push_back(U'u');
      for (int shift = c > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4) name.push_back(kHex[(c >> shift) & 0xF]);
    }
  }
  if (name.empty()) name = U"EUDC";
  if (name.size() > 63) name.resize(63);
  return name;
}

Bytes NameTable(std::u32string_view family) {
  const std::u32string postScript = PostScriptName(family);
  const std::u32string subfamily = U"Regular";
  const std::array<std::pair<std::uint16_t, std::u32string>, 6> names = {{
      {1, std::u32string(family)},
      {2, subfamily},
      {3, postScript + U"-1.000"},
      {4, std::u32string(family)},
      {5, U"Version 1.000"},
      {6, postScript},
  }};
  Bytes records;
  Bytes strings;
  for (const auto& [id, text] : names) {
    const std::vector<std::uint8_t> utf16 = Utf16BigEndian(text);
    records.U16(3);       // Windows
    records.U16(1);       // Unicode BMP
    records.U16(0x0409);  // the language every Windows looks for first
    records.U16(id);
    records.U16(static_cast<std::uint16_t>(utf16.size()));
    records.U16(static_cast<std::uint16_t>(strings.Size()));
    strings.Append(utf16);
  }
  Bytes table;
  table.U16(0);
  table.U16(static_cast<std::uint16_t>(names.size()));
  table.U16(static_cast<std::uint16_t>(6 + records.Size()));
  table.Append(records.Data());
  table.Append(strings.Data());
  return table;
}

// ---- Fixed tables ------------------------------------------------------------------------------

Bytes Head(const Box& fontBox) {
  Bytes head;
  head.U32(0x00010000);
  head.U32(0x00010000);  // font revision 1.0
  head.U32(0);           // checkSumAdjustment, set once the whole font is laid out
  head.U32(0x5F0F3CF5);
  head.U16(0x0009);  // baseline at y = 0, integer scaling
  head.U16(kUnitsPerEm);
  head.U64(kFontDate);
  head.U64(kFontDate);
  head.I16(fontBox.xMin);
  head.I16(fontBox.yMin);
  head.I16(fontBox.xMax);
  head.I16(fontBox.yMax);
  head.U16(0);  // macStyle
  head.U16(8);  // smallest readable size in pixels
  head.I16(2);  // left to right, with neutrals
  head.I16(1);  // long loca offsets
  head.I16(0);
  return head;
}

Bytes Hhea(const GlyphTable& glyphs) {
  Bytes hhea;
  hhea.U32(0x00010000);
  hhea.I16(kAscender);
  hhea.I16(kDescender);
  hhea.I16(0);  // line gap
  hhea.U16(kAdvance);
  hhea.I16(glyphs.MinLeftBearing());
  hhea.I16(glyphs.MinRightBearing());
  hhea.I16(glyphs.FontBox().xMax);  // xMaxExtent: bearing plus width, the right edge here
  hhea.I16(1);                      // upright caret
  hhea.I16(0);
  hhea.I16(0);
  for (int i = 0; i < 5; ++i) hhea.I16(0);  // four reserved words and metricDataFormat
  hhea.U16(1);                              // one long metric serves all glyphs
  return hhea;
}

Bytes Maxp(const GlyphTable& glyphs) {
  Bytes maxp;
  maxp.U32(0x00010000);
  maxp.U16(static_cast<std::uint16_t>(glyphs.Count()));
  maxp.U16(glyphs.MaxPoints());
  maxp.U16(glyphs.MaxContours());
  maxp.U16(0);                              // composite points
  maxp.U16(0);                              // composite contours
  maxp.U16(2);                              // zones
  for (int i = 0; i < 9; ++i) maxp.U16(0);  // no hinting, no composites
  return maxp;
}

struct Os2Facts {
  std::array<std::uint32_t, 4> unicodeRanges{};
  std::uint16_t firstChar = 0;
  std::uint16_t lastChar = 0;
};

Bytes Os2(const Os2Facts& facts) {
  Bytes os2;
  os2.U16(4);  // version
  os2.I16(static_cast<std::int16_t>(kAdvance));
  os2.U16(400);  // regular weight
  os2.U16(5);    // normal width
  os2.U16(0);    // installable embedding
  // Subscript and superscript size and offset, strikeout size and position.
  for (int v : {512, 512, 0, 128, 512, 512, 0, 448, 50, 300}) os2.I16(static_cast<std::int16_t>(v));
  os2.I16(0);                              // family class
  for (int i = 0; i < 10; ++i) os2.U8(0);  // PANOSE: any
  for (std::uint32_t range : facts.unicodeRanges) os2.U32(range);
  os2.Tag("    ");  // no vendor
  os2.U16(0x0040);  // regular
  os2.U16(facts.firstChar);
  os2.U16(facts.lastChar);
  os2.I16(kAscender);
  os2.I16(kDescender);
  os2.I16(0);
  os2.U16(static_cast<std::uint16_t>(kAscender));
  os2.U16(static_cast<std::uint16_t>(-kDescender));
  os2.U32(kCodePageTraditionalChinese);
  os2.U32(0);
  os2.I16(512);  // x height
  os2.I16(768);  // cap height
  os2.U16(0);    // default character: .notdef
  os2.U16(static_cast<std::uint16_t>(kSpace));
  os2.U16(1);  // no contextual lookups
  return os2;
}

Bytes Post() {
  Bytes post;
  post.U32(0x00030000);  // no glyph names
  post.U32(0);           // upright
  post.I16(-100);        // underline position
  post.I16(50);          // underline thickness
  post.U32(1);           // every glyph one em wide
  for (int i = 0; i < 4; ++i) post.U32(0);
  return post;
}

struct Table {
  std::string_view tag;
  Bytes bytes;
};

// The table directory, the tables in tag order on 4-byte boundaries, their checksums, and the
// whole-font adjustment in head.
std::vector<std::uint8_t> Assemble(std::vector<Table> tables) {
  std::sort(tables.begin(), tables.end(), [](const Table& a, const Table& b) { return a.tag < b.tag; });
  const auto count = static_cast<std::uint16_t>(tables.size());
  std::uint16_t power = 1;
  std::uint16_t log2 = 0;
  while (power * 2 <= count) {
    power = static_cast<std::uint16_t>(power * 2);
    ++log2;
  }
  Bytes font;
  font.U32(0x00010000);
  font.U16(count);
  font.U16(static_cast<std::uint16_t>(16 * power));
  font.U16(log2);
  font.U16(static_cast<std::uint16_t>(16 * count - 16 * power));
  std::size_t offset = 12 + 16 * tables.size();
  std::size_t headOffset = 0;
  for (const auto& table : tables) {
    font.Tag(table.tag);
    font.U32(TableChecksum(table.bytes.Data()));
    font.U32(static_cast<std::uint32_t>(offset));
    font.U32(static_cast<std::uint32_t>(table.bytes.Size()));
    if (table.tag == "head") headOffset = offset;
    offset += (table.bytes.Size() + 3) & ~std::size_t{3};
  }
  for (const auto& table : tables) {
    font.Append(table.bytes.Data());
    font.PadTo4();
  }
  constexpr std::size_t kAdjustmentOffset = 8;
  font.PutU32At(headOffset + kAdjustmentOffset, 0xB1B0AFBA - TableChecksum(font.Data()));
  return std::move(font.Data());
}

}  // namespace

std::vector<std::uint8_t> BuildTrueTypeFont(const FontRequest& request) {
  const std::u32string family = DecodeUtf8(request.familyName);
  if (family.empty()) throw std::invalid_argument("family name is empty");

  std::vector<char32_t> own = request.codePoints;
  std::sort(own.begin(), own.end());
  own.erase(std::unique(own.begin(), own.end()), own.end());
  for (char32_t c : own) {
    if (c >= 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      throw std::invalid_argument("code point outside the Basic Multilingual Plane's characters");
    }
  }

  GlyphTable glyphs;
  glyphs.Add(NotdefOutline());
  std::uint16_t spaceGlyph = 0;
  std::uint16_t sharedGlyph = 0;
  if (request.coverTraditionalChinese) {
    spaceGlyph = static_cast<std::uint16_t>(glyphs.Count());
    glyphs.Add({});
    sharedGlyph = static_cast<std::uint16_t>(glyphs.Count());
    glyphs.Add(SharedOutline());
  }
  if (glyphs.Count() + own.size() > kGlyphIdLimit) throw std::invalid_argument("too many code points");

  std::vector<Mapping> mappings;
  for (char32_t c : own) {
    mappings.push_back({static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(glyphs.Count())});
    glyphs.Add(CodePointOutline(c));
  }
  if (request.coverTraditionalChinese) {
    for (const auto& block : kBlocks) {
      if (block.coverFirst == kNoCover) continue;
      for (char32_t c = block.coverFirst; c <= block.coverLast; ++c) {
        if (std::binary_search(own.begin(), own.end(), c)) continue;
        const bool blank = c == kSpace || c == kIdeographicSpace;
        mappings.push_back({static_cast<std::uint16_t>(c), blank ? spaceGlyph : sharedGlyph});
      }
    }
    std::sort(mappings.begin(), mappings.end(), [](const Mapping& a, const Mapping& b) { return a.code < b.code; });
  }

  Os2Facts facts;
  if (!mappings.empty()) {
    facts.firstChar = mappings.front().code;
    facts.lastChar = mappings.back().code;
  }
  for (const auto& block : kBlocks) {
    const auto inBlock = [&](const Mapping& m) { return m.code >= block.first && m.code <= block.last; };
    if (std::any_of(mappings.begin(), mappings.end(), inBlock)) {
      facts.unicodeRanges[block.rangeBit / 32] |= 1u << (block.rangeBit % 32);
    }
  }

  std::vector<Table> tables;
  tables.push_back({"OS/2", Os2(facts)});
  tables.push_back({"cmap", Cmap(mappings)});
  tables.push_back({"glyf", glyphs.Glyf()});
  tables.push_back({"head", Head(glyphs.FontBox())});
  tables.push_back({"hhea", Hhea(glyphs)});
  tables.push_back({"hmtx", glyphs.Hmtx()});
  tables.push_back({"loca", glyphs.Loca()});
  tables.push_back({"maxp", Maxp(glyphs)});
  tables.push_back({"name", NameTable(family)});
  tables.push_back({"post", Post()});
  return Assemble(std::move(tables));
}

std::vector<char32_t> EudcCodePoints(std::span<const std::uint16_t> omittedBig5Codes) {
  std::vector<char32_t> codePoints;
  codePoints.reserve(EUDC_CHARACTER_COUNT);
  for (std::uint16_t ordinal = 0; ordinal < EUDC_CHARACTER_COUNT; ++ordinal) {
    const std::uint16_t code = OrdinalToBig5(ordinal);
    if (std::find(omittedBig5Codes.begin(), omittedBig5Codes.end(), code) != omittedBig5Codes.end()) continue;
    codePoints.push_back(0xE000 + char32_t{ordinal});
  }
  return codePoints;
}

}  // namespace pictor::testsupport
