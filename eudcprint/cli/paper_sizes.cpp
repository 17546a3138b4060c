#include "cli/paper_sizes.h"

namespace pictor::cli {
namespace {

// The standard sizes, without the custom one (which has no size).
std::vector<QPageSize::PageSizeId> StandardSizes() {
  std::vector<QPageSize::PageSizeId> sizes;
  for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
    const auto size = static_cast<QPageSize::PageSizeId>(id);
    if (size != QPageSize::Custom) sizes.push_back(size);
  }
  return sizes;
}

}  // namespace

std::vector<std::string> PaperNames() {
  std::vector<std::string> names;
  for (const QPageSize::PageSizeId size : StandardSizes()) names.push_back(QPageSize::key(size).toStdString());
  return names;
}

std::optional<QPageSize> PaperNamed(std::string_view name) {
  const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  for (const QPageSize::PageSizeId size : StandardSizes()) {
    if (QPageSize::key(size).compare(wanted, Qt::CaseInsensitive) == 0) return QPageSize(size);
  }
  return std::nullopt;
}

}  // namespace pictor::cli
