#include "run_journal.h"

#include <algorithm>
#include <array>
#include <optional>

#include "run_log.h"

namespace quillon {
namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'Q', 'U', 'I', 'L', 'L', 'O', 'N', 'J'};
constexpr std::uint8_t kVersion = 1;
constexpr std::size_t kTimeBytes = 7;
constexpr std::size_t kHeaderBytes = kMagic.size() + 2 + kTimeBytes + 4;
// Far above any real record (a path and two names), so that a damaged length is not believed.
constexpr std::uint32_t kMaxBodyBytes = 1u << 24;

enum RecordKind : std::uint8_t { kRenameAhead = 1, kRenameResult = 2, kRenameRefused = 3 };

constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}();

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

void PutTime(std::vector<std::uint8_t>& out, const LocalTime& t) {
  PutU16(out, static_cast<std::uint32_t>(t.year));
  for (const int field : {t.month, t.day, t.hour, t.minute, t.second}) out.push_back(static_cast<std::uint8_t>(field));
}

void PutText(std::vector<std::uint8_t>& out, std::u16string_view text) {
  PutU32(out, static_cast<std::uint32_t>(text.size()));
  for (const char16_t unit : text) PutU16(out, unit);
}

// Reads fields from a span; every read fails once the span is used up.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool Done() const { return at_ == bytes_.size(); }
  std::size_t At() const { return at_; }
  std::optional<std::span<const std::uint8_t>> Take(std::size_t count) {
    if (bytes_.size() - at_ < count) return std::nullopt;
    const auto taken = bytes_.subspan(at_, count);
    at_ += count;
    return taken;
  }
  std::optional<std::uint32_t> U8() {
    const auto b = Take(1);
    return b ? std::optional<std::uint32_t>((*b)[0]) : std::nullopt;
  }
  std::optional<std::uint32_t> U16() {
    const auto b = Take(2);
    return b ? std::optional<std::uint32_t>((*b)[0] | ((*b)[1] << 8)) : std::nullopt;
  }
  std::optional<std::uint32_t> U32() {
    const auto low = U16();
    const auto high = low ? U16() : std::nullopt;
    return high ? std::optional<std::uint32_t>(*low | (*high << 16)) : std::nullopt;
  }
  std::optional<LocalTime> Time() {
    const auto year = U16();
    const auto rest = year ? Take(5) : std::nullopt;
    if (!rest) return std::nullopt;
    return LocalTime{static_cast<int>(*year), (*rest)[0], (*rest)[1], (*rest)[2], (*rest)[3], (*rest)[4]};
  }
  std::optional<std::u16string> Text() {
    const auto count = U32();
    if (!count || *count > (bytes_.size() - at_) / 2) return std::nullopt;
    std::u16string text(*count, u'\0');
    for (char16_t& unit : text) unit = static_cast<char16_t>(*U16());
    return text;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

std::vector<std::uint8_t> EncodeHeader(PathStyle style, const LocalTime& started) {
  std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
  out.push_back(kVersion);
  out.push_back(style == PathStyle::kWindows ? 0 : 1);
  PutTime(out, started);
  PutU32(out, Crc32(out));
  return out;
}

// One record's body parsed; nothing when it does not hold what its kind needs.
struct Body {
  RecordKind kind = kRenameAhead;
  LocalTime time;
  bool renamed = false;
  JournalEntry entry;
};

// Whether a run could have recorded these names: the walk's names are never empty and never hold
// the separator, and a mapping keeps a name's length. A refused rename's new name may hold what
// names may not (that is why it was refused); it is never logged.
bool NamesARunWrites(const JournalEntry& entry, bool refused, char16_t separator) {
  const auto usable = [separator](std::u16string_view name) {
    return !name.empty() && name.find(separator) == std::u16string_view::npos;
  };
  return usable(entry.name) && entry.new_name.size() == entry.name.size() && (refused || usable(entry.new_name));
}

std::optional<Body> ParseBody(std::span<const std::uint8_t> bytes, PathStyle style) {
  Reader in(bytes);
  const auto kind = in.U8();
  const auto time = kind ? in.Time() : std::nullopt;
  if (!time) return std::nullopt;
  Body body;
  body.kind = static_cast<RecordKind>(*kind);
  body.time = *time;
  if (*kind == kRenameResult) {
    const auto renamed = in.U8();
    if (!renamed || *renamed > 1) return std::nullopt;
    body.renamed = *renamed == 1;
  } else if (*kind == kRenameAhead || *kind == kRenameRefused) {
    const auto is_directory = in.U8();
    auto folder = is_directory ? in.Text() : std::nullopt;
    auto name = folder ? in.Text() : std::nullopt;
    auto new_name = name ? in.Text() : std::nullopt;
    if (!new_name || *is_directory > 1) return std::nullopt;
    body.entry = JournalEntry{*time,
                              *is_directory == 1,
                              std::move(*folder),
                              std::move(*name),
                              std::move(*new_name),
                              *kind == kRenameRefused ? JournalOutcome::kFailed : JournalOutcome::kUnknown};
    if (!NamesARunWrites(body.entry, *kind == kRenameRefused, Separator(style))) return std::nullopt;
  } else {
    return std::nullopt;
  }
  if (!in.Done()) return std::nullopt;
  return body;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (const std::uint8_t b : bytes) c = kCrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

JournalContents ReadJournal(std::span<const std::uint8_t> bytes) {
  JournalContents contents;
  if (bytes.size() < kHeaderBytes) return contents;
  contents.header_complete = true;
  Reader in(bytes);
  const auto magic = in.Take(kMagic.size());
  const auto version = in.U8();
  const auto style = in.U8();
  const auto started = in.Time();
  const auto crc = in.U32();
  if (!std::equal(magic->begin(), magic->end(), kMagic.begin()) || *version != kVersion || *style > 1 ||
      *crc != Crc32(bytes.first(kHeaderBytes - 4))) {
    return contents;
  }
  contents.recognised = true;
  contents.style = *style == 0 ? PathStyle::kWindows : PathStyle::kPosix;
  contents.started = *started;

  bool awaiting_result = false;  // the last entry is a rename whose result has not been read yet
  while (!in.Done()) {
    const auto length = in.U32();
    const auto body_bytes = length && *length <= kMaxBodyBytes ? in.Take(*length) : std::nullopt;
    const auto check = body_bytes ? in.U32() : std::nullopt;
    const std::optional<Body> body =
        check && *check == Crc32(*body_bytes) ? ParseBody(*body_bytes, contents.style) : std::nullopt;
    // A result must follow the rename it belongs to; nothing else may come between them.
    if (!body || (body->kind == kRenameResult) != awaiting_result) {
      contents.torn = true;
      break;
    }
    if (body->kind == kRenameResult) {
      contents.entries.back().outcome = body->renamed ? JournalOutcome::kRenamed : JournalOutcome::kFailed;
      awaiting_result = false;
    } else {
      awaiting_result = body->kind == kRenameAhead;
      contents.entries.push_back(body->entry);
    }
  }
  return contents;
}

std::unique_ptr<RunJournal> RunJournal::Start(LogFolderPort& logs, ClockPort& clock, const std::string& log_dir,
                                              PathStyle style) {
  if (!logs.FolderExists(log_dir)) logs.CreateFolder(log_dir);
  const std::string base = JoinPath(log_dir, LogStamp(clock.Now()), style);
  constexpr int kMaxSuffix = 999;
  for (int n = 1; n <= kMaxSuffix; ++n) {
    const std::string path = (n == 1 ? base : base + "-" + std::to_string(n)) + std::string(kJournalSuffix);
    NewFileResult result = NewFileResult::kFailed;
    std::unique_ptr<JournalFile> file = logs.CreateJournal(path, result);
    if (file) {
      auto journal = std::make_unique<RunJournal>(std::move(file), clock, style, path);
      if (journal->Intact()) return journal;
      journal->Discard();  // not even the header could be written
      return nullptr;
    }
    if (result != NewFileResult::kAlreadyExists) return nullptr;
  }
  return nullptr;
}

RunJournal::RunJournal(std::unique_ptr<JournalFile> file, ClockPort& clock, PathStyle style, std::string path)
    : file_(std::move(file)), clock_(clock), path_(std::move(path)), last_sync_ms_(clock.Milliseconds()) {
  pending_ = EncodeHeader(style, clock_.Now());
  WritePending();
  Sync();
}

RunJournal::~RunJournal() {
  if (!file_) return;
  WritePending();
  Sync();
}

void RunJournal::AddRecord(std::uint8_t kind, const std::vector<std::uint8_t>& body_after_time) {
  std::vector<std::uint8_t> body{kind};
  PutTime(body, clock_.Now());
  body.insert(body.end(), body_after_time.begin(), body_after_time.end());
  PutU32(pending_, static_cast<std::uint32_t>(body.size()));
  pending_.insert(pending_.end(), body.begin(), body.end());
  PutU32(pending_, Crc32(body));
}

void RunJournal::RenameAhead(std::u16string_view folder, std::u16string_view name, std::u16string_view new_name,
                             bool is_directory) {
  std::vector<std::uint8_t> fields{static_cast<std::uint8_t>(is_directory ? 1 : 0)};
  PutText(fields, folder);
  PutText(fields, name);
  PutText(fields, new_name);
  AddRecord(kRenameAhead, fields);
  WritePending();  // the record must be with the system before the rename is made
}

void RunJournal::RenameDone(bool renamed) {
  AddRecord(kRenameResult, {static_cast<std::uint8_t>(renamed ? 1 : 0)});
  if (pending_.size() >= kBatchBytes) WritePending();
}

void RunJournal::Refused(std::u16string_view folder, std::u16string_view name, std::u16string_view new_name,
                         bool is_directory) {
  std::vector<std::uint8_t> fields{static_cast<std::uint8_t>(is_directory ? 1 : 0)};
  PutText(fields, folder);
  PutText(fields, name);
  PutText(fields, new_name);
  AddRecord(kRenameRefused, fields);
  if (pending_.size() >= kBatchBytes) WritePending();
}

void RunJournal::Tick() {
  if (pending_.empty() && !unsynced_) return;
  if (clock_.Milliseconds() - last_sync_ms_ < kSyncIntervalMs) return;
  WritePending();
  Sync();
}

void RunJournal::WritePending() {
  if (pending_.empty() || !file_) return;
  if (!file_->Append(pending_)) intact_ = false;
  pending_.clear();
  unsynced_ = true;
}

void RunJournal::Sync() {
  if (!file_) return;
  if (unsynced_ && !file_->Sync()) intact_ = false;
  unsynced_ = false;
  last_sync_ms_ = clock_.Milliseconds();
}

void RunJournal::Discard() {
  if (!file_) return;
  pending_.clear();
  file_->Remove();
  file_.reset();
}

}  // namespace quillon
