#include "form_messages.h"

#include "form_texts.h"
#include "renamer_error.h"

namespace quillon {

FormMessage ErrorMessage(std::string_view text, const WidenText& widen) {
  return {MessageIcon::kError, std::u16string(TextOf(TextId::kCaption)), widen(WithClosingPeriod(std::string(text)))};
}

FormMessage RecoveryMessage(const RecoveryReport& report, const WidenText& widen) {
  std::u16string text;
  if (!report.logs.empty()) {
    text += TextOf(TextId::kRecovered);
    for (const std::string& log : report.logs) {
      text += u'\n';
      text += widen(log);
    }
  }
  if (!report.failures.empty()) {
    if (!text.empty()) text += u"\n\n";
    text += TextOf(TextId::kNotRecovered);
    for (const RecoveredJournal& failure : report.failures) {
      text += u'\n';
      text += widen(failure.journal_path + ": " + failure.error);
    }
  }
  return {report.failures.empty() ? MessageIcon::kInformation : MessageIcon::kWarning,
          std::u16string(TextOf(TextId::kCaption)), std::move(text)};
}

}  // namespace quillon
