// Canvases for tests: every operation recorded in order, with text widths from a simple rule.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/catalogue_state.h"
#include "core/page_canvas.h"

namespace pictor::testing {

struct CanvasOperation {
  enum class Kind { kText, kRectangle, kLine };
  Kind kind;
  CanvasPoint a;  // text: top-left; rectangle and line: first point
  CanvasPoint b;  // rectangle and line: second point
  FontRole role = FontRole::kText;
  std::string text;
  std::int32_t penWidth = 0;
};

// Text is 16 units a byte, characters 32 a byte: half and whole squares of the two font heights.
class RecordingCanvas : public PageCanvas {
 public:
  static constexpr std::int32_t kTextUnitsPerByte = 16;
  static constexpr std::int32_t kCharacterUnitsPerByte = 32;

  void Text(CanvasPoint topLeft, FontRole role, std::string_view cp950) override {
    operations.push_back({CanvasOperation::Kind::kText, topLeft, {}, role, std::string(cp950), 0});
  }
  std::int32_t TextWidth(FontRole role, std::string_view cp950) override {
    const auto bytes = static_cast<std::int32_t>(cp950.size());
    return bytes * (role == FontRole::kText ? kTextUnitsPerByte : kCharacterUnitsPerByte);
  }
  void Rectangle(CanvasPoint corner, CanvasPoint opposite) override {
    operations.push_back({CanvasOperation::Kind::kRectangle, corner, opposite, FontRole::kText, {}, 0});
  }
  void Line(CanvasPoint from, CanvasPoint to, std::int32_t penWidth) override {
    operations.push_back({CanvasOperation::Kind::kLine, from, to, FontRole::kText, {}, penWidth});
  }

  std::vector<CanvasOperation> Texts(FontRole role) const {
    std::vector<CanvasOperation> texts;
    for (const auto& operation : operations) {
      if (operation.kind == CanvasOperation::Kind::kText && operation.role == role) texts.push_back(operation);
    }
    return texts;
  }

  std::vector<CanvasOperation> operations;
};

// The program's state that the pages read, owned by the test.
struct CatalogueFixture {
  CatalogueFixture() { ResetPrintRange(range); }

  void AddInputMethod(std::uint32_t hkl, std::string_view layoutText, bool annotated) {
    InputMethodRecord& record = inputMethods.records[inputMethods.count];
    record.hkl = hkl;
    record.layoutText.Assign(layoutText);
    annotateFlags[inputMethods.count] = annotated ? 1 : 0;
    ++inputMethods.count;
  }
  CatalogueState State() const { return {association, range, inputMethods, annotateFlags, *rootTables}; }

  EudcAssociation association;
  PrintRange range;
  InputMethodList inputMethods;
  AnnotateFlags annotateFlags{};
  std::unique_ptr<RootTables> rootTables = std::make_unique<RootTables>();
};

}  // namespace pictor::testing
