#pragma once
// Reads one string from the text of an initialisation file with the rules of the Windows profile
// functions: section and key match without regard to case, blanks around keys and values are
// dropped, a value enclosed in matching quotes loses them, the default (without trailing blanks)
// answers for a missing section or key, and the answer is cut to capacity - 1 bytes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessel {

std::string ReadProfileString(std::span<const std::uint8_t> file_text, std::string_view section, std::string_view key,
                              std::string_view default_value, std::size_t capacity);

}  // namespace tessel
