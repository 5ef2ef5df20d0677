#include "errorreport/registry_export.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <deque>

#include "ui/exceptions.h"

namespace regexport {

const TSubstitution kSubstitutions[4] = {{'\n', "\\n"}, {'\r', "\\r"}, {'"', "\\\""}, {'\\', "\\\\"}};

namespace {

// The escape lookup: a replacement for each of the 255 character codes, empty for most.
const std::array<std::string, 256>& EscapeLookup() {
  static const std::array<std::string, 256> lookup = [] {
    std::array<std::string, 256> table;
    for (const TSubstitution& s : kSubstitutions) table[static_cast<unsigned char>(s.character)] = s.replacement;
    return table;
  }();
  return lookup;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// A stored string (UTF-16, little-endian) up to its first NUL, as UTF-8. A lone surrogate becomes
// the replacement character.
std::string StringData(const std::vector<std::uint8_t>& data) {
  std::string text;
  const size_t units = data.size() / 2;
  const auto unit = [&data](size_t i) { return static_cast<std::uint32_t>(data[2 * i] | data[2 * i + 1] << 8); };
  for (size_t i = 0; i < units; ++i) {
    std::uint32_t code = unit(i);
    if (code == 0) break;
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (unit(++i) - 0xDC00);
    } else if (code >= 0xD800 && code < 0xE000) {
      code = 0xFFFD;
    }
    AppendUtf8(text, code);
  }
  return text;
}

std::string HexBytes(const std::vector<std::uint8_t>& data) {
  std::string text = "hex:";
  char byte[4];
  for (size_t i = 0; i < data.size(); ++i) {
    std::snprintf(byte, sizeof(byte), "%.2x", data[i]);
    text += byte;
    if (i + 1 == data.size()) break;
    text += ',';
    if (i % 16 == 15) text += "\\\r\n";
  }
  return text;
}

std::string ValueLine(const std::string& name, const std::optional<registry::Value>& value) {
  const std::string namePart = name.empty() ? "@" : "\"" + name + "\"";
  return namePart + "=" + (value ? FormatRegistryValue(name, *value) : "");
}

}  // namespace

std::string EscapeRegistryString(std::string_view text) {
  const auto& lookup = EscapeLookup();
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const std::string& replacement = lookup[static_cast<unsigned char>(c)];
    if (replacement.empty()) {
      out += c;
    } else {
      out += replacement;
    }
  }
  return out;
}

std::string FormatRegistryValue(const std::string& name, const registry::Value& value) {
  switch (value.type) {
    case registry::kString:
    case registry::kExpandString:
      return "\"" + EscapeRegistryString(StringData(value.data)) + "\"";
    case registry::kDword: {
      const std::optional<std::uint32_t> number = registry::DwordOf(value);
      if (!number) {
        throw ERegistryException("Invalid data size for '" + name + "' (" + std::to_string(value.data.size()) +
                                 " bytes for a number)");
      }
      char text[16];
      std::snprintf(text, sizeof(text), "dword:%.8x", static_cast<unsigned>(*number));
      return text;
    }
    case registry::kBinary:
      return HexBytes(value.data);
    default:
      return {};
  }
}

void AppendKeyTree(const KeyTree& tree, const std::string& rootName, const std::string& startPath,
                   std::vector<std::string>& lines) {
  std::deque<std::string> pending{startPath};
  while (!pending.empty()) {
    const std::string head = pending.front();
    if (const std::unique_ptr<OpenKey> key = tree.Open(head)) {
      lines.push_back("[" + rootName + "\\" + head + "]");
      for (const std::string& name : key->ValueNames()) lines.push_back(ValueLine(name, key->ReadValue(name)));
      lines.emplace_back();
      // Each subkey goes right behind the head, so the last one listed comes first.
      const std::vector<std::string> subkeys = key->SubkeyNames();
      for (const std::string& name : subkeys) pending.insert(pending.begin() + 1, head + "\\" + name);
    }
    pending.pop_front();
  }
}

std::optional<std::vector<std::string>> ExportLines(const KeyTree& tree, const std::string& rootName,
                                                    const std::string& keyPath) {
  const std::string path = !keyPath.empty() && keyPath[0] == '\\' ? keyPath.substr(1) : keyPath;
  if (!tree.Open(path)) return std::nullopt;
  std::vector<std::string> lines{"REGEDIT4", ""};
  AppendKeyTree(tree, rootName, path, lines);
  return lines;
}

std::string JoinExportLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace regexport
