#include "form_texts.h"

#include <array>

#include "run_log.h"

namespace quillon {
namespace {

constexpr std::array<TextEntry, 17> kFormTexts = {{
    {TextId::kCaption, "IDS_CAPTION", u"重新命名程式"},
    {TextId::kDirectionCaption, "IDS_RGDIR", u"Unicode 轉換方向"},
    {TextId::kDirectionForward, "IDS_RGDIR_ITEM0", u"使用者造字區 → 假名及漢字區"},
    {TextId::kDirectionReverse, "IDS_RGDIR_ITEM1", u"假名及漢字區 → 使用者造字區"},
    {TextId::kScopeCaption, "IDS_RGPFOLDER", u"欲轉換之檔案所在路徑"},
    {TextId::kScopeAllDisks, "IDS_RGPFOLDER_ITEM0", u"所有硬碟"},
    {TextId::kScopeOneFolder, "IDS_RGPFOLDER_ITEM1", u"指定路徑"},
    {TextId::kBrowse, "IDS_BTNBROWSER", u"瀏覽"},
    {TextId::kStart, "IDS_BTNSTART", u"開始執行"},
    {TextId::kStop, "IDS_BTNSTOP", u"停止"},
    {TextId::kColumnBefore, "IDS_LVLOG_COLUMN0", u"更名前"},
    {TextId::kColumnAfter, "IDS_LVLOG_COLUMN1", u"更名後"},
    {TextId::kColumnFolder, "IDS_LVLOG_COLUMN2", u"所在位置"},
    {TextId::kBrowseTitle, "IDS_BROWSE_TITLE", u"請選擇資料夾："},
    {TextId::kRenameFailed, "IDS_CANNOT_RENAME", kCannotRename},
    {TextId::kRecovered, "IDS_RECOVERED", u"上次的更名工作沒有完成，已完成的更名已存成記錄檔："},
    {TextId::kNotRecovered, "IDS_NOT_RECOVERED", u"下列未完成的更名記錄無法救回："},
}};

// The table is indexed by id.
constexpr bool InIdOrder() {
  for (std::size_t i = 0; i < kFormTexts.size(); ++i) {
    if (static_cast<std::size_t>(kFormTexts[i].id) != i + 1) return false;
  }
  return true;
}
static_assert(InIdOrder());

}  // namespace

std::span<const TextEntry> FormTexts() { return kFormTexts; }

std::u16string_view TextOf(TextId id) {
  if (id == TextId::kNone) return {};
  return kFormTexts[static_cast<std::size_t>(id) - 1].text;
}

}  // namespace quillon
