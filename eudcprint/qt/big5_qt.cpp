#include "qt/big5_qt.h"

#include "platform/posix/iconv_codec.h"

namespace pictor::app {
namespace {

const posix::IconvCp950Codec& Codec() {
  static const posix::IconvCp950Codec kCodec;
  return kCodec;
}

}  // namespace

QString FromCp950(std::string_view cp950) {
  const std::u16string utf16 = Codec().ToUtf16(cp950);
  return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

std::string ToCp950(const QString& text) {
  return Codec().FromUtf16(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}

}  // namespace pictor::app
