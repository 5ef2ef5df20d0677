// What: the registry dump against Wine's real registry: a key tree with every kind of value and a
// subkey that is listed but cannot be opened is written to a file, which Wine's own regedit then
// imports into another key, compared value by value with the original; a file that is there stays
// untouched unless overwriting is asked for.
// Why: support imports the dump to see the user's settings; only another program reading the file
// shows that the text, its escapes, its line ends and its code page are right.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "errorreport/registry_export_win.h"
#include "ui/file_win.h"
#include "ui/handles.h"
#include "ui/strings.h"

namespace {

constexpr wchar_t kBase[] = L"Software\\Kelvane\\RowtenderTests\\Export";
constexpr wchar_t kSource[] = L"Software\\Kelvane\\RowtenderTests\\Export\\Source";
constexpr wchar_t kImported[] = L"Software\\Kelvane\\RowtenderTests\\Export\\Imported";
constexpr wchar_t kLinkParent[] = L"Software\\Kelvane\\RowtenderTests\\Export\\Source\\B";

struct RawValue {
  DWORD type;
  std::vector<BYTE> data;
  bool operator==(const RawValue& other) const { return type == other.type && data == other.data; }
};
using RawValues = std::map<std::wstring, RawValue>;

UniqueKey Create(const std::wstring& path) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return UniqueKey(key);
}

void Set(HKEY key, const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
  ASSERT_EQ(RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
}

std::vector<BYTE> Text(const std::wstring& text) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
}

// Every value of a key as the registry API lists it.
RawValues ValuesOf(const std::wstring& path) {
  RawValues values;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return values;
  UniqueKey key(opened);
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256, type = 0, size = 4096;
    std::vector<BYTE> data(size);
    if (RegEnumValueW(key.Get(), i, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
    data.resize(size);
    values[name] = {type, data};
  }
  return values;
}

std::wstring UserKeyPath() {
  HANDLE token = nullptr;
  OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
  UniqueKernelHandle owner(token);
  BYTE buffer[256];
  DWORD length = 0;
  GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &length);
  wchar_t* sid = nullptr;
  ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid);
  std::wstring path = L"\\REGISTRY\\USER\\" + std::wstring(sid ? sid : L"");
  LocalFree(sid);
  return path;
}

// A subkey that every listing shows but nobody can open: a link to a key that does not exist.
void CreateDanglingLink() {
  HKEY parent = Create(kLinkParent).Release(), link = nullptr;
  UniqueKey parentOwner(parent);
  ASSERT_EQ(RegCreateKeyExW(parent, L"Dangling", 0, nullptr, REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link, nullptr),
            ERROR_SUCCESS);
  UniqueKey linkOwner(link);
  const std::wstring target = UserKeyPath() + L"\\" + kBase + L"\\Missing";
  Set(link, L"SymbolicLinkValue", REG_LINK,
      std::vector<BYTE>(reinterpret_cast<const BYTE*>(target.data()),
                        reinterpret_cast<const BYTE*>(target.data() + target.size())));
}

// A link is removed as itself, not followed to its target.
void RemoveDanglingLink() {
  HKEY link = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kLinkParent) + L"\\Dangling").c_str(), REG_OPTION_OPEN_LINK,
                    DELETE, &link) != ERROR_SUCCESS) {
    return;
  }
  using DeleteKey = LONG(WINAPI*)(HANDLE);
  auto deleteKey = reinterpret_cast<DeleteKey>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
  deleteKey(link);
  RegCloseKey(link);
}

void RunRegedit(const std::wstring& file) {
  std::wstring command = L"regedit.exe /s \"" + file + L"\"";
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  UniqueKernelHandle thread(process.hThread), owner(process.hProcess);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0) << "regedit did not finish";
}

class RegistryExportTest : public testing::Test {
 protected:
  void SetUp() override {
    Clean();
    UniqueKey source = Create(kSource);
    Set(source.Get(), L"", REG_SZ, Text(L"top"));
    Set(source.Get(), L"text", REG_SZ, Text(L"Caf\u00E9 \"quoted\" back\\slash\ttab"));
    Set(source.Get(), L"lines", REG_SZ, Text(L"first\r\nsecond\nthird"));
    Set(source.Get(), L"number", REG_DWORD, {0xEF, 0xBE, 0xAD, 0xDE});
    Set(source.Get(), L"zero", REG_DWORD, {0, 0, 0, 0});
    std::vector<BYTE> bytes;
    for (int i = 0; i < 40; ++i) bytes.push_back(static_cast<BYTE>(i * 7));
    Set(source.Get(), L"binary", REG_BINARY, bytes);
    Set(source.Get(), L"empty", REG_BINARY, {});
    Set(source.Get(), L"expand", REG_EXPAND_SZ, Text(L"%TEMP%\\x"));
    Set(source.Get(), L"multi", REG_MULTI_SZ, Text(std::wstring(L"a\0b\0", 4)));
    Set(Create(std::wstring(kSource) + L"\\A").Get(), L"a", REG_DWORD, {1, 0, 0, 0});
    Set(Create(std::wstring(kSource) + L"\\B\\X").Get(), L"x", REG_SZ, Text(L"deep"));
    Create(std::wstring(kSource) + L"\\C");
    CreateDanglingLink();
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    file_ = std::wstring(folder) + L"RowtenderExportTest.reg";
    DeleteFileW(file_.c_str());
  }
  void TearDown() override {
    Clean();
    DeleteFileW(file_.c_str());
  }
  static void Clean() {
    RemoveDanglingLink();
    RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
  }
  std::wstring file_;
};

TEST_F(RegistryExportTest, TheFileImportedByRegeditGivesBackEveryValueTheFormatCarries) {
  // B lists a subkey that cannot be opened.
  HKEY parent = nullptr, link = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kLinkParent, 0, KEY_READ, &parent), ERROR_SUCCESS);
  UniqueKey parentOwner(parent);
  wchar_t first[32];
  DWORD firstLength = 32;
  ASSERT_EQ(RegEnumKeyExW(parent, 0, first, &firstLength, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExW(parent, first, 0, KEY_READ, &link), ERROR_FILE_NOT_FOUND) << Narrow(first);

  ExportRegistryKey(HKEY_CURRENT_USER, "\\" + Narrow(kSource), file_, true);
  const std::string text = ReadWholeFile(file_);
  const std::string section = "[HKEY_CURRENT_USER\\" + Narrow(kSource);
  EXPECT_EQ(text.rfind("REGEDIT4\r\n\r\n" + section + "]\r\n", 0), 0u) << text;
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    ASSERT_EQ(text[at - 1], '\r') << "a line break without CR at " << at;
  }
  EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
  // The sections: C's subtree first, then B's, then A's; the link that cannot be opened is missing.
  std::vector<std::string> sections;
  for (size_t at = text.find("\r\n["); at != std::string::npos; at = text.find("\r\n[", at + 1)) {
    sections.push_back(text.substr(at + 2, text.find(']', at) - at - 1));
  }
  EXPECT_EQ(sections, (std::vector<std::string>{section + "]", section + "\\C]", section + "\\B]",
                                                section + "\\B\\X]", section + "\\A]"}));
  // 8-bit in the system code page, not UTF-8.
  char cafe[8] = {};
  WideCharToMultiByte(CP_ACP, 0, L"Caf\u00E9", -1, cafe, sizeof(cafe), nullptr, nullptr);
  EXPECT_NE(text.find(std::string("\"text\"=\"") + cafe), std::string::npos) << text;
  EXPECT_EQ(text.find("\xC3\xA9"), std::string::npos);

  // Imported by Wine's regedit under another key.
  std::string moved = text;
  const std::string from = Narrow(kSource), to = Narrow(kImported);
  for (size_t at = moved.find(from); at != std::string::npos; at = moved.find(from, at + to.size())) {
    moved.replace(at, from.size(), to);
  }
  const std::wstring movedFile = file_ + L".moved.reg";
  WriteWholeFile(movedFile, moved);
  RunRegedit(movedFile);
  DeleteFileW(movedFile.c_str());

  const struct {
    const wchar_t* key;
  } keys[] = {{L""}, {L"\\A"}, {L"\\B"}, {L"\\B\\X"}, {L"\\C"}};
  for (const auto& k : keys) {
    SCOPED_TRACE(Narrow(k.key));
    RawValues original = ValuesOf(kSource + std::wstring(k.key));
    const RawValues imported = ValuesOf(kImported + std::wstring(k.key));
    if (original.count(L"multi")) {
      original.erase(L"multi");         // written as an empty right-hand side: not carried
      original[L"expand"].type = REG_SZ;  // written like a plain string
    }
    EXPECT_EQ(imported.size(), original.size());
    for (const auto& [name, value] : original) {
      const auto found = imported.find(name);
      ASSERT_NE(found, imported.end()) << Narrow(name) << " missing";
      EXPECT_EQ(found->second.type, value.type) << Narrow(name);
      EXPECT_TRUE(found->second.data == value.data) << Narrow(name);
    }
  }
}

TEST_F(RegistryExportTest, AnExistingFileIsReplacedOnlyWhenOverwritingIsAsked) {
  const struct {
    const char* what;
    std::string keyPath;
    bool overwrite;
    bool replaced;
  } cases[] = {
      {"overwrite off", Narrow(kSource), false, false},
      {"a start key that does not exist", Narrow(kBase) + "\\Missing", true, false},
      {"overwrite on", Narrow(kSource), true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string before = "an earlier dump\r\n";
    WriteWholeFile(file_, before);
    UniqueKey source = Create(kSource);
    Set(source.Get(), L"changed", REG_DWORD, {7, 0, 0, 0});
    ExportRegistryKey(HKEY_CURRENT_USER, c.keyPath, file_, c.overwrite);
    const std::string after = ReadWholeFile(file_);
    EXPECT_EQ(after == before, !c.replaced);
    if (c.replaced) {
      EXPECT_NE(after.find("\"changed\"=dword:00000007\r\n"), std::string::npos);
    }
  }
  DeleteFileW(file_.c_str());
  ExportRegistryKey(HKEY_CURRENT_USER, Narrow(kBase) + "\\Missing", file_, true);
  EXPECT_FALSE(FileExists(file_)) << "no file for a key that does not exist";
}

}  // namespace
