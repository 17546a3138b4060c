// Files on Windows: handles, identity by volume serial number and file index, unique temporary
// files from GetTempFileNameA, replacement by MoveFileExA.

#include <windows.h>

#include <climits>

#include "file_port_factory.h"

namespace tessel {
namespace {

bool WriteAll(HANDLE h, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!::WriteFile(h, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return h_; }
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

class Win32SourceFile final : public SourceFile {
 public:
  explicit Win32SourceFile(HANDLE h) : h_(h) {}
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override {
    DWORD n = 0;
    const DWORD wanted = buffer.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(buffer.size());
    if (!::ReadFile(h_.Get(), buffer.data(), wanted, &n, nullptr)) return std::nullopt;
    return n;
  }

 private:
  Handle h_;
};

class Win32TargetFile final : public TargetFile {
 public:
  explicit Win32TargetFile(HANDLE h) : h_(h) {}
  bool Write(std::span<const std::uint8_t> bytes) override { return WriteAll(h_.Get(), bytes.data(), bytes.size()); }
  bool Commit() override { return FlushFileBuffers(h_.Get()) != 0; }

 private:
  Handle h_;
};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

bool IdentityOf(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  const Handle h(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return h.Valid() && GetFileInformationByHandle(h.Get(), &info);
}

class Win32FilePort final : public FilePort {
 public:
  std::unique_ptr<SourceFile> OpenSource(const std::string& path) override {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32SourceFile>(h);
  }

  std::unique_ptr<TargetFile> CreateTarget(const std::string& path) override {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32TargetFile>(h);
  }

  bool SameFile(const std::string& a, const std::string& b) override {
    BY_HANDLE_FILE_INFORMATION ia{};
    BY_HANDLE_FILE_INFORMATION ib{};
    return IdentityOf(a, ia) && IdentityOf(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
  }

  std::unique_ptr<TargetFile> CreateTemporaryBeside(const std::string& path, std::string& temporary_path) override {
    char name[MAX_PATH] = {};
    if (GetTempFileNameA(FolderOf(path).c_str(), "CNV", 0, name) == 0) return nullptr;
    HANDLE h = CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      DeleteFileA(name);
      return nullptr;
    }
    temporary_path = name;
    return std::make_unique<Win32TargetFile>(h);
  }

  bool Replace(const std::string& temporary_path, const std::string& path) override {
    return MoveFileExA(temporary_path.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  void Remove(const std::string& path) override { DeleteFileA(path.c_str()); }

  bool CreateWith(const std::string& path, std::string_view bytes) override {
    const Handle h(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    return h.Valid() && WriteAll(h.Get(), reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

  bool AppendToExisting(const std::string& path, std::string_view bytes) override {
    const Handle h(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.Valid() || SetFilePointer(h.Get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER) return false;
    return WriteAll(h.Get(), reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
};

}  // namespace

std::unique_ptr<FilePort> MakeFilePort() { return std::make_unique<Win32FilePort>(); }

}  // namespace tessel
