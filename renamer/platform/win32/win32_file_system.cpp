#include "win32_file_system.h"

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

 private:
  explicit Win32FolderSearch(std::u16string_view folder) : folder_(folder) {}

  std::u16string folder_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW data_ {};
  bool pending_ = false;
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

LocalTime Win32Clock::Now() {
  SYSTEMTIME t {};
  GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace quillon::win32
