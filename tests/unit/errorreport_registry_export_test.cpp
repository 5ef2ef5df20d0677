// What: the REGEDIT4 text of a key tree, over a table of keys: the file's frame, every value type,
// the escapes, the reverse subkey order and keys that cannot be opened.
// Why: this text is the registry dump that support reads and imports; a wrong escape or order, a
// wrapped byte too many or an unreadable key that stops the walk corrupts or loses what the user has.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "errorreport/registry_export.h"
#include "ui/exceptions.h"

namespace {

using registry::Value;
using namespace std::string_literals;

// A string as the registry stores it: UTF-16, little-endian, with its terminating NUL.
Value Sz(const std::u16string& text, std::uint32_t type = registry::kString) {
  Value value{type, {}};
  for (char16_t c : text + u'\0') {
    value.data.push_back(static_cast<std::uint8_t>(c));
    value.data.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return value;
}

Value Dword(std::uint32_t n) {
  return {registry::kDword, {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                             static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)}};
}

Value Binary(int size) {
  Value value{registry::kBinary, {}};
  for (int i = 0; i < size; ++i) value.data.push_back(static_cast<std::uint8_t>(i * 17));
  return value;
}

struct TestKey {
  std::string path;
  std::vector<std::pair<std::string, Value>> values;
  bool openable = true;
};

// Keys by path; a key's subkeys are listed in table order.
class TableTree : public regexport::KeyTree {
 public:
  explicit TableTree(std::vector<TestKey> keys) : keys_(std::move(keys)) {}
  std::unique_ptr<regexport::OpenKey> Open(const std::string& path) const override {
    for (const TestKey& key : keys_) {
      if (key.path == path && key.openable) return std::make_unique<Key>(*this, key);
    }
    return nullptr;
  }

 private:
  class Key : public regexport::OpenKey {
   public:
    Key(const TableTree& tree, const TestKey& key) : tree_(tree), key_(key) {}
    std::vector<std::string> ValueNames() const override {
      std::vector<std::string> names;
      for (const auto& value : key_.values) names.push_back(value.first);
      return names;
    }
    std::vector<std::string> SubkeyNames() const override {
      std::vector<std::string> names;
      for (const TestKey& other : tree_.keys_) {
        const std::string prefix = key_.path + "\\";
        if (other.path.rfind(prefix, 0) == 0 && other.path.find('\\', prefix.size()) == std::string::npos) {
          names.push_back(other.path.substr(prefix.size()));
        }
      }
      return names;
    }
    std::optional<Value> ReadValue(const std::string& name) const override {
      for (const auto& value : key_.values) {
        if (value.first == name) return value.second;
      }
      return std::nullopt;
    }

   private:
    const TableTree& tree_;
    const TestKey& key_;
  };
  std::vector<TestKey> keys_;
};

TEST(RegistryExport, KeyTreesAreWrittenAsRegedit4Text) {
  const std::string head = "REGEDIT4\r\n\r\n";
  const struct {
    const char* what;
    std::vector<TestKey> keys;
    std::string root = "HKEY_CURRENT_USER";
    std::string start = "Software\\T";
    std::string expected;  // "" with throws: the export fails
    bool throws = false;
  } cases[] = {
      {"an empty key: four lines", {{"Software\\T", {}}}, "HKEY_CURRENT_USER", "\\Software\\T",
       head + "[HKEY_CURRENT_USER\\Software\\T]\r\n\r\n"},
      {"the default value and the escape sample",
       {{"Software\\T", {{"", Sz(u"default")}, {"s", Sz(u"\"\\\r\n")}}}},
       "HKEY_CURRENT_USER", "Software\\T",
       head + "[HKEY_CURRENT_USER\\Software\\T]\r\n@=\"default\"\r\n\"s\"=\"\\\"\\\\\\r\\n\"\r\n\r\n"},
      {"names unescaped; tabs pass; strings end at their NUL; expandable like plain",
       {{"Software\\T", {{"a\"b\\c", Sz(u"x\ty")}, {"cut", Sz(u"before\0after"s)}, {"e", Sz(u"%P%", 2)}}}},
       "HKEY_CURRENT_USER", "Software\\T",
       head + "[HKEY_CURRENT_USER\\Software\\T]\r\n\"a\"b\\c\"=\"x\ty\"\r\n\"cut\"=\"before\"\r\n\"e\"=\"%P%\"\r\n\r\n"},
      {"texts outside ASCII, a surrogate pair among them",
       {{"Software\\T", {{"caf\xC3\xA9", Sz(u"\u20AC \U0001F600")}}}}, "HKEY_CURRENT_USER", "Software\\T",
       head + "[HKEY_CURRENT_USER\\Software\\T]\r\n\"caf\xC3\xA9\"=\"\xE2\x82\xAC \xF0\x9F\x98\x80\"\r\n\r\n"},
      {"numbers, binary of 0, 16 and 17 bytes, a multi-string",
       {{"Software\\T",
         {{"n", Dword(255)}, {"b0", Binary(0)}, {"b16", Binary(16)}, {"b17", Binary(17)},
          {"m", Sz(u"a\0b\0"s, registry::kMultiString)}, {"q", {registry::kQword, {1, 0, 0, 0, 0, 0, 0, 0}}}}}},
       "HKEY_CURRENT_USER", "Software\\T",
       head + "[HKEY_CURRENT_USER\\Software\\T]\r\n\"n\"=dword:000000ff\r\n\"b0\"=hex:\r\n"
              "\"b16\"=hex:00,11,22,33,44,55,66,77,88,99,aa,bb,cc,dd,ee,ff\r\n"
              "\"b17\"=hex:00,11,22,33,44,55,66,77,88,99,aa,bb,cc,dd,ee,ff,\\\r\n10\r\n\"m\"=\r\n\"q\"=\r\n\r\n"},
      {"subkeys A, B, C come as C, B, A, each with its own subtree at once",
       {{"S", {}}, {"S\\A", {{"v", Dword(1)}}}, {"S\\B", {}}, {"S\\B\\X", {}}, {"S\\B\\Y", {}}, {"S\\C", {}}},
       "HKEY_LOCAL_MACHINE", "S",
       head + "[HKEY_LOCAL_MACHINE\\S]\r\n\r\n[HKEY_LOCAL_MACHINE\\S\\C]\r\n\r\n[HKEY_LOCAL_MACHINE\\S\\B]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\S\\B\\Y]\r\n\r\n[HKEY_LOCAL_MACHINE\\S\\B\\X]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\S\\A]\r\n\"v\"=dword:00000001\r\n\r\n"},
      {"a key that cannot be opened is left out with its subtree; the walk goes on",
       {{"S", {}}, {"S\\A", {}}, {"S\\B", {}, false}, {"S\\B\\X", {}}, {"S\\C", {}}}, "HKEY_CURRENT_USER", "S",
       head + "[HKEY_CURRENT_USER\\S]\r\n\r\n[HKEY_CURRENT_USER\\S\\C]\r\n\r\n[HKEY_CURRENT_USER\\S\\A]\r\n\r\n"},
      {"a root without a name", {{"S", {}}}, "", "S", head + "[\\S]\r\n\r\n"},
      {"a start key that cannot be opened gives nothing", {{"S", {}, false}}, "HKEY_CURRENT_USER", "S", ""},
      {"a number of another size than four bytes is a read error",
       {{"S", {{"n", {registry::kDword, {1, 2}}}}}}, "HKEY_CURRENT_USER", "S", "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TableTree tree(c.keys);
    if (c.throws) {
      EXPECT_THROW(regexport::ExportLines(tree, c.root, c.start), ERegistryException);
      continue;
    }
    const auto lines = regexport::ExportLines(tree, c.root, c.start);
    EXPECT_EQ(lines ? regexport::JoinExportLines(*lines) : "", c.expected);
  }
}

}  // namespace
