#pragma once
// Names of the code selectors on the command line.

#include <optional>
#include <string_view>

#include "tessel.h"

namespace tessel::tools {

inline std::optional<int> SelectorByName(std::string_view name) {
  if (name == "cns") return CVT_CNS;
  if (name == "euc") return CVT_EUC;
  if (name == "big5") return CVT_BIG5;
  if (name == "ucs") return CVT_UCS;
  if (name == "gbk") return CVT_GBK;
  return std::nullopt;
}

inline constexpr std::string_view kSelectorNames = "cns, euc, big5, ucs, gbk";

// One line for each result code of the library.
inline const char* DescribeResult(int result) {
  switch (result) {
    case CVT_OK:
      return "converted";
    case CVT_ERR_SOURCE:
      return "the source encoding is not one the library knows";
    case CVT_ERR_TARGET:
      return "the target encoding is not one the library knows";
    case CVT_ERR_PAIR:
      return "the library cannot convert between these two encodings";
    case CVT_ERR_NO_TABLE:
      return "a code table file is missing (see TablePath in CNSCVT.INI, or the share folder)";
    case CVT_ERR_BAD_TABLE:
      return "a code table file has a bad header";
    case CVT_ERR_OPEN_SOURCE:
      return "the source file cannot be opened for reading and writing";
    case CVT_ERR_CREATE_TARGET:
      return "the target file cannot be created or written";
    default:
      return "the library refused the conversion";
  }
}

}  // namespace tessel::tools
