// quillon's run journal, read at every start-up: any file reads without fault, only its last entry
// can lack a result, and the log recovered from it is one that --undo reads back with exactly the
// renames the journal records as made. When the first byte is odd, the rest has its checks made
// right before it is read, so that the mutations reach the records' bodies.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "core/journal_recovery.h"
#include "core/log_reader.h"
#include "core/renamer_error.h"
#include "core/run_journal.h"
#include "core/run_log.h"

namespace {

// A machine with no folders: the rename whose result was not recorded counts as not made.
class NoFolders : public quillon::FileSystemPort {
 public:
  std::unique_ptr<quillon::FolderSearch> OpenFolder(std::u16string_view) override { return nullptr; }
};

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The header's check and each record's, where the lengths say the records are.
void MakeChecksRight(std::vector<std::uint8_t>& bytes) {
  constexpr std::size_t kHeader = 21;
  if (bytes.size() < kHeader) return;
  PutU32(bytes, kHeader - 4, quillon::Crc32(std::span(bytes).first(kHeader - 4)));
  for (std::size_t at = kHeader; bytes.size() - at >= 4;) {
    const std::size_t length = bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::size_t{bytes[at + 3]} << 24;
    if (bytes.size() - at - 4 < length || bytes.size() - at - 4 - length < 4) return;
    PutU32(bytes, at + 4 + length, quillon::Crc32(std::span(bytes).subspan(at + 4, length)));
    at += 8 + length;
  }
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "journal property broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<std::uint8_t> journal(data + 1, data + size);
  if (data[0] & 1) MakeChecksRight(journal);
  const quillon::JournalContents contents = quillon::ReadJournal(journal);
  if (!contents.recognised && (!contents.entries.empty() || contents.torn)) Fail("entries without a header");
  std::size_t renamed = 0;
  for (std::size_t i = 0; i < contents.entries.size(); ++i) {
    const quillon::JournalOutcome outcome = contents.entries[i].outcome;
    if (outcome == quillon::JournalOutcome::kUnknown && i + 1 != contents.entries.size()) {
      Fail("an entry before the last without a result");
    }
    if (outcome == quillon::JournalOutcome::kRenamed) ++renamed;
  }

  NoFolders files;
  const std::vector<std::u16string> lines = quillon::RecoveredLogLines(contents, files);
  try {
    const std::vector<quillon::LoggedRename> read = quillon::ReadRunLog(quillon::EncodeLogFile(lines), contents.style);
    if (read.size() != renamed) Fail("the recovered log does not hold every rename made");
  } catch (const quillon::RenamerError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    Fail("the recovered log cannot be read back");
  }
  return 0;
}
