// The pictures of pictor's resources, made from the XPM pictures in resources/ that the Qt list
// draws too: 16-colour Windows bitmaps (.bmp) for the association list and the program's icon
// (.ico). One picture, two forms: the Windows files are written from the XPM text and checked
// against it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pictor::resources {

// An XPM picture of one character per pixel: each pixel is an index into `colours`; a colour of
// nullopt is transparent ("None").
struct XpmPicture {
  int width = 0;
  int height = 0;
  std::vector<std::optional<std::uint32_t>> colours;  // 0xRRGGBB
  std::vector<std::uint8_t> pixels;                   // row by row from the top
};

// Reads the lines of an XPM array (header, colours, rows). Throws std::invalid_argument when they
// are not of that form (several characters per pixel, colours not written #RRGGBB or None, rows of
// the wrong length).
XpmPicture ParseXpm(std::span<const char* const> lines);

// The sixteen colours of a 16-colour Windows bitmap, in their usual order (black, the dark
// colours, grey, silver, the bright ones, white).
std::span<const std::uint32_t, 16> SixteenColours();

// A BMP file (BITMAPFILEHEADER, BITMAPINFOHEADER, the sixteen colours, 4 bits a pixel, rows from
// the bottom). Throws std::invalid_argument when a colour of the picture is transparent or not
// one of the sixteen.
std::vector<std::uint8_t> SixteenColourBitmap(const XpmPicture& picture);

// An ICO file holding the picture as one 16-colour image with its transparency mask.
std::vector<std::uint8_t> SixteenColourIcon(const XpmPicture& picture);

}  // namespace pictor::resources
