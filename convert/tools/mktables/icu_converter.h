#pragma once
// A thin owner of an ICU converter that converts one character at a time and fails instead of
// substituting.

#include <unicode/ucnv.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace tessel::mktables {

class IcuConverter {
 public:
  explicit IcuConverter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    converter_ = ucnv_open(name, &status);
    if (U_FAILURE(status)) throw std::runtime_error(std::string("ICU has no converter ") + name);
    ucnv_setToUCallBack(converter_, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(converter_, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status)) throw std::runtime_error(std::string("cannot set up converter ") + name);
  }
  ~IcuConverter() { ucnv_close(converter_); }
  IcuConverter(const IcuConverter&) = delete;
  IcuConverter& operator=(const IcuConverter&) = delete;

  // The BMP code unit that the bytes stand for, or nothing when they are no single BMP character.
  std::optional<char16_t> ToUnit(const std::string& bytes) const {
    UChar out[8];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(converter_, out, 8, bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status) || n != 1 || U16_IS_SURROGATE(out[0])) return std::nullopt;
    return static_cast<char16_t>(out[0]);
  }

  // The bytes of one BMP code unit, or nothing when the encoding has no mapping for it.
  std::optional<std::string> FromUnit(char16_t unit) const {
    const UChar in[1] = {static_cast<UChar>(unit)};
    char out[16];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_fromUChars(converter_, out, sizeof out, in, 1, &status);
    if (U_FAILURE(status) || n <= 0) return std::nullopt;
    return std::string(out, static_cast<std::size_t>(n));
  }

 private:
  UConverter* converter_ = nullptr;
};

}  // namespace tessel::mktables
