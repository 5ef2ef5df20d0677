#include "errorreport/registry_export_win.h"

#include "errorreport/registry_export.h"
#include "ui/file_win.h"
#include "ui/registry_key_win.h"
#include "ui/strings.h"

namespace {

class OpenRegistryKey : public regexport::OpenKey {
 public:
  explicit OpenRegistryKey(RegistryKey key) : key_(std::move(key)) {}
  std::vector<std::string> ValueNames() const override { return key_.ValueNames(); }
  std::vector<std::string> SubkeyNames() const override { return key_.SubkeyNames(); }
  std::optional<registry::Value> ReadValue(const std::string& name) const override { return key_.ReadValue(name); }

 private:
  RegistryKey key_;
};

// Keys are opened for reading and writing, as the export has always asked: a key the user may
// only read is left out.
class RegistryKeyTree : public regexport::KeyTree {
 public:
  explicit RegistryKeyTree(HKEY root) : root_(root) {}
  std::unique_ptr<regexport::OpenKey> Open(const std::string& path) const override {
    std::optional<RegistryKey> key = RegistryKey::TryOpen(root_, path, RegistryAccess::Full);
    if (!key) return nullptr;
    return std::make_unique<OpenRegistryKey>(std::move(*key));
  }

 private:
  HKEY root_;
};

}  // namespace

void ExportRegistryKey(HKEY root, const std::string& keyPath, const std::wstring& fileName, bool overwrite) {
  if (!overwrite && FileExists(fileName)) return;
  const std::optional<std::vector<std::string>> lines =
      regexport::ExportLines(RegistryKeyTree(root), RootKeyName(root), keyPath);
  if (!lines) return;
  if (!DeleteFileIfExists(fileName)) return;
  WriteWholeFile(fileName, WideToAnsi(Widen(regexport::JoinExportLines(*lines))));
}
