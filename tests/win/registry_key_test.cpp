// What: the registry key owner against Wine's real registry: opening with and without creating,
// typed writes read back through the registry API, raw values with their types, enumeration, and
// the failures that must be loud.
// Why: the settings, the start-with-Windows entry, the browser lookup and the error reports' registry
// dump all go through it; a wrong size or a silent failure corrupts what the user keeps.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/exceptions.h"
#include "ui/registry_key_win.h"

namespace {

constexpr char kTestKey[] = "Software\\Kelvane\\RowtenderTests\\RegistryKey";
constexpr wchar_t kTestKeyWide[] = L"Software\\Kelvane\\RowtenderTests\\RegistryKey";

class RegistryKeyTest : public testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKeyWide); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKeyWide); }

  // A value as the registry API gives it, bypassing the owner under test.
  static std::vector<BYTE> Raw(const wchar_t* name, DWORD& type) {
    std::vector<BYTE> data(1024);
    DWORD size = static_cast<DWORD>(data.size());
    if (RegGetValueW(HKEY_CURRENT_USER, kTestKeyWide, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size) !=
        ERROR_SUCCESS) {
      return {};
    }
    data.resize(size);
    return data;
  }
};

TEST_F(RegistryKeyTest, WritesAreStoredWithTheirTypeAndExactSize) {
  RegistryKey key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, kTestKey);
  EXPECT_EQ(key.Path(), std::string("HKEY_CURRENT_USER\\") + kTestKey);
  key.WriteDword("Number", 0xFFFFFF38u);
  key.WriteString("Text", "C:\\Program Files\\Ro\xC3\xBF.exe");  // a non-ASCII character
  key.WriteString("Empty", "");

  DWORD type = 0;
  std::vector<BYTE> number = Raw(L"Number", type);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(number, (std::vector<BYTE>{0x38, 0xFF, 0xFF, 0xFF}));
  std::vector<BYTE> text = Raw(L"Text", type);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  const std::wstring expected = L"C:\\Program Files\\Ro\u00FF.exe";
  ASSERT_EQ(text.size(), (expected.size() + 1) * sizeof(wchar_t)) << "the terminating zero is counted";
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(text.data())), expected);
  EXPECT_EQ(Raw(L"Empty", type).size(), sizeof(wchar_t));

  // Read back through the owner: typed, and raw with the type.
  EXPECT_EQ(key.ReadDword("Number"), 0xFFFFFF38u);
  EXPECT_EQ(key.ReadString("Text"), "C:\\Program Files\\Ro\xC3\xBF.exe");
  EXPECT_EQ(key.ReadString("Empty"), "");
  const std::optional<registry::Value> raw = key.ReadValue("Text");
  ASSERT_TRUE(raw.has_value());
  EXPECT_EQ(raw->type, registry::kString);
  EXPECT_EQ(raw->data.size(), text.size());
  EXPECT_FALSE(key.ReadValue("Missing").has_value());
  EXPECT_TRUE(key.ValueExists("Empty"));
  EXPECT_FALSE(key.ValueExists("Missing"));
}

TEST_F(RegistryKeyTest, RawValuesOfEveryKindAndTheNamesOfValuesAndSubkeys) {
  RegistryKey key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, kTestKey);
  const BYTE binary[] = {1, 2, 3, 0, 255};
  const wchar_t multi[] = L"one\0two\0";
  const wchar_t unterminated[] = {L'a', L'b'};
  const unsigned long long quad = 0x0102030405060708ull;
  ASSERT_EQ(RegSetValueExW(key.Handle(), L"Binary", 0, REG_BINARY, binary, sizeof(binary)), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key.Handle(), L"Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof(multi)),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key.Handle(), L"Quad", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&quad), sizeof(quad)),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key.Handle(), L"NoZero", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated),
                           sizeof(unterminated)),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key.Handle(), L"", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"default"), 16), ERROR_SUCCESS);
  std::string big(3000, 'x');  // longer than any first guess of a buffer
  key.WriteString("Big", big);
  RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, std::string(kTestKey) + "\\Sub One");
  RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, std::string(kTestKey) + "\\Sub Two\\Deeper");

  const struct {
    const char* name;
    std::uint32_t type;
    size_t size;
  } cases[] = {{"Binary", registry::kBinary, 5},       {"Multi", registry::kMultiString, sizeof(multi)},
               {"Quad", registry::kQword, 8},           {"NoZero", registry::kString, 4},
               {"", registry::kString, 16},             {"Big", registry::kString, 6002}};
  for (const auto& c : cases) {
    const std::optional<registry::Value> value = key.ReadValue(c.name);
    ASSERT_TRUE(value.has_value()) << c.name;
    EXPECT_EQ(value->type, c.type) << c.name;
    EXPECT_EQ(value->data.size(), c.size) << c.name;
  }
  EXPECT_EQ(key.ReadValue("Binary")->data, std::vector<std::uint8_t>(binary, binary + 5));
  EXPECT_EQ(key.ReadString("NoZero"), "ab");
  EXPECT_EQ(key.ReadString(""), "default");
  EXPECT_EQ(key.ReadString("Big"), big);

  std::vector<std::string> values = key.ValueNames();
  std::sort(values.begin(), values.end());
  EXPECT_EQ(values, (std::vector<std::string>{"", "Big", "Binary", "Multi", "NoZero", "Quad"}));
  std::vector<std::string> subkeys = key.SubkeyNames();
  std::sort(subkeys.begin(), subkeys.end());
  EXPECT_EQ(subkeys, (std::vector<std::string>{"Sub One", "Sub Two"}));
}

TEST_F(RegistryKeyTest, FailuresThrowWithTheKeyAndTheValue) {
  // Opening without creating: a missing key is an error and nothing is created.
  try {
    RegistryKey::Open(HKEY_CURRENT_USER, kTestKey, RegistryAccess::Read);
    ADD_FAILURE() << "a missing key opened";
  } catch (const ERegistryException& e) {
    EXPECT_NE(e.Message().find(std::string("HKEY_CURRENT_USER\\") + kTestKey), std::string::npos) << e.Message();
  }
  HKEY probe = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kTestKeyWide, 0, KEY_READ, &probe), ERROR_SUCCESS);

  RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, kTestKey).WriteString("Text", "1");
  // A leading backslash, as the program writes some paths, names the same key.
  RegistryKey readOnly = RegistryKey::Open(HKEY_CURRENT_USER, std::string("\\") + kTestKey, RegistryAccess::Read);
  EXPECT_EQ(readOnly.ReadString("Text"), "1");
  EXPECT_THROW(readOnly.WriteDword("Number", 1), ERegistryException) << "a key opened for reading took a write";
  EXPECT_THROW(readOnly.ReadDword("Text"), ERegistryException) << "a string read as a number";
  EXPECT_THROW(readOnly.ReadDword("Missing"), ERegistryException);

  RegistryKey full = RegistryKey::Open(HKEY_CURRENT_USER, kTestKey, RegistryAccess::Full);
  full.WriteDword("Number", 5);
  EXPECT_THROW(full.ReadString("Number"), ERegistryException) << "a number read as a string";
  full.DeleteValue("Number");
  EXPECT_FALSE(full.ValueExists("Number"));
  EXPECT_THROW(full.DeleteValue("Number"), ERegistryException);
}

}  // namespace
