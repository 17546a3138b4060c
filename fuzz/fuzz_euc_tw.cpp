// tessel-convert's EUC-TW forms: the first byte says where the text is cut into blocks, the rest
// is the text. Any cut gives what the whole text gives, the library's form that widening makes
// holds no two-byte characters, and valid EUC-TW made from the bytes survives widening and
// narrowing unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "euc_tw.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t cut = text.empty() ? 0 : data[0] % (text.size() + 1);

  tessel::tools::EucTwWidener whole;
  const std::string wide = whole.Convert(text, true);
  tessel::tools::EucTwWidener in_two;
  if (in_two.Convert(text.substr(0, cut), false) + in_two.Convert(text.substr(cut), true) != wide) std::abort();

  tessel::tools::EucTwNarrower narrower;
  const std::string narrow = narrower.Convert(wide, true);
  tessel::tools::EucTwNarrower narrower_in_two;
  const std::size_t wide_cut = wide.empty() ? 0 : data[0] % (wide.size() + 1);
  if (narrower_in_two.Convert(std::string_view(wide).substr(0, wide_cut), false) +
          narrower_in_two.Convert(std::string_view(wide).substr(wide_cut), true) !=
      narrow)
    std::abort();

  tessel::tools::TwoByteCharacterCounter counter;
  counter.Count(wide, true);
  if (counter.Found() != 0) std::abort();

  // EUC-TW made only of characters (plane 1 in two bytes) comes back unchanged through the
  // library's form.
  std::string valid;
  auto code_byte = [&](std::size_t at) { return static_cast<char>(0xA1 + (at < size ? data[at] : 0) % 94); };
  for (std::size_t i = 1; i < size; ++i) {
    const std::uint8_t b = data[i];
    if (b < 0x80) {
      valid += static_cast<char>(b);
    } else if (b < 0xC0) {
      valid += {code_byte(i + 1), code_byte(i + 2)};
      i += 2;
    } else {
      valid += {static_cast<char>(0x8E), static_cast<char>(0xA2 + b % 6), code_byte(i + 1), code_byte(i + 2)};
      i += 2;
    }
  }
  tessel::tools::EucTwWidener valid_widener;
  tessel::tools::EucTwNarrower valid_narrower;
  if (valid_narrower.Convert(valid_widener.Convert(valid, true), true) != valid) std::abort();
  return 0;
}
