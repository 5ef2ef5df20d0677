// What: the tray record's texts and flags as the shell will read them.
// Why: the shell reads fixed-size fields; an uncut or unterminated text runs into the next field.
#include "tray/tray_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tray/id_registry.h"

namespace {

using namespace tray;

std::string Field(const char* field) { return std::string(field); }

TEST(TrayRecordTest, NewRecordIsZeroedExceptItsHeader) {
  TrayRecord r = MakeTrayRecord(0x1234, 7);
  EXPECT_EQ(r.cbSize, 488u);
  EXPECT_EQ(r.hWnd, 0x1234u);
  EXPECT_EQ(r.uID, 7u);
  EXPECT_EQ(r.uFlags, 7u);
  EXPECT_EQ(r.uCallbackMessage, 0x800u);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&r);
  for (std::size_t i = offsetof(TrayRecord, hIcon); i < sizeof(r); ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST(TrayRecordTest, TextsAreCutToTheirFields) {
  struct Case {
    const char* what;
    std::size_t length;
    std::size_t expected;
  };
  const Case cases[] = {{"short", 5, 5}, {"exactly fits", 127, 127}, {"one too long", 128, 127}, {"long", 200, 127}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TrayRecord r = MakeTrayRecord(1, 1);
    std::memset(r.szTip, 'x', sizeof(r.szTip));
    SetTip(r, std::string(c.length, 'a'), true);
    EXPECT_EQ(Field(r.szTip), std::string(c.expected, 'a'));
    EXPECT_EQ(r.szTip[127], 0);
    EXPECT_EQ(r.dwState, 0u) << "the next field stays untouched";
  }
}

TEST(TrayRecordTest, HiddenHintGivesAnEmptyTip) {
  TrayRecord r = MakeTrayRecord(1, 1);
  SetTip(r, "Rowtender", true);
  SetTip(r, "Rowtender", false);
  for (char c : r.szTip) ASSERT_EQ(c, 0);
}

TEST(TrayRecordTest, BalloonFlagSequence) {
  TrayRecord r = MakeTrayRecord(1, 1);
  std::strcpy(r.szInfo, "old");
  PrepareHideBalloon(r);
  EXPECT_EQ(r.uFlags, 0x17u);
  EXPECT_EQ(Field(r.szInfo), "");

  PrepareShowBalloon(r, std::string(100, 't'), std::string(300, 'b'), BalloonIconKind::Info, 10);
  EXPECT_EQ(r.uFlags, 0x17u);
  EXPECT_EQ(Field(r.szInfo), std::string(255, 'b'));
  EXPECT_EQ(Field(r.szInfoTitle), std::string(63, 't'));
  EXPECT_EQ(r.uTimeoutOrVersion, 10000u);
  EXPECT_EQ(r.dwInfoFlags, 1u);

  EndBalloon(r);
  EXPECT_EQ(r.uFlags, 7u);
}

TEST(TrayRecordTest, BalloonIconKindsAreTheShellsValues) {
  EXPECT_EQ(static_cast<unsigned>(BalloonIconKind::None), 0u);
  EXPECT_EQ(static_cast<unsigned>(BalloonIconKind::Warning), 2u);
  EXPECT_EQ(static_cast<unsigned>(BalloonIconKind::Error), 3u);
}

TEST(IdRegistryTest, IdsNameOnlyLiveObjectsAndAreNotReused) {
  IdRegistry<int> registry;
  int a = 0, b = 0;
  std::uint32_t idA = registry.Add(&a);
  std::uint32_t idB = registry.Add(&b);
  EXPECT_NE(idA, 0u);
  EXPECT_NE(idA, idB);
  EXPECT_EQ(registry.Find(idA), &a);
  registry.Remove(idA);
  EXPECT_EQ(registry.Find(idA), nullptr);
  EXPECT_EQ(registry.Find(0), nullptr);
  EXPECT_EQ(registry.Find(0xDEADBEEF), nullptr);
  std::uint32_t idC = registry.Add(&a);
  EXPECT_NE(idC, idA);
  EXPECT_EQ(registry.Find(idB), &b);
}

}  // namespace
