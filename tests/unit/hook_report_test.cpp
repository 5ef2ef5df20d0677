// What: the snapshot the hook library sends and the fingerprint it uses to notice changes.
// Why: a snapshot that disagrees with the toolbar, or a change that leaves the fingerprint
// alone, leaves the program's list wrong until the user refreshes by hand.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "hookdll/button_fingerprint.h"
#include "hookdll/snapshot_writer.h"

namespace {

hookdll::ToolbarEntry Entry(std::uint32_t window, std::int32_t command, std::uint8_t state,
                            std::string text) {
  hookdll::ToolbarEntry entry;
  entry.record.bitmap = command % 7;
  entry.record.command = command;
  entry.record.state = state;
  entry.record.style = 0x20;
  entry.record.window = window;
  entry.record.text = command + 100;
  entry.rect = {command * 10, 2, command * 10 + 9, 30};
  entry.text = std::move(text);
  return entry;
}

hookdll::ToolbarEntries Sample() {
  return {Entry(0x10010, 1, 0x04, "Notepad"), Entry(0, 2, 0x0C, "Explorer"),
          Entry(0x10020, 3, 0x04, "Documents"), Entry(0x10030, 4, 0x04, "Pictures")};
}

TEST(HookSnapshotWriter, CopiesEveryEntryIntoItsSlot) {
  const hookdll::ToolbarEntries entries = Sample();
  const hook::TaskbarSnapshot snapshot = hookdll::MakeSnapshot(entries);
  ASSERT_EQ(snapshot.count, 4);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(snapshot.buttons[i].window, entries[i].record.window);
    EXPECT_EQ(snapshot.buttons[i].command, entries[i].record.command);
    EXPECT_EQ(snapshot.rects[i], entries[i].rect);
    EXPECT_EQ(snapshot.states[i], entries[i].record.state);
    EXPECT_EQ(snapshot.icons[i], 0u);
  }
  EXPECT_TRUE(snapshot.hidden(1));
  EXPECT_FALSE(snapshot.hidden(0));
  EXPECT_EQ(snapshot.buttons[4].window, 0u);
  EXPECT_EQ(snapshot.rects[4], (hook::Rect32{0, 0, 0, 0}));
}

TEST(HookSnapshotWriter, StopsAtTheLastSlot) {
  hookdll::ToolbarEntries entries;
  for (int i = 0; i < 300; ++i) entries.push_back(Entry(0x20000 + i, i, 0, "w"));
  const hook::TaskbarSnapshot snapshot = hookdll::MakeSnapshot(entries);
  EXPECT_EQ(snapshot.count, hook::kMaxEntries);
  EXPECT_EQ(snapshot.buttons[hook::kMaxEntries - 1].window, 0x20000u + hook::kMaxEntries - 1);
  EXPECT_EQ(hookdll::MakeSnapshot({}).count, 0);
}

TEST(HookFingerprint, ChangesWithEveryButtonChangeTheProgramCanSee) {
  const std::uint64_t original = hookdll::Fingerprint(Sample());
  EXPECT_EQ(hookdll::Fingerprint(Sample()), original);

  struct Change {
    const char* name;
    std::function<void(hookdll::ToolbarEntries&)> apply;
  };
  const Change changes[] = {
      {"added", [](auto& e) { e.push_back(Entry(0x10040, 5, 0x04, "New")); }},
      {"removed", [](auto& e) { e.pop_back(); }},
      {"moved", [](auto& e) { std::swap(e[2], e[3]); }},
      {"retitled", [](auto& e) { e[0].text = "Notepad - saved"; }},
      {"hidden", [](auto& e) { e[3].record.state |= hook::kStateHidden; }},
      {"shown", [](auto& e) { e[1].record.state &= ~hook::kStateHidden; }},
      {"other window", [](auto& e) { e[2].record.window = 0x10099; }},
      {"text moved between buttons",
       [](auto& e) {
         e[2].text = "DocumentsP";
         e[3].text = "ictures";
       }},
  };
  for (const Change& change : changes) {
    hookdll::ToolbarEntries entries = Sample();
    change.apply(entries);
    EXPECT_NE(hookdll::Fingerprint(entries), original) << change.name;
  }
}

TEST(HookFingerprint, IgnoresResizesPressesAndButtonsPastTheLastSlot) {
  hookdll::ToolbarEntries resized = Sample();
  for (auto& entry : resized) entry.rect.right += 40;
  EXPECT_EQ(hookdll::Fingerprint(resized), hookdll::Fingerprint(Sample()));

  // TBSTATE_CHECKED and TBSTATE_PRESSED: the active window's button, the button under a press.
  hookdll::ToolbarEntries pressed = Sample();
  pressed[0].record.state |= 0x01 | 0x02;
  EXPECT_EQ(hookdll::Fingerprint(pressed), hookdll::Fingerprint(Sample()));

  hookdll::ToolbarEntries full(hook::kMaxEntries, Entry(1, 1, 0, "w"));
  hookdll::ToolbarEntries overfull = full;
  overfull.push_back(Entry(2, 2, 0, "beyond"));
  EXPECT_EQ(hookdll::Fingerprint(overfull), hookdll::Fingerprint(full));
}

}  // namespace
