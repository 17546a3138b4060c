// The exported functions. No exception ever leaves them.

#include <cstdint>

#include "code_selector.h"
#include "file_conversion.h"
#include "library_state.h"
#include "string_conversion.h"
#include "tessel.h"

using tessel::api::CurrentState;

// The header's numbers are the core's, for hosts that see only the header.
constexpr bool SameNumber(std::int32_t header, std::int32_t core) { return header == core; }
static_assert(SameNumber(CVT_CNS, tessel::kSelectorCns) && SameNumber(CVT_EUC, tessel::kSelectorEuc) &&
              SameNumber(CVT_BIG5, tessel::kSelectorBig5) && SameNumber(CVT_BIG5_ALT, tessel::kSelectorBig5Alt) &&
              SameNumber(CVT_UCS, tessel::kSelectorUcs) && SameNumber(CVT_GBK, tessel::kSelectorGbk));
static_assert(SameNumber(CVT_OK, tessel::kResultOk) && SameNumber(CVT_ERR_SOURCE, tessel::kResultBadSource) &&
              SameNumber(CVT_ERR_TARGET, tessel::kResultBadTarget) &&
              SameNumber(CVT_ERR_PAIR, tessel::kResultBadPair) &&
              SameNumber(CVT_ERR_NO_TABLE, tessel::kResultNoTable) &&
              SameNumber(CVT_ERR_BAD_TABLE, tessel::kResultBadTable) &&
              SameNumber(CVT_ERR_OPEN_SOURCE, tessel::kResultOpenSource) &&
              SameNumber(CVT_ERR_CREATE_TARGET, tessel::kResultCreateTarget));

// The header's output bound is the core's room plus the zero bytes after the text; both are linear
// in the input's length, so agreeing at two lengths means agreeing at every length.
static_assert(CVT_MAX_OUTPUT_SIZE(0) == tessel::MaxStringOutput(0) + tessel::kStringTerminatorLength &&
              CVT_MAX_OUTPUT_SIZE(1000) == tessel::MaxStringOutput(1000) + tessel::kStringTerminatorLength);

extern "C" {

int32_t TESSEL_CALL CVT_StringConvert(int32_t source, int32_t target, const char* input, char* output) {
  try {
    auto* state = CurrentState();
    if (state == nullptr) return CVT_ERR_NO_TABLE;
    if (input == nullptr || output == nullptr) {
      // Refuse before touching anything, after the checks a host may rely on.
      const std::int32_t refusal =
          tessel::CheckConversion(state->tables, static_cast<std::uint8_t>(source), static_cast<std::uint8_t>(target));
      return refusal != CVT_OK ? refusal : CVT_ERR_PAIR;
    }
    return tessel::ConvertString(state->tables, state->coder, state->list.get(), source, target,
                                 reinterpret_cast<const std::uint8_t*>(input), reinterpret_cast<std::uint8_t*>(output));
  } catch (...) {
    return CVT_ERR_PAIR;
  }
}

int32_t TESSEL_CALL CVT_FileConvert(int32_t source, int32_t target, const char* sourcePath, const char* targetPath) {
  try {
    auto* state = CurrentState();
    if (state == nullptr) return CVT_ERR_NO_TABLE;
    if (sourcePath == nullptr || targetPath == nullptr) {
      const std::int32_t refusal =
          tessel::CheckConversion(state->tables, static_cast<std::uint8_t>(source), static_cast<std::uint8_t>(target));
      if (refusal != CVT_OK) return refusal;
      return sourcePath == nullptr ? CVT_ERR_OPEN_SOURCE : CVT_ERR_CREATE_TARGET;
    }
    return tessel::ConvertFile(state->tables, state->coder, state->list.get(), *state->files, source, target,
                               sourcePath, targetPath);
  } catch (...) {
    return CVT_ERR_PAIR;
  }
}

int32_t TESSEL_CALL CVT_TableListStart(void) {
  try {
    auto* state = CurrentState();
    return state != nullptr && state->list->Start() ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

int32_t TESSEL_CALL CVT_TableListEnd(void) {
  try {
    auto* state = CurrentState();
    return state != nullptr && state->list->end() ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

}  // extern "C"
