#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pictor::win32 {

static_assert(kRegNone == REG_NONE);
static_assert(kRegSz == REG_SZ);
static_assert(kRegExpandSz == REG_EXPAND_SZ);
static_assert(kRegBinary == REG_BINARY);
static_assert(kRegDword == REG_DWORD);
static_assert(kRegMultiSz == REG_MULTI_SZ);

namespace {

// Values and names larger than this are taken as a failure rather than grown into.
constexpr DWORD kMaxBuffer = 16 * 1024 * 1024;

HKEY RootHandle(RegistryRoot root) {
  return root == RegistryRoot::kCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

RegistryValue MakeValue(std::string name, DWORD type, const std::vector<BYTE>& data, DWORD size) {
  RegistryValue value{std::move(name), type, std::string(data.begin(), data.begin() + size)};
  if (IsStringType(type)) {
    while (!value.data.empty() && value.data.back() == '\0') value.data.pop_back();
  }
  return value;
}

class Win32Key : public RegistryKey {
 public:
  Win32Key(HKEY key, bool writable) : key_(key), writable_(writable) {}
  ~Win32Key() override { RegCloseKey(key_); }
  Win32Key(const Win32Key&) = delete;
  Win32Key& operator=(const Win32Key&) = delete;

  std::optional<std::string> SubkeyAt(std::uint32_t index) override {
    std::vector<char> name(512);
    while (true) {
      DWORD length = static_cast<DWORD>(name.size());
      const LONG result = RegEnumKeyExA(key_, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
      if (result == ERROR_SUCCESS) return std::string(name.data(), length);
      if (result != ERROR_MORE_DATA || name.size() >= kMaxBuffer) return std::nullopt;
      name.resize(name.size() * 2);
    }
  }

  std::optional<RegistryValue> ValueAt(std::uint32_t index) override {
    std::vector<char> name(512);
    std::vector<BYTE> data(1024);
    while (true) {
      DWORD name_length = static_cast<DWORD>(name.size());
      DWORD type = 0;
      DWORD size = static_cast<DWORD>(data.size());
      const LONG result = RegEnumValueA(key_, index, name.data(), &name_length, nullptr, &type, data.data(), &size);
      if (result == ERROR_SUCCESS) {
        return MakeValue(std::string(name.data(), name_length), type, data, size);
      }
      if (result != ERROR_MORE_DATA || data.size() >= kMaxBuffer) return std::nullopt;
      // Which of the two was too small is not told: grow both.
      name.resize(name.size() * 2);
      data.resize(std::max<std::size_t>(data.size() * 2, size));
    }
  }

  std::optional<RegistryValue> Query(std::string_view name) override {
    const std::string z_name(name);
    std::vector<BYTE> data(1024);
    while (true) {
      DWORD type = 0;
      DWORD size = static_cast<DWORD>(data.size());
      const LONG result = RegQueryValueExA(key_, z_name.c_str(), nullptr, &type, data.data(), &size);
      if (result == ERROR_SUCCESS) return MakeValue(z_name, type, data, size);
      if (result != ERROR_MORE_DATA || size > kMaxBuffer) return std::nullopt;
      data.resize(size);
    }
  }

  bool Set(const RegistryValue& value) override {
    if (!writable_) return false;
    std::string data = value.data;
    if (IsStringType(value.type)) data.push_back('\0');
    return RegSetValueExA(key_, value.name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  }

  bool Delete(std::string_view name) override {
    if (!writable_) return false;
    return RegDeleteValueA(key_, std::string(name).c_str()) == ERROR_SUCCESS;
  }

 private:
  HKEY key_;
  bool writable_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::Open(RegistryRoot root, std::string_view path, RegistryAccess access) {
  HKEY key = nullptr;
  const REGSAM rights = access == RegistryAccess::kAll ? KEY_ALL_ACCESS : KEY_READ;
  if (RegOpenKeyExA(RootHandle(root), std::string(path).c_str(), 0, rights, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<Win32Key>(key, access == RegistryAccess::kAll);
}

std::unique_ptr<RegistryKey> Win32Registry::Create(RegistryRoot root, std::string_view path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(RootHandle(root), std::string(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<Win32Key>(key, true);
}

}  // namespace pictor::win32
