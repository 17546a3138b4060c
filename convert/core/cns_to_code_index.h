#pragma once
// An index from a CNS value to a 16-bit code (the low half of a record's other code) in which the
// first insertion of a key wins. Characters of planes 1 to 16 sit in one dense array per plane,
// 94 x 94 cells of two bytes, so the planes that text uses stay in the cache; other values fall
// back to a hash index.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "cns_key_index.h"

namespace tessel {

class CnsToCodeIndex {
 public:
  void InsertIfAbsent(std::uint32_t cns, std::uint16_t code) {
    std::uint32_t plane_number;
    std::size_t cell;
    if (DenseCell(cns, plane_number, cell)) {
      Plane& plane = planes_[plane_number];
      if (plane.codes.empty()) {
        plane.codes.assign(kCellsPerPlane, 0);
        plane.present.assign((kCellsPerPlane + 63) / 64, 0);
      }
      std::uint64_t& word = plane.present[cell >> 6];
      const std::uint64_t bit = std::uint64_t{1} << (cell & 63);
      if (word & bit) return;
      word |= bit;
      plane.codes[cell] = code;
      return;
    }
    others_.InsertIfAbsent(cns, code);
  }

  std::optional<std::uint16_t> Find(std::uint32_t cns) const {
    std::uint32_t plane_number;
    std::size_t cell;
    if (DenseCell(cns, plane_number, cell)) {
      const Plane& plane = planes_[plane_number];
      if (plane.codes.empty() || !(plane.present[cell >> 6] & (std::uint64_t{1} << (cell & 63)))) return std::nullopt;
      return plane.codes[cell];
    }
    if (auto hit = others_.Find(cns)) return static_cast<std::uint16_t>(*hit);
    return std::nullopt;
  }

  // The codes of a plane from 1 to 16 by cell, (first - 0x21) * 94 + (second - 0x21), 0 where none
  // was inserted (so 0 also stands for a stored 0: a loop that reads 0 asks find()); null for a
  // plane without characters.
  const std::uint16_t* PlaneCodes(std::uint32_t plane) const {
    if (plane - 1 >= 16 || planes_[plane].codes.empty()) return nullptr;
    return planes_[plane].codes.data();
  }
  static constexpr std::uint32_t kCellsPerRow = 94;

 private:
  static constexpr std::size_t kCellsPerPlane = kCellsPerRow * kCellsPerRow;

  struct Plane {
    std::vector<std::uint16_t> codes;
    std::vector<std::uint64_t> present;
  };

  // True for a value whose plane is 1 to 16 and whose bytes are 0x21 to 0x7E, with its cell.
  static bool DenseCell(std::uint32_t cns, std::uint32_t& plane, std::size_t& cell) {
    plane = cns >> 16;
    const std::uint32_t first = ((cns >> 8) & 0xFF) - 0x21;
    const std::uint32_t second = (cns & 0xFF) - 0x21;
    if (plane - 1 >= 16 || first >= kCellsPerRow || second >= kCellsPerRow) return false;
    cell = first * kCellsPerRow + second;
    return true;
  }

  std::array<Plane, 17> planes_;  // by plane number; 0 unused
  CnsKeyIndex others_;
};

}  // namespace tessel
