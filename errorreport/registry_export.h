// The text of a registry export in the version-4 registry-editor format ("REGEDIT4"): one key with
// its values and its whole subtree, as lines. The walk reads the registry through a small
// interface (the real registry in the program, a table in the tests). Texts are UTF-8 here; the
// writer turns the whole text into the system code page.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/registry_value.h"

namespace regexport {

// A character that strings cannot carry as it is, and what is written instead.
struct TSubstitution {
  char character;
  const char* replacement;
};
// Line feed, carriage return, double quote and backslash, in that order.
extern const TSubstitution kSubstitutions[4];

// The text with the four substitutions applied; every other character passes unchanged.
std::string EscapeRegistryString(std::string_view text);

// The right-hand side of a value's line: strings up to their first NUL, escaped and quoted
// (expandable strings alike); numbers as "dword:" and eight lowercase hex digits; binary data as
// "hex:" and comma-separated bytes, continued with a backslash and CR LF after every 16 bytes;
// empty for every other type. Throws ERegistryException for a number that is not four bytes long.
std::string FormatRegistryValue(const std::string& name, const registry::Value& value);

// One key opened for the walk.
class OpenKey {
 public:
  virtual ~OpenKey() = default;
  virtual std::vector<std::string> ValueNames() const = 0;
  virtual std::vector<std::string> SubkeyNames() const = 0;
  // Nothing when the value is gone.
  virtual std::optional<registry::Value> ReadValue(const std::string& name) const = 0;
};

// The keys below one root.
class KeyTree {
 public:
  virtual ~KeyTree() = default;
  // The key at `path` (below the root, no leading backslash) opened with full access; null when it
  // cannot be opened so.
  virtual std::unique_ptr<OpenKey> Open(const std::string& path) const = 0;
};

// Appends the sections of the key at `startPath` and of every key below it: each key's section
// line, its values in the registry's order and an empty line, followed at once by its subkeys'
// subtrees in the reverse of their enumeration order. A key that cannot be opened is left out
// with everything below it. `rootName` names the root in the section lines (empty for a root
// without a name).
void AppendKeyTree(const KeyTree& tree, const std::string& rootName, const std::string& startPath,
                   std::vector<std::string>& lines);

// The whole export: "REGEDIT4", an empty line, then the key tree. Nothing when the start key
// cannot be opened.
std::optional<std::vector<std::string>> ExportLines(const KeyTree& tree, const std::string& rootName,
                                                    const std::string& keyPath);

// The lines as the file holds them: CR LF after every line, the last one included.
std::string JoinExportLines(const std::vector<std::string>& lines);

}  // namespace regexport
