// What: the single-instance guard's named objects as another program finds them, and the failure
// texts when a name is taken. Why: the names alone make two starts of one program file meet; a
// letter that is upper-cased differently, or a path too long for a registered message, would let
// a second copy run or stop the program from starting.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/instance/app_instances_win.h"
#include "ui/exceptions.h"
#include "ui/handles.h"

namespace {

// A registered message's name, read back through the atom table.
std::wstring MessageName(UINT message) {
  wchar_t name[512] = {};
  int length = GetClipboardFormatNameW(message, name, 512);
  return std::wstring(name, static_cast<size_t>(length));
}

bool LockExists(const std::wstring& base) {
  return UniqueKernelHandle(OpenMutexW(SYNCHRONIZE, FALSE, (base + L"_Otx").c_str())).Get() != nullptr;
}

bool ListExists(const std::wstring& base) {
  return UniqueKernelHandle(OpenFileMappingW(FILE_MAP_READ, FALSE, (base + L"_Map").c_str())).Get() != nullptr;
}

TEST(InstanceGuard, NamesItsObjectsFromThePathInUpperCase) {
  const struct {
    const wchar_t* path;
    const wchar_t* base;
  } cases[] = {
      {L"c:\\Program Files\\Rowtender\\rowtender.exe", L"INSTC:_PROGRAM FILES_ROWTENDER_ROWTENDER.EXE"},
      {L"d:\\Prögramme\\Äpfel\\ärger.Exe", L"INSTD:_PRÖGRAMME_ÄPFEL_ÄRGER.EXE"},
      {L"\\\\server\\Share\\r.exe", L"INST__SERVER_SHARE_R.EXE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
    const std::wstring base = c.base;
    {
      TAppInstances guard(c.path);
      EXPECT_TRUE(LockExists(base));
      EXPECT_TRUE(ListExists(base));
      EXPECT_EQ(MessageName(guard.Message()), base + L"_Msg");
    }
    EXPECT_FALSE(ListExists(base)) << "the list outlived its last holder";
  }
}

TEST(InstanceGuard, ALongPathStillGetsItsObjects) {
  const std::wstring path = L"C:\\" + std::wstring(300, L'x') + L"\\rowtender.exe";
  TAppInstances guard(path);
  ASSERT_NE(guard.Message(), 0u) << "no registered message";
  const std::wstring name = MessageName(guard.Message());
  EXPECT_LE(name.size(), 255u);
  EXPECT_EQ(name.compare(0, 12, L"INSTC:_XXXXX"), 0) << testing::PrintToString(name);
  ASSERT_GT(name.size(), 4u);
  EXPECT_EQ(name.substr(name.size() - 4), L"_Msg");
  const std::wstring base = name.substr(0, name.size() - 4);
  EXPECT_TRUE(LockExists(base));
  EXPECT_TRUE(ListExists(base));
  EXPECT_TRUE(guard.AdmitInstance(1));
}

// (A view that cannot be mapped, "Failed to create FileMappingView", is not to be had under Wine:
// it maps a view larger than a smaller list, and a read-only list for writing.)
TEST(InstanceGuard, ANameTakenByAnotherObjectFailsWithItsText) {
  const std::wstring path = L"c:\\taken\\rowtender.exe";
  const std::wstring base = L"INSTC:_TAKEN_ROWTENDER.EXE";
  const struct {
    const char* expected;
    HANDLE (*take)(const std::wstring& base);
  } cases[] = {
      {"Failed to create Mutex",
       [](const std::wstring& b) { return CreateEventW(nullptr, FALSE, FALSE, (b + L"_Otx").c_str()); }},
      {"Failed to create FileMapping",
       [](const std::wstring& b) { return CreateMutexW(nullptr, FALSE, (b + L"_Map").c_str()); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    UniqueKernelHandle taken(c.take(base));
    ASSERT_TRUE(taken);
    try {
      TAppInstances guard(path);
      ADD_FAILURE() << "the guard was made";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.expected);
    }
  }
}

}  // namespace
