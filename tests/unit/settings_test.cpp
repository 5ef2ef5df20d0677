// What: the settings' reading and writing over a store of named values, the start-with-Windows
// entry's text and where the main window opens.
// Why: a value of the wrong type must fall back to its default instead of failing the start; a
// path with blanks left unquoted in the Run key lets a planted program run at every logon; a window
// stored on a monitor that is gone must not open out of reach.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>

#include "app/settings/run_entry.h"
#include "app/settings/settings.h"
#include "app/settings/window_position.h"

namespace {

using settings::Area;
using settings::Point;

class MapStore : public settings::ValueStore {
 public:
  std::optional<registry::Value> Read(const std::string& name) const override {
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  void WriteDword(const std::string& name, std::uint32_t value) override {
    values[name] = Dword(value);
  }
  static registry::Value Dword(std::uint32_t v) {
    return {registry::kDword,
            {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
             static_cast<std::uint8_t>(v >> 24)}};
  }
  std::map<std::string, registry::Value> values;
};

TEST(SettingsValues, OnlyAFourByteDwordIsReadAnythingElseGivesTheDefault) {
  const struct {
    const char* what;
    std::optional<registry::Value> stored;
    int integer;  // read with default 7
    bool boolean;  // read with default true
  } cases[] = {
      {"missing", std::nullopt, 7, true},
      {"a number", MapStore::Dword(120), 120, true},
      {"zero", MapStore::Dword(0), 0, false},
      {"any other number is true", MapStore::Dword(2), 2, true},
      {"negative", MapStore::Dword(0xFFFFFF38u), -200, true},
      {"a string", registry::Value{registry::kString, {'1', 0, 0, 0}}, 7, true},
      {"binary of four bytes", registry::Value{registry::kBinary, {0, 0, 0, 0}}, 7, true},
      {"a short dword", registry::Value{registry::kDword, {0, 0}}, 7, true},
      {"a long dword", registry::Value{registry::kDword, {0, 0, 0, 0, 0, 0, 0, 0}}, 7, true},
      {"an empty dword", registry::Value{registry::kDword, {}}, 7, true},
  };
  for (const auto& c : cases) {
    MapStore store;
    if (c.stored) store.values["V"] = *c.stored;
    EXPECT_EQ(settings::ReadIntegerDefault(store, "V", 7), c.integer) << c.what;
    EXPECT_EQ(settings::ReadBoolDefault(store, "V", true), c.boolean) << c.what;
  }
}

TEST(SettingsValues, DefaultsOnFirstRunAndTheSixNamesAsStored) {
  MapStore store;
  const settings::Settings first = settings::ReadSettings(store, Point{377, 198});
  EXPECT_EQ(first.position.x, 377);
  EXPECT_EQ(first.position.y, 198);
  EXPECT_FALSE(first.loadAtWinStart);
  EXPECT_TRUE(first.startInTray);
  EXPECT_TRUE(first.keepRunningWhenClosed);
  EXPECT_TRUE(first.firstTime);

  settings::Settings changed = first;
  changed.position = {-40, 12};
  changed.loadAtWinStart = true;
  changed.startInTray = false;
  settings::WriteSettings(store, changed, true);
  const std::map<std::string, std::uint32_t> expected = {
      {"MainWindow_Left", 0xFFFFFFD8u}, {"MainWindow_Top", 12},  {"LoadAtWinStart", 1},
      {"StartInTray", 0},               {"KeepRunnningInTrayWhenClosed", 1}, {"FirstTime", 0}};
  ASSERT_EQ(store.values.size(), expected.size());
  for (const auto& [name, value] : expected) EXPECT_EQ(registry::DwordOf(store.values[name]), value) << name;

  const settings::Settings again = settings::ReadSettings(store, Point{377, 198});
  EXPECT_EQ(again.position.x, -40);
  EXPECT_FALSE(again.firstTime);
  EXPECT_FALSE(again.startInTray);

  // A maximised window keeps the position stored before.
  changed.position = {900, 900};
  settings::WriteSettings(store, changed, false);
  EXPECT_EQ(registry::DwordOf(store.values["MainWindow_Left"]), 0xFFFFFFD8u);
}

TEST(RunEntry, PathsWithBlanksAreQuotedOthersStayAsTheyAre) {
  const struct {
    const char* path;
    const char* parameters;
    const char* expected;
  } cases[] = {
      {"C:\\Tools\\Rowtender.exe", "", "C:\\Tools\\Rowtender.exe"},
      {"C:\\Program Files\\Rowtender\\Rowtender.exe", "", "\"C:\\Program Files\\Rowtender\\Rowtender.exe\""},
      {"C:\\Tools\\Rowtender.exe", "/tray", "\"C:\\Tools\\Rowtender.exe\" /tray"},
      {"C:\\Program Files\\R.exe", "-a b", "\"C:\\Program Files\\R.exe\" -a b"},
  };
  for (const auto& c : cases) EXPECT_EQ(settings::RunValueText(c.path, c.parameters), c.expected) << c.path;
  EXPECT_EQ(settings::RunKeyPath(false), "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  EXPECT_EQ(settings::RunKeyPath(true), "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce");
}

TEST(WindowPosition, CentredOnTheScreenRoundedTowardZeroAndNeverNegative) {
  const struct {
    settings::Size screen, window;
    Point expected;
  } cases[] = {
      {{1280, 800}, {526, 403}, {377, 198}},
      {{1024, 768}, {527, 404}, {248, 182}},  // halves of odd differences are cut
      {{640, 300}, {800, 403}, {0, 0}},      // a window larger than the screen starts at its corner
  };
  for (const auto& c : cases) {
    const Point p = settings::CentredPosition(c.screen, c.window);
    EXPECT_EQ(p.x, c.expected.x);
    EXPECT_EQ(p.y, c.expected.y);
  }
}

TEST(WindowPosition, AStoredPlaceOnNoWorkAreaGivesWayToTheCentre) {
  const Point centre{377, 198};
  const settings::Size window{526, 403};
  const std::vector<Area> twoMonitors = {{0, 0, 1280, 770}, {1280, -200, 2560, 824}};
  const struct {
    const char* what;
    Point stored;
    std::vector<Area> areas;
    Point expected;
  } cases[] = {
      {"inside", {100, 120}, twoMonitors, {100, 120}},
      {"partly off the left edge", {-500, 10}, twoMonitors, {-500, 10}},
      {"on the second monitor", {2000, -150}, twoMonitors, {2000, -150}},
      {"a monitor since removed", {2000, -150}, {{0, 0, 1280, 770}}, centre},
      {"right of everything", {2560, 0}, twoMonitors, centre},
      {"below the work area, over the taskbar", {0, 770}, {{0, 0, 1280, 770}}, centre},
      {"just touching the left edge", {-526, 0}, twoMonitors, centre},
      {"one pixel in", {-525, 0}, twoMonitors, {-525, 0}},
      {"the far end of the number range", {INT_MAX, INT_MAX}, twoMonitors, centre},
      {"no monitor known", {100, 120}, {}, centre},
  };
  for (const auto& c : cases) {
    const Point p = settings::VisiblePosition(c.stored, window, c.areas, centre);
    EXPECT_EQ(p.x, c.expected.x) << c.what;
    EXPECT_EQ(p.y, c.expected.y) << c.what;
  }
}

}  // namespace
