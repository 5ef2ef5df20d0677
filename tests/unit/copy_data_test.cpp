// What: which WM_COPYDATA payloads are taken and which are ignored whole. Why: the payload comes
// from another process; a wrong size or count must never reach the tree or the drag.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/copy_data.h"
#include "snapshot_fixture.h"

namespace {

using taskbar::CopyDataCodes;
using taskbar::DecodeCopyData;
using taskbar::MouseInput;
using taskbar::TextList;

constexpr CopyDataCodes kCodes{0xC101, 0xC103};

std::vector<char> SnapshotBytes(int count, size_t size) {
  hook::TaskbarSnapshot snapshot = fixture::MakeSnapshot("gww");
  snapshot.count = count;
  std::vector<char> bytes(std::max<size_t>(size, 1), '\0');
  std::memcpy(bytes.data(), &snapshot, std::min(bytes.size(), sizeof snapshot));
  bytes.resize(size);
  return bytes;
}

TEST(CopyData, TakesOnlyWholeSnapshotsWithAValidCount) {
  struct Case {
    int count;
    size_t size;
    bool taken;
  } const cases[] = {
      {3, 11312, true},    {0, 11312, true},    {257, 11312, true},
      {-1, 11312, false},  {258, 11312, false}, {3, 11311, false},
      {3, 11313, false},   {3, 4, false},       {3, 0, false},
  };
  for (const Case& c : cases) {
    const std::vector<char> bytes = SnapshotBytes(c.count, c.size);
    const auto payload = DecodeCopyData(hook::kSnapshotCopyDataCode, bytes.data(), bytes.size(), kCodes);
    const auto* snapshot = std::get_if<hook::TaskbarSnapshot>(&payload);
    EXPECT_EQ(snapshot != nullptr, c.taken) << "count " << c.count << " size " << c.size;
    if (snapshot != nullptr) {
      EXPECT_EQ(snapshot->count, c.count);
      EXPECT_EQ(snapshot->rects[1], (hook::Rect32{40, 0, 80, 30}));
      EXPECT_EQ(snapshot->buttons[2].window, 0x1002u);
    }
  }
}

TEST(CopyData, ReadsMouseRecordsOfAtLeastSixteenBytes) {
  struct Case {
    std::uint32_t message;
    size_t size;
    bool taken;
  } const cases[] = {
      {hook::kMouseMove, 28, true},      {hook::kLeftButtonDown, 16, true},
      {hook::kLeftButtonUp, 16, true},   {hook::kLeftButtonUp, 15, false},
      {0x0204, 28, false} /* right button down */, {hook::kMouseMove, 0, false},
  };
  for (const Case& c : cases) {
    const hook::MouseRecord record{0x1234, c.message, 0x0001, 0x00140032, 99, 5, 6};
    std::vector<char> bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    bytes.resize(c.size);
    const auto payload = DecodeCopyData(kCodes.mouse, bytes.data(), bytes.size(), kCodes);
    const auto* mouse = std::get_if<MouseInput>(&payload);
    ASSERT_EQ(mouse != nullptr, c.taken) << "message " << c.message << " size " << c.size;
    if (mouse != nullptr) {
      EXPECT_EQ(mouse->message, c.message);
      EXPECT_EQ(mouse->wParam, 0x0001u);
      EXPECT_EQ(mouse->lParam, 0x00140032u);
    }
  }
}

TEST(CopyData, RoutesTextListsAndIgnoresOtherCodes) {
  const char text[] = "\xFF" "Mail\xFF\xFE\xFF" "Editor\xFF";
  const auto texts = DecodeCopyData(kCodes.taskText, text, sizeof text, kCodes);
  ASSERT_TRUE(std::holds_alternative<TextList>(texts));
  EXPECT_EQ(std::get<TextList>(texts), (TextList{"Mail", "Editor"}));

  EXPECT_TRUE(std::holds_alternative<std::monostate>(DecodeCopyData(0x1234, text, sizeof text, kCodes)));
  // Ids that were never registered (0) match nothing, not even code 0.
  EXPECT_TRUE(std::holds_alternative<std::monostate>(DecodeCopyData(0, text, sizeof text, CopyDataCodes{})));
  // A null pointer is an empty payload whatever its claimed size.
  EXPECT_TRUE(std::holds_alternative<std::monostate>(
      DecodeCopyData(hook::kSnapshotCopyDataCode, nullptr, sizeof(hook::TaskbarSnapshot), kCodes)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(DecodeCopyData(kCodes.mouse, nullptr, 28, kCodes)));
}

}  // namespace

// What: the text list's bounds. Why: a list is read into one string per item; without bounds a
// 16 MiB payload of separators became 16 million strings and a gigabyte of memory.
TEST(CopyData, TextListsAreBoundedInSizeAndItems) {
  auto itemsOf = [](const std::string& bytes) -> long {
    const auto payload = DecodeCopyData(kCodes.taskText, bytes.data(), bytes.size(), kCodes);
    return std::holds_alternative<TextList>(payload) ? static_cast<long>(std::get<TextList>(payload).size()) : -1;
  };
  auto quoted = [](int items, const std::string& text) {
    std::string list;
    for (int i = 0; i < items; ++i) list += std::string(i ? "\xFE" : "") + "\xFF" + text + "\xFF";
    return list;
  };
  // The largest list the library writes: every text at its longest and all quote bytes, doubled.
  const std::string longest(hook::kMaxTaskTextChars * 3, '\xFF');
  std::string largest;
  for (int i = 0; i < hook::kMaxEntries; ++i) {
    largest += std::string(i ? "\xFE" : "") + "\xFF" + std::string(longest.size() * 2, '\xFF') + "\xFF";
  }
  struct Case {
    const char* name;
    std::string bytes;
    long items;  // -1: refused whole
  };
  const Case cases[] = {
      {"16 MiB of separators", std::string(16u << 20, '\xFE'), -1},
      {"one byte over the limit", std::string(hook::kMaxTextListSize + 1, 'a'), -1},
      {"separators up to the limit", std::string(hook::kMaxTextListSize, '\xFE'), hook::kMaxEntries},
      {"300 texts", quoted(300, "t"), hook::kMaxEntries},
      {"256 texts and a trailing separator", quoted(256, "t") + "\xFE", hook::kMaxEntries},
      {"257 texts and a trailing separator", quoted(257, "t") + "\xFE", hook::kMaxEntries},
      {"the largest list the library writes", largest, hook::kMaxEntries},
  };
  for (const Case& c : cases) EXPECT_EQ(itemsOf(c.bytes), c.items) << c.name;

  // The items read are the first ones, whole.
  const auto kept = DecodeCopyData(kCodes.taskText, largest.data(), largest.size(), kCodes);
  ASSERT_TRUE(std::holds_alternative<TextList>(kept));
  EXPECT_EQ(std::get<TextList>(kept).back(), longest);
}
