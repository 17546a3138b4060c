// Canvases for tests: every operation recorded in order, with text widths from a simple rule.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/catalogue_state.h"
#include "core/code_space.h"
#include "core/page_canvas.h"

namespace pictor {

// Which of the page's two fonts a recorded text was drawn in.
enum class FontRole {
  kCharacter,  // a user-defined character, recorded as its two Big5 bytes
  kText,
};

}  // namespace pictor

namespace pictor::testing {

struct CanvasOperation {
  enum class Kind { kText, kRectangle, kLine };
  Kind kind;
  CanvasPoint a;  // text: top-left; rectangle and line: first point
  CanvasPoint b;  // rectangle and line: second point
  FontRole role = FontRole::kText;
  std::string text;
  std::int32_t pen_width = 0;
  char16_t private_use = 0;  // a character's code point in the EUDC font
};

// Text is 16 units a byte: half squares of the text font's height.
class RecordingCanvas : public PageCanvas {
 public:
  static constexpr std::int32_t kTextUnitsPerByte = 16;

  void Text(CanvasPoint top_left, std::string_view cp950) override {
    operations.push_back({CanvasOperation::Kind::kText, top_left, {}, FontRole::kText, std::string(cp950), 0});
  }
  std::int32_t TextWidth(std::string_view cp950) override {
    return static_cast<std::int32_t>(cp950.size()) * kTextUnitsPerByte;
  }
  void Rectangle(CanvasPoint corner, CanvasPoint opposite) override {
    operations.push_back({CanvasOperation::Kind::kRectangle, corner, opposite, FontRole::kText, {}, 0});
  }
  void Line(CanvasPoint from, CanvasPoint to, std::int32_t pen_width) override {
    operations.push_back({CanvasOperation::Kind::kLine, from, to, FontRole::kText, {}, pen_width});
  }

  std::vector<CanvasOperation> Texts(FontRole role) const {
    std::vector<CanvasOperation> texts;
    for (const auto& operation : operations) {
      if (operation.kind == CanvasOperation::Kind::kText && operation.role == role) texts.push_back(operation);
    }
    return texts;
  }

  std::vector<CanvasOperation> operations;

 protected:
  void EudcGlyph(char16_t private_use, CanvasPoint cell) override {
    const std::uint16_t code = OrdinalToBig5(PrivateUseToOrdinal(private_use).value_or(kNoCharacter));
    const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    operations.push_back(
        {CanvasOperation::Kind::kText, cell, {}, FontRole::kCharacter, std::string(bytes, 2), 0, private_use});
  }
};

// The program's state that the pages read, owned by the test.
struct CatalogueFixture {
  CatalogueFixture() { ResetPrintRange(range); }

  void AddInputMethod(std::uint32_t hkl, std::string_view layout_text, bool annotated) {
    InputMethodRecord& record = input_methods.records[input_methods.count];
    record.hkl = hkl;
    record.layoutText.Assign(layout_text);
    annotate_flags[input_methods.count] = annotated ? 1 : 0;
    ++input_methods.count;
  }
  CatalogueState State() const { return {association, range, input_methods, annotate_flags, *root_tables}; }

  EudcAssociation association;
  PrintRange range;
  InputMethodList input_methods;
  AnnotateFlags annotate_flags{};
  std::unique_ptr<RootTables> root_tables = std::make_unique<RootTables>();
};

}  // namespace pictor::testing
