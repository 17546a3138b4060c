#include "table_builder.h"

#include "profile_reader.h"

namespace tessel::testing {

std::string FakePlatform::ProfileString(const std::string& file, std::string_view section, std::string_view key,
                                        std::string_view default_value, std::size_t capacity) {
  auto it = files.find(file);
  const std::vector<std::uint8_t> none;
  return ReadProfileString(it == files.end() ? none : it->second, section, key, default_value, capacity);
}

}  // namespace tessel::testing
