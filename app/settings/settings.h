// The program's per-user settings: six REG_DWORD values under HKEY_CURRENT_USER, their defaults,
// and their reading and writing over a small store of named values (the registry key in the
// program, a map in the tests).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/registry_value.h"

namespace settings {

// The settings key under HKEY_CURRENT_USER; the error reports' registry dump exports this key.
inline constexpr char kSettingsKeyPath[] = "Software\\Kelvane\\Rowtender";

inline constexpr char kMainWindowLeft[] = "MainWindow_Left";
inline constexpr char kMainWindowTop[] = "MainWindow_Top";
inline constexpr char kLoadAtWinStart[] = "LoadAtWinStart";
inline constexpr char kStartInTray[] = "StartInTray";
// Three n's, as stored since the first version.
inline constexpr char kKeepRunningInTrayWhenClosed[] = "KeepRunnningInTrayWhenClosed";
inline constexpr char kFirstTime[] = "FirstTime";

// Named values of one open key.
class ValueReader {
 public:
  virtual ~ValueReader() = default;
  // The value's type and data; nothing when it is missing or cannot be read.
  virtual std::optional<registry::Value> Read(const std::string& name) const = 0;
};

class ValueStore : public ValueReader {
 public:
  virtual void WriteDword(const std::string& name, std::uint32_t value) = 0;
};

// A REG_DWORD as a signed number; the default when the value is missing, of another type or size,
// or cannot be read.
int ReadIntegerDefault(const ValueReader& key, const std::string& name, int defaultValue);
// The same, true for any number other than 0.
bool ReadBoolDefault(const ValueReader& key, const std::string& name, bool defaultValue);

struct Point {
  int x = 0, y = 0;
};

struct Settings {
  Point position;  // the main window's top-left corner, screen pixels
  bool loadAtWinStart = false;
  bool startInTray = true;
  bool keepRunningWhenClosed = true;
  bool firstTime = true;  // the welcome balloon is still due
};

// Every value with its default; the position's default is the centred window.
Settings ReadSettings(const ValueReader& key, Point defaultPosition);

// Writes the three options and "FirstTime" = 0, and the position unless withPosition is false (a
// maximised window keeps the position stored before).
void WriteSettings(ValueStore& key, const Settings& settings, bool withPosition);

// The first run's balloon: "Welcome to <title>", and two lines saying where the program lives.
std::string WelcomeTitle(const std::string& applicationTitle);
std::string WelcomeText(const std::string& applicationTitle);

}  // namespace settings
