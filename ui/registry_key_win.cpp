#include "ui/registry_key_win.h"

#include <algorithm>
#include <cstring>

#include "ui/exceptions.h"
#include "ui/strings.h"
#include "ui/system_error_win.h"

namespace {

std::string FullPath(HKEY root, const std::string& path) {
  const std::string rootName = RootKeyName(root);
  const std::string relative = !path.empty() && path[0] == '\\' ? path.substr(1) : path;
  return relative.empty() ? rootName : rootName + "\\" + relative;
}

// Paths may start with a backslash, as the program writes them; the registry wants none.
std::wstring RelativePath(const std::string& path) {
  return Widen(!path.empty() && path[0] == '\\' ? path.substr(1) : path);
}

REGSAM Rights(RegistryAccess access) { return access == RegistryAccess::Full ? KEY_ALL_ACCESS : KEY_READ; }

[[noreturn]] void ThrowOpenFailure(HKEY root, const std::string& path, LONG status) {
  throw ERegistryException("Cannot open key " + FullPath(root, path) + " (" +
                           SystemErrorText(static_cast<DWORD>(status)) + ")");
}

}  // namespace

std::string RootKeyName(HKEY root) {
  if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
  if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  if (root == HKEY_USERS) return "HKEY_USERS";
  if (root == HKEY_PERFORMANCE_DATA) return "HKEY_PERFORMANCE_DATA";
  if (root == HKEY_CURRENT_CONFIG) return "HKEY_CURRENT_CONFIG";
  if (root == HKEY_DYN_DATA) return "HKEY_DYN_DATA";
  return {};
}

RegistryKey RegistryKey::Open(HKEY root, const std::string& path, RegistryAccess access) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExW(root, RelativePath(path).c_str(), 0, Rights(access), &opened);
  if (status != ERROR_SUCCESS) ThrowOpenFailure(root, path, status);
  return RegistryKey(UniqueKey(opened), FullPath(root, path));
}

std::optional<RegistryKey> RegistryKey::TryOpen(HKEY root, const std::string& path, RegistryAccess access) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, RelativePath(path).c_str(), 0, Rights(access), &opened) != ERROR_SUCCESS) return std::nullopt;
  return RegistryKey(UniqueKey(opened), FullPath(root, path));
}

RegistryKey RegistryKey::OpenOrCreate(HKEY root, const std::string& path) {
  HKEY opened = nullptr;
  const LONG status = RegCreateKeyExW(root, RelativePath(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_ALL_ACCESS, nullptr, &opened, nullptr);
  if (status != ERROR_SUCCESS) ThrowOpenFailure(root, path, status);
  return RegistryKey(UniqueKey(opened), FullPath(root, path));
}

void RegistryKey::Fail(const std::string& what, const std::string& name, LONG status) const {
  throw ERegistryException(what + " '" + name + "' in " + path_ + " (" + SystemErrorText(static_cast<DWORD>(status)) +
                           ")");
}

std::vector<std::string> RegistryKey::ValueNames() const {
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    // A name is at most 16383 characters; the buffer grows only when the key says so.
    std::wstring name(256, L'\0');
    LONG status;
    for (;;) {
      DWORD length = static_cast<DWORD>(name.size());
      status = RegEnumValueW(key_.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
      if (status != ERROR_MORE_DATA || name.size() > 32767) {
        name.resize(status == ERROR_SUCCESS ? length : 0);
        break;
      }
      name.resize(name.size() * 2);
    }
    if (status == ERROR_NO_MORE_ITEMS) return names;
    if (status != ERROR_SUCCESS) Fail("Failed to list the values", "", status);
    names.push_back(Narrow(name));
  }
}

std::vector<std::string> RegistryKey::SubkeyNames() const {
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];  // a key's name is at most 255 characters
    DWORD length = static_cast<DWORD>(sizeof(name) / sizeof(name[0]));
    const LONG status = RegEnumKeyExW(key_.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return names;
    if (status != ERROR_SUCCESS) Fail("Failed to list the subkeys", "", status);
    names.push_back(Narrow(std::wstring(name, length)));
  }
}

bool RegistryKey::ValueExists(const std::string& name) const {
  return RegQueryValueExW(key_.Get(), Widen(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::optional<registry::Value> RegistryKey::ReadValue(const std::string& name) const {
  const std::wstring wideName = Widen(name);
  registry::Value value;
  // The value can grow between asking its size and reading it: ask again until it fits.
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(value.data.size());
    const LONG status = RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &type,
                                         value.data.empty() ? nullptr : value.data.data(), &size);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status == ERROR_SUCCESS && (!value.data.empty() || size == 0)) {
      value.type = type;
      value.data.resize(size);
      return value;
    }
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) Fail("Failed to get data for", name, status);
    value.data.resize(size);
  }
  Fail("Failed to get data for", name, ERROR_MORE_DATA);
}

std::uint32_t RegistryKey::ReadDword(const std::string& name) const {
  const std::optional<registry::Value> value = ReadValue(name);
  if (!value) Fail("Failed to get data for", name, ERROR_FILE_NOT_FOUND);
  const std::optional<std::uint32_t> number = registry::DwordOf(*value);
  if (!number) throw ERegistryException("Invalid data type for '" + name + "' in " + path_);
  return *number;
}

std::string RegistryKey::ReadString(const std::string& name) const {
  const std::optional<registry::Value> value = ReadValue(name);
  if (!value) Fail("Failed to get data for", name, ERROR_FILE_NOT_FOUND);
  if (value->type != registry::kString && value->type != registry::kExpandString) {
    throw ERegistryException("Invalid data type for '" + name + "' in " + path_);
  }
  std::wstring text(value->data.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(text.data(), value->data.data(), text.size() * sizeof(wchar_t));
  // Stored texts need not end with a zero, and may hold more after one.
  text.resize(std::min(text.size(), text.find(L'\0')));
  return Narrow(text);
}

void RegistryKey::WriteDword(const std::string& name, std::uint32_t value) {
  const DWORD data = value;
  const LONG status = RegSetValueExW(key_.Get(), Widen(name).c_str(), 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&data), sizeof(data));
  if (status != ERROR_SUCCESS) Fail("Failed to set data for", name, status);
}

void RegistryKey::WriteString(const std::string& name, const std::string& value) {
  const std::wstring text = Widen(value);
  const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  const LONG status =
      RegSetValueExW(key_.Get(), Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), size);
  if (status != ERROR_SUCCESS) Fail("Failed to set data for", name, status);
}

void RegistryKey::DeleteValue(const std::string& name) {
  const LONG status = RegDeleteValueW(key_.Get(), Widen(name).c_str());
  if (status != ERROR_SUCCESS) Fail("Failed to delete", name, status);
}
