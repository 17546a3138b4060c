// The paper sizes pictor-print takes by name: the names of the printing system's standard sizes,
// where B4 and B5 are the JIS sizes and ISOB4 and ISOB5 the ISO ones.
#pragma once

#include <QPageSize>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pictor::cli {

// Every name, in the printing system's order.
std::vector<std::string> PaperNames();

// The size of a name, in either letter case.
std::optional<QPageSize> PaperNamed(std::string_view name);

}  // namespace pictor::cli
