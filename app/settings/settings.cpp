#include "app/settings/settings.h"

namespace settings {

int ReadIntegerDefault(const ValueReader& key, const std::string& name, int defaultValue) {
  const std::optional<registry::Value> value = key.Read(name);
  const std::optional<std::uint32_t> number = value ? registry::DwordOf(*value) : std::nullopt;
  if (!number) return defaultValue;
  return static_cast<int>(*number);
}

bool ReadBoolDefault(const ValueReader& key, const std::string& name, bool defaultValue) {
  return ReadIntegerDefault(key, name, defaultValue ? 1 : 0) != 0;
}

Settings ReadSettings(const ValueReader& key, Point defaultPosition) {
  Settings s;
  s.position.x = ReadIntegerDefault(key, kMainWindowLeft, defaultPosition.x);
  s.position.y = ReadIntegerDefault(key, kMainWindowTop, defaultPosition.y);
  s.loadAtWinStart = ReadBoolDefault(key, kLoadAtWinStart, s.loadAtWinStart);
  s.startInTray = ReadBoolDefault(key, kStartInTray, s.startInTray);
  s.keepRunningWhenClosed = ReadBoolDefault(key, kKeepRunningInTrayWhenClosed, s.keepRunningWhenClosed);
  s.firstTime = ReadBoolDefault(key, kFirstTime, s.firstTime);
  return s;
}

void WriteSettings(ValueStore& key, const Settings& settings, bool withPosition) {
  if (withPosition) {
    key.WriteDword(kMainWindowLeft, static_cast<std::uint32_t>(settings.position.x));
    key.WriteDword(kMainWindowTop, static_cast<std::uint32_t>(settings.position.y));
  }
  key.WriteDword(kLoadAtWinStart, settings.loadAtWinStart ? 1 : 0);
  key.WriteDword(kStartInTray, settings.startInTray ? 1 : 0);
  key.WriteDword(kKeepRunningInTrayWhenClosed, settings.keepRunningWhenClosed ? 1 : 0);
  key.WriteDword(kFirstTime, 0);
}

std::string WelcomeTitle(const std::string& applicationTitle) { return "Welcome to " + applicationTitle; }

std::string WelcomeText(const std::string& applicationTitle) {
  return applicationTitle + " is currently running on your system tray icon.\r\n"
                            "Right-click this icon to see all the options available.";
}

}  // namespace settings
