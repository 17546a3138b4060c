#include "table_builder.h"

#include "profile_reader.h"

namespace tessel::testing {

std::string FakePlatform::profileString(const std::string& file, std::string_view section, std::string_view key,
                                        std::string_view defaultValue, std::size_t capacity) {
  auto it = files.find(file);
  const std::vector<std::uint8_t> none;
  return readProfileString(it == files.end() ? none : it->second, section, key, defaultValue, capacity);
}

}  // namespace tessel::testing
