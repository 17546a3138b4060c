#include "tools/resource_images.h"

#include <array>
#include <charconv>
#include <map>
#include <stdexcept>
#include <string_view>

namespace pictor::resources {
namespace {

constexpr std::array<std::uint32_t, 16> kSixteenColours = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

constexpr std::uint32_t kBitmapFileHeaderSize = 14;
constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteSize = 16 * 4;

[[noreturn]] void Refuse(const std::string& what) { throw std::invalid_argument("XPM picture: " + what); }

int ParseNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value <= 0) Refuse("bad number " + std::string(text));
  return value;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::optional<std::uint32_t> ParseColour(std::string_view text) {
  if (text == "None") return std::nullopt;
  if (text.size() != 7 || text[0] != '#') Refuse("colour " + std::string(text) + " is not #RRGGBB or None");
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data() + 1, text.data() + text.size(), value, 16);
  if (error != std::errc() || end != text.data() + text.size()) Refuse("colour " + std::string(text));
  return value;
}

std::uint8_t PaletteIndex(const std::optional<std::uint32_t>& colour) {
  if (!colour) Refuse("a 16-colour bitmap has no transparent pixels");
  for (std::size_t i = 0; i < kSixteenColours.size(); ++i) {
    if (kSixteenColours[i] == *colour) return static_cast<std::uint8_t>(i);
  }
  Refuse("colour is not one of the sixteen");
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t RowBytes(int width, int bits_per_pixel) {
  return static_cast<std::uint32_t>((width * bits_per_pixel + 31) / 32 * 4);
}

// BITMAPINFOHEADER of a 4-bit picture, then the sixteen colours (blue, green, red, 0).
void PutInfoHeaderAndPalette(std::vector<std::uint8_t>& out, int width, int height, std::uint32_t image_size) {
  PutLittleEndian(out, kBitmapInfoHeaderSize, 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(height), 4);
  PutLittleEndian(out, 1, 2);  // planes
  PutLittleEndian(out, 4, 2);  // bits a pixel
  PutLittleEndian(out, 0, 4);  // BI_RGB
  PutLittleEndian(out, image_size, 4);
  PutLittleEndian(out, 0, 4);  // pixels a metre, both ways
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, 16, 4);  // colours used
  PutLittleEndian(out, 0, 4);   // colours important: all
  for (const std::uint32_t colour : kSixteenColours) {
    out.push_back(static_cast<std::uint8_t>(colour));
    out.push_back(static_cast<std::uint8_t>(colour >> 8));
    out.push_back(static_cast<std::uint8_t>(colour >> 16));
    out.push_back(0);
  }
}

// The 4-bit rows from the bottom, each padded to whole 32-bit words; a transparent pixel is black.
void PutColourRows(std::vector<std::uint8_t>& out, const XpmPicture& picture, bool transparent_allowed) {
  const std::uint32_t row_bytes = RowBytes(picture.width, 4);
  for (int y = picture.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(row_bytes, 0);
    for (int x = 0; x < picture.width; ++x) {
      const auto& colour = picture.colours[picture.pixels[static_cast<std::size_t>(y * picture.width + x)]];
      const std::uint8_t index = transparent_allowed && !colour ? 0 : PaletteIndex(colour);
      row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

}  // namespace

XpmPicture ParseXpm(std::span<const char* const> lines) {
  if (lines.empty()) Refuse("no header");
  const std::vector<std::string_view> header = Words(lines[0]);
  if (header.size() < 4) Refuse("header " + std::string(lines[0]));
  XpmPicture picture;
  picture.width = ParseNumber(header[0]);
  picture.height = ParseNumber(header[1]);
  const int colour_count = ParseNumber(header[2]);
  if (ParseNumber(header[3]) != 1) Refuse("only one character a pixel is read");
  if (colour_count > 256) Refuse("too many colours");
  if (lines.size() != static_cast<std::size_t>(1 + colour_count + picture.height)) Refuse("wrong number of lines");
  std::map<char, std::uint8_t> index_of;
  for (int i = 0; i < colour_count; ++i) {
    const std::string_view line = lines[static_cast<std::size_t>(1 + i)];
    const std::vector<std::string_view> words = Words(line.substr(1));
    if (line.empty() || words.size() != 2 || words[0] != "c") Refuse("colour line " + std::string(line));
    if (!index_of.emplace(line[0], static_cast<std::uint8_t>(i)).second) Refuse("colour key given twice");
    picture.colours.push_back(ParseColour(words[1]));
  }
  for (int y = 0; y < picture.height; ++y) {
    const std::string_view row = lines[static_cast<std::size_t>(1 + colour_count + y)];
    if (row.size() != static_cast<std::size_t>(picture.width)) Refuse("row of the wrong length");
    for (const char key : row) {
      const auto found = index_of.find(key);
      if (found == index_of.end()) Refuse(std::string("unknown colour key ") + key);
      picture.pixels.push_back(found->second);
    }
  }
  return picture;
}

std::span<const std::uint32_t, 16> SixteenColours() { return kSixteenColours; }

std::vector<std::uint8_t> SixteenColourBitmap(const XpmPicture& picture) {
  const std::uint32_t image_size = RowBytes(picture.width, 4) * static_cast<std::uint32_t>(picture.height);
  const std::uint32_t offset = kBitmapFileHeaderSize + kBitmapInfoHeaderSize + kPaletteSize;
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  PutLittleEndian(out, offset + image_size, 4);
  PutLittleEndian(out, 0, 4);  // reserved
  PutLittleEndian(out, offset, 4);
  PutInfoHeaderAndPalette(out, picture.width, picture.height, image_size);
  PutColourRows(out, picture, false);
  return out;
}

std::vector<std::uint8_t> SixteenColourIcon(const XpmPicture& picture) {
  if (picture.width > 256 || picture.height > 256) Refuse("an icon is at most 256 pixels a side");
  const std::uint32_t colour_size = RowBytes(picture.width, 4) * static_cast<std::uint32_t>(picture.height);
  const std::uint32_t mask_row = RowBytes(picture.width, 1);
  const std::uint32_t mask_size = mask_row * static_cast<std::uint32_t>(picture.height);
  const std::uint32_t image_bytes = kBitmapInfoHeaderSize + kPaletteSize + colour_size + mask_size;
  constexpr std::uint32_t kDirectorySize = 6 + 16;
  std::vector<std::uint8_t> out;
  PutLittleEndian(out, 0, 2);                                     // reserved
  PutLittleEndian(out, 1, 2);                                     // an icon
  PutLittleEndian(out, 1, 2);                                     // one image
  out.push_back(static_cast<std::uint8_t>(picture.width % 256));  // 256 is written 0
  out.push_back(static_cast<std::uint8_t>(picture.height % 256));
  out.push_back(16);  // colours
  out.push_back(0);
  PutLittleEndian(out, 1, 2);  // planes
  PutLittleEndian(out, 4, 2);  // bits a pixel
  PutLittleEndian(out, image_bytes, 4);
  PutLittleEndian(out, kDirectorySize, 4);
  // The image's height counts the colour rows and the mask's.
  PutInfoHeaderAndPalette(out, picture.width, 2 * picture.height, colour_size + mask_size);
  PutColourRows(out, picture, true);
  // The mask: 1 where the picture is transparent, rows from the bottom.
  for (int y = picture.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(mask_row, 0);
    for (int x = 0; x < picture.width; ++x) {
      if (!picture.colours[picture.pixels[static_cast<std::size_t>(y * picture.width + x)]]) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace pictor::resources
