// What pictor needs of the platform's registry. Names, paths and string data are code page 950
// byte strings, as the registry's ANSI functions give them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pictor {

enum class RegistryRoot {
  kCurrentUser,   // HKEY_CURRENT_USER
  kLocalMachine,  // HKEY_LOCAL_MACHINE
};

enum class RegistryAccess {
  kRead,
  kAll,  // read and write
};

// Registry value types (the platform's REG_* numbers).
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

struct RegistryValue {
  std::string name;  // empty for the key's default value
  std::uint32_t type = kRegNone;
  // REG_SZ and REG_EXPAND_SZ: the text without its terminating zero. REG_MULTI_SZ: the texts,
  // each followed by a zero, then a closing zero. Other types: the stored bytes.
  std::string data;
};

// An open key; closing it is destroying it.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  // The name of subkey number `index` (from 0), or nullopt when there is no such subkey,
  // which ends an enumeration.
  virtual std::optional<std::string> SubkeyAt(std::uint32_t index) = 0;
  // Value number `index` (from 0), or nullopt when there is no such value.
  virtual std::optional<RegistryValue> ValueAt(std::uint32_t index) = 0;
  // The value of that name (compared without regard to case), or nullopt.
  virtual std::optional<RegistryValue> Query(std::string_view name) = 0;
  // Writes a value, replacing one of the same name. False when the key was opened for reading
  // or the write failed.
  virtual bool Set(const RegistryValue& value) = 0;
  // Deletes a value. False when there is none of that name or the deletion failed.
  virtual bool Delete(std::string_view name) = 0;
};

class RegistryPort {
 public:
  virtual ~RegistryPort() = default;

  // Opens an existing key, path relative to the root with backslash separators ("" is the
  // root itself). Null when the key does not exist or cannot be opened.
  virtual std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path, RegistryAccess access) = 0;
  // Opens a key for reading and writing, creating it and the keys above it as needed.
  virtual std::unique_ptr<RegistryKey> Create(RegistryRoot root, std::string_view path) = 0;
};

}  // namespace pictor
