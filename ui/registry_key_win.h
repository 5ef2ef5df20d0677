// The owner of an open registry key: opening (with or without creating), typed reads and writes,
// the raw data of a value with its type, and the names of its values and subkeys. Failures throw
// ERegistryException with the key's path, the value's name and the system's message. Names and
// texts are UTF-8; the wide registry functions are used underneath.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/handles.h"
#include "ui/registry_value.h"

enum class RegistryAccess { Read, Full };

class RegistryKey {
 public:
  // Opens an existing key without creating it; throws when it is missing or access is refused.
  static RegistryKey Open(HKEY root, const std::string& path, RegistryAccess access);
  // The same without the error: nothing when the key is missing or access is refused.
  static std::optional<RegistryKey> TryOpen(HKEY root, const std::string& path, RegistryAccess access);
  // Opens the key for full access, creating it and any missing parent; throws when it cannot.
  static RegistryKey OpenOrCreate(HKEY root, const std::string& path);

  RegistryKey(RegistryKey&&) = default;
  RegistryKey& operator=(RegistryKey&&) = default;

  HKEY Handle() const { return key_.Get(); }
  // The path as given when opening, under its root's name ("HKEY_CURRENT_USER\Software\...").
  const std::string& Path() const { return path_; }

  std::vector<std::string> ValueNames() const;
  std::vector<std::string> SubkeyNames() const;

  bool ValueExists(const std::string& name) const;
  // The value's type and raw data; nothing when the value does not exist. "" names the key's
  // unnamed (default) value.
  std::optional<registry::Value> ReadValue(const std::string& name) const;
  // A REG_DWORD; throws when the value is missing or of another type or size.
  std::uint32_t ReadDword(const std::string& name) const;
  // A REG_SZ or REG_EXPAND_SZ (not expanded), up to its first terminating zero; throws otherwise.
  std::string ReadString(const std::string& name) const;

  void WriteDword(const std::string& name, std::uint32_t value);
  // Writes a REG_SZ, its terminating zero counted in the stored size.
  void WriteString(const std::string& name, const std::string& value);
  // Throws when the value does not exist or cannot be deleted.
  void DeleteValue(const std::string& name);

 private:
  RegistryKey(UniqueKey key, std::string path) : key_(std::move(key)), path_(std::move(path)) {}
  [[noreturn]] void Fail(const std::string& what, const std::string& name, LONG status) const;

  UniqueKey key_;
  std::string path_;
};

// The name of a predefined root key ("HKEY_CURRENT_USER"); "" for any other handle.
std::string RootKeyName(HKEY root);
