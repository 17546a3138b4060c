#include "tools/icon_image.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quillon::tools {
namespace {

// Samples a side per pixel: coverage in steps of 1/64.
constexpr int kSamples = 8;

struct Premultiplied {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 0;
};

bool InRect(double x, double y, double left, double top, double right, double bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}

bool InRectangleFill(const IconShape& s, double scale, double x, double y) {
  return InRect(x, y, s.x * scale, s.y * scale, (s.x + s.width) * scale, (s.y + s.height) * scale);
}

bool InRectangleOutline(const IconShape& s, double scale, double x, double y) {
  const double half = s.pen_width * scale / 2;
  const double left = s.x * scale;
  const double top = s.y * scale;
  const double right = (s.x + s.width) * scale;
  const double bottom = (s.y + s.height) * scale;
  return InRect(x, y, left - half, top - half, right + half, bottom + half) &&
         !InRect(x, y, left + half, top + half, right - half, bottom - half);
}

bool InLine(const IconShape& s, double scale, double x, double y) {
  const double half = s.pen_width * scale / 2;
  const double dx = s.width * scale;
  const double dy = s.height * scale;
  const double length = std::sqrt(dx * dx + dy * dy);  // correctly rounded: the same bytes everywhere
  const double px = x - s.x * scale;
  const double py = y - s.y * scale;
  if (length == 0) return std::abs(px) <= half && std::abs(py) <= half;
  const double along = (px * dx + py * dy) / length;
  const double across = (py * dx - px * dy) / length;
  return std::abs(across) <= half && along >= -half && along <= length + half;
}

// The share of the pixel's samples that `inside` covers.
template <typename Inside>
double Coverage(int column, int row, Inside inside) {
  int hits = 0;
  for (int i = 0; i < kSamples; ++i) {
    for (int j = 0; j < kSamples; ++j) {
      if (inside(column + (j + 0.5) / kSamples, row + (i + 0.5) / kSamples)) ++hits;
    }
  }
  return static_cast<double>(hits) / (kSamples * kSamples);
}

void PaintOver(Premultiplied& pixel, const IconColour& colour, double coverage) {
  if (coverage <= 0) return;
  const double keep = 1 - coverage;
  pixel.red = colour.red * coverage + pixel.red * keep;
  pixel.green = colour.green * coverage + pixel.green * keep;
  pixel.blue = colour.blue * coverage + pixel.blue * keep;
  pixel.alpha = coverage + pixel.alpha * keep;
}

std::uint8_t Byte(double value) { return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }

void PutU16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

// A 32-bit bitmap with twice the height (colour rows, then mask rows), bottom row first.
std::string IconBitmap(const IconImage& image) {
  const auto size = static_cast<std::uint32_t>(image.size);
  const std::uint32_t mask_row_bytes = (size + 31) / 32 * 4;
  std::string out;
  PutU32(out, 40);  // BITMAPINFOHEADER
  PutU32(out, size);
  PutU32(out, size * 2);
  PutU16(out, 1);   // planes
  PutU16(out, 32);  // bits a pixel
  PutU32(out, 0);   // no compression
  PutU32(out, size * size * 4 + mask_row_bytes * size);
  for (int i = 0; i < 4; ++i) PutU32(out, 0);
  for (std::uint32_t row = size; row-- > 0;) {
    const auto* first = image.bgra.data() + row * size * 4;
    out.append(reinterpret_cast<const char*>(first), size * 4);
  }
  for (std::uint32_t row = size; row-- > 0;) {
    std::string mask(mask_row_bytes, '\0');
    for (std::uint32_t column = 0; column < size; ++column) {
      const std::uint8_t alpha = image.bgra[(row * size + column) * 4 + 3];
      if (alpha < 128) mask[column / 8] = static_cast<char>(mask[column / 8] | (0x80 >> (column % 8)));
    }
    out += mask;
  }
  return out;
}

}  // namespace

IconImage RenderIcon(const IconDrawing& drawing, int size) {
  const double scale = static_cast<double>(size) / drawing.size;
  std::vector<Premultiplied> pixels(static_cast<std::size_t>(size * size));
  for (const IconShape& shape : drawing.shapes) {
    for (int row = 0; row < size; ++row) {
      for (int column = 0; column < size; ++column) {
        Premultiplied& pixel = pixels[static_cast<std::size_t>(row * size + column)];
        if (shape.kind == IconShapeKind::kRectangle) {
          if (shape.fill) {
            PaintOver(pixel, *shape.fill,
                      Coverage(column, row, [&](double x, double y) { return InRectangleFill(shape, scale, x, y); }));
          }
          PaintOver(pixel, shape.pen,
                    Coverage(column, row, [&](double x, double y) { return InRectangleOutline(shape, scale, x, y); }));
        } else {
          PaintOver(pixel, shape.pen,
                    Coverage(column, row, [&](double x, double y) { return InLine(shape, scale, x, y); }));
        }
      }
    }
  }
  IconImage image{size, {}};
  image.bgra.reserve(pixels.size() * 4);
  for (const Premultiplied& pixel : pixels) {
    const double alpha = pixel.alpha;
    const auto straight = [alpha](double value) { return alpha > 0 ? value / alpha : 0.0; };
    image.bgra.push_back(Byte(straight(pixel.blue)));
    image.bgra.push_back(Byte(straight(pixel.green)));
    image.bgra.push_back(Byte(straight(pixel.red)));
    image.bgra.push_back(Byte(alpha * 255));
  }
  return image;
}

std::string IconFile(std::span<const IconImage> images) {
  std::string out;
  PutU16(out, 0);  // reserved
  PutU16(out, 1);  // an icon
  PutU16(out, static_cast<std::uint32_t>(images.size()));
  std::vector<std::string> bitmaps;
  for (const IconImage& image : images) bitmaps.push_back(IconBitmap(image));
  auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = images[i].size;
    out += static_cast<char>(size >= 256 ? 0 : size);  // width; 0 means 256
    out += static_cast<char>(size >= 256 ? 0 : size);  // height
    out += '\0';                                       // no palette
    out += '\0';
    PutU16(out, 1);   // planes
    PutU16(out, 32);  // bits a pixel
    PutU32(out, static_cast<std::uint32_t>(bitmaps[i].size()));
    PutU32(out, offset);
    offset += static_cast<std::uint32_t>(bitmaps[i].size());
  }
  for (const std::string& bitmap : bitmaps) out += bitmap;
  return out;
}

}  // namespace quillon::tools
