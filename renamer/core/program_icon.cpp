#include "program_icon.h"

#include <array>

namespace quillon {
namespace {

constexpr IconColour kOutline{60, 60, 60};
constexpr IconColour kPaper{255, 250, 230};
constexpr IconColour kPrivateUse{150, 30, 30};
constexpr IconColour kArrow{30, 90, 160};

constexpr std::array<IconShape, 5> kShapes = {{
    {IconShapeKind::kRectangle, 3, 2, 22, 27, kOutline, 1, kPaper},         // the sheet
    {IconShapeKind::kRectangle, 7, 7, 9, 9, kPrivateUse, 2, std::nullopt},  // a private-use box
    {IconShapeKind::kLine, 14, 22, 14, 0, kArrow, 2, std::nullopt},         // the arrow to the character
    {IconShapeKind::kLine, 24, 18, 4, 4, kArrow, 2, std::nullopt},
    {IconShapeKind::kLine, 24, 26, 4, -4, kArrow, 2, std::nullopt},
}};

constexpr IconDrawing kProgramIcon{32, kShapes};

}  // namespace

const IconDrawing& ProgramIcon() { return kProgramIcon; }

}  // namespace quillon
