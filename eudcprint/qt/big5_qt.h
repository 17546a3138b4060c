// Code page 950 texts to and from Qt's strings: the one place where the dialogs convert them.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace pictor::app {

QString FromCp950(std::string_view cp950);
std::string ToCp950(const QString& text);

}  // namespace pictor::app
