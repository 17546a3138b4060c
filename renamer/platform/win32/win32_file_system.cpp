#include "platform/win32/win32_file_system.h"

#include <windows.h>

namespace quillon::win32 {
namespace {

class Win32FolderSearch : public FolderSearch {
 public:
  // Starts a search of folder + "\*.*"; null when the search cannot start.
  static std::unique_ptr<FolderSearch> Start(std::u16string_view folder) {
    auto search = std::unique_ptr<Win32FolderSearch>(new Win32FolderSearch(folder));
    const std::wstring pattern = ToWide(folder) + L"\\*.*";
    search->handle_ = FindFirstFileW(pattern.c_str(), &search->data_);
    if (search->handle_ == INVALID_HANDLE_VALUE) return nullptr;
    search->pending_ = true;
    return search;
  }

  ~Win32FolderSearch() override {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  Win32FolderSearch(const Win32FolderSearch&) = delete;
  Win32FolderSearch& operator=(const Win32FolderSearch&) = delete;

  bool Next(DirectoryEntry& entry) override {
    if (!pending_ && !FindNextFileW(handle_, &data_)) return false;
    pending_ = false;
    entry.name = FromWide(data_.cFileName);
    entry.name_exact = true;
    entry.is_directory = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.walk_into = entry.is_directory && (data_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
    return true;
  }

  std::unique_ptr<FolderSearch> OpenSubfolder(const DirectoryEntry&, std::u16string_view path) override {
    return Start(path);
  }

  bool Rename(std::u16string_view old_name, std::u16string_view new_name) override {
    const std::wstring folder = ToWide(folder_) + L"\\";
    const std::wstring source = folder + ToWide(old_name);
    const std::wstring target = folder + ToWide(new_name);
    return MoveFileW(source.c_str(), target.c_str()) != 0;
  }

  bool Exists(std::u16string_view name) override {
    const std::wstring path = ToWide(folder_) + L"\\" + ToWide(name);
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

 private:
  explicit Win32FolderSearch(std::u16string_view folder) : folder_(folder) {}

  std::u16string folder_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW data_{};
  bool pending_ = false;
};

// Reads a whole open file; nothing when a read fails.
std::optional<std::vector<std::uint8_t>> ReadAll(HANDLE file) {
  std::vector<std::uint8_t> bytes;
  std::uint8_t block[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, block, sizeof block, &got, nullptr)) return std::nullopt;
    if (got == 0) return bytes;
    bytes.insert(bytes.end(), block, block + got);
  }
}

// A journal being written. It is open for writing with no sharing of writes, so a start-up's open
// for exclusive use fails while the run goes on.
class Win32JournalFile : public JournalFile {
 public:
  Win32JournalFile(HANDLE file, std::string path, bool shares_delete)
      : file_(file), path_(std::move(path)), shares_delete_(shares_delete) {}
  ~Win32JournalFile() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  Win32JournalFile(const Win32JournalFile&) = delete;
  Win32JournalFile& operator=(const Win32JournalFile&) = delete;

  bool Append(std::span<const std::uint8_t> bytes) override {
    DWORD written = 0;
    return file_ != INVALID_HANDLE_VALUE &&
           WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
           written == bytes.size();
  }
  bool Sync() override { return file_ != INVALID_HANDLE_VALUE && FlushFileBuffers(file_) != 0; }
  void Remove() override {
    // Deleted while still open where the system allows it, so no start-up can take it in between.
    const bool deleted = shares_delete_ && DeleteFileA(path_.c_str()) != 0;
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    if (!deleted) DeleteFileA(path_.c_str());
  }

 private:
  HANDLE file_;
  std::string path_;
  bool shares_delete_;
};

class Win32LeftJournal : public LeftJournal {
 public:
  Win32LeftJournal(HANDLE file, std::string path, std::vector<std::uint8_t> contents)
      : file_(file), path_(std::move(path)), contents_(std::move(contents)) {}
  ~Win32LeftJournal() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  Win32LeftJournal(const Win32LeftJournal&) = delete;
  Win32LeftJournal& operator=(const Win32LeftJournal&) = delete;

  const std::vector<std::uint8_t>& Contents() const override { return contents_; }
  void Remove() override {
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    DeleteFileA(path_.c_str());
  }

 private:
  HANDLE file_;
  std::string path_;
  std::vector<std::uint8_t> contents_;
};

}  // namespace

std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::u16string FromWide(std::wstring_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (wchar_t c : text) out += static_cast<char16_t>(c);
  return out;
}

std::unique_ptr<FolderSearch> Win32FileSystem::OpenFolder(std::u16string_view path) {
  return Win32FolderSearch::Start(path);
}

bool Win32LogFolder::FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void Win32LogFolder::CreateFolder(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }

NewFileResult Win32LogFolder::WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? NewFileResult::kAlreadyExists
                                                                       : NewFileResult::kFailed;
  }
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
                  written == bytes.size();
  const bool closed = CloseHandle(file) != 0;
  if (!ok || !closed) {
    DeleteFileA(path.c_str());  // a partial log would pass for a whole one
    return NewFileResult::kFailed;
  }
  return NewFileResult::kWritten;
}

std::optional<std::vector<std::uint8_t>> Win32LogFolder::ReadFile(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> bytes = ReadAll(file);
  CloseHandle(file);
  return bytes;
}

std::vector<std::string> Win32LogFolder::ListFiles(const std::string& folder, std::string_view suffix) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data{};
  const std::string pattern = folder + "\\*" + std::string(suffix);
  HANDLE search = FindFirstFileA(pattern.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string_view name = data.cFileName;
    // The pattern also matches short names and longer suffixes ("x.journal2" as "X~1.JOU").
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && name.size() > suffix.size() &&
        name.ends_with(suffix)) {
      names.emplace_back(name);
    }
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return names;
}

std::unique_ptr<JournalFile> Win32LogFolder::CreateJournal(const std::string& path, NewFileResult& result) {
  bool shares_delete = true;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
    // Windows 95/98/Me know no sharing of deletion.
    shares_delete = false;
    file =
        CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    result = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? NewFileResult::kAlreadyExists
                                                                         : NewFileResult::kFailed;
    return nullptr;
  }
  result = NewFileResult::kWritten;
  return std::make_unique<Win32JournalFile>(file, path, shares_delete);
}

std::unique_ptr<LeftJournal> Win32LogFolder::TakeLeftJournal(const std::string& path) {
  // No sharing at all: fails while a run writes the file, or another start-up has taken it.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  std::optional<std::vector<std::uint8_t>> contents = ReadAll(file);
  if (!contents) {
    CloseHandle(file);
    return nullptr;
  }
  return std::make_unique<Win32LeftJournal>(file, path, std::move(*contents));
}

LocalTime Win32Clock::Now() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

std::uint32_t Win32Clock::Milliseconds() { return GetTickCount(); }

std::uint64_t Win32Clock::Microseconds() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER count{};
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0 || !QueryPerformanceCounter(&count)) {
    return static_cast<std::uint64_t>(GetTickCount()) * 1000;  // no counter: the tick count's precision
  }
  const auto ticks = static_cast<std::uint64_t>(count.QuadPart);
  const auto per_second = static_cast<std::uint64_t>(frequency.QuadPart);
  return ticks / per_second * 1000000 + ticks % per_second * 1000000 / per_second;
}

}  // namespace quillon::win32
