#include "app/settings/settings_win.h"

#include <optional>
#include <vector>

#include "app/settings/run_entry.h"
#include "app/settings/settings.h"
#include "app/settings/window_position.h"
#include "tray/tray_icon_win.h"
#include "ui/exceptions.h"
#include "ui/form_win.h"
#include "ui/program_file_win.h"
#include "ui/standard_controls_win.h"
#include "ui/strings.h"

namespace {

constexpr std::uint8_t kWelcomeSeconds = 10;

// An open key as the settings' values; a value that cannot be read counts as missing.
class RegistryReader : public settings::ValueReader {
 public:
  explicit RegistryReader(const RegistryKey& key) : key_(key) {}
  std::optional<registry::Value> Read(const std::string& name) const override {
    try {
      return key_.ReadValue(name);
    } catch (const ERegistryException&) {
      return std::nullopt;
    }
  }

 private:
  const RegistryKey& key_;
};

class RegistryStore : public settings::ValueStore {
 public:
  explicit RegistryStore(RegistryKey& key) : key_(key), reader_(key) {}
  std::optional<registry::Value> Read(const std::string& name) const override { return reader_.Read(name); }
  void WriteDword(const std::string& name, std::uint32_t value) override { key_.WriteDword(name, value); }

 private:
  RegistryKey& key_;
  RegistryReader reader_;
};

std::optional<RegistryKey> OpenSettingsKey() {
  try {
    return RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, settings::kSettingsKeyPath);
  } catch (const ERegistryException&) {
    return std::nullopt;
  }
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{sizeof(info)};
  if (GetMonitorInfoW(monitor, &info)) {
    const RECT& r = info.rcWork;
    reinterpret_cast<std::vector<settings::Area>*>(data)->push_back({r.left, r.top, r.right, r.bottom});
  }
  return TRUE;
}

std::vector<settings::Area> WorkAreas() {
  std::vector<settings::Area> areas;
  EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

// The window's top-left corner when it is restored: a minimised window's own position is the
// parking place far off screen.
settings::Point RestoredPosition(HWND window) {
  RECT r{};
  if (!IsIconic(window)) {
    GetWindowRect(window, &r);
    return {r.left, r.top};
  }
  WINDOWPLACEMENT placement{sizeof(placement)};
  GetWindowPlacement(window, &placement);
  r = placement.rcNormalPosition;
  // The restored rectangle is in workspace coordinates, which start at the work area's corner.
  if (!(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
    MONITORINFO info{sizeof(info)};
    if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) {
      OffsetRect(&r, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    }
  }
  return {r.left, r.top};
}

void ApplyStoredSettings(const SettingsForm& target, const RegistryKey& key, bool& firstRun) {
  HWND window = target.form.Handle();
  RECT r{};
  GetWindowRect(window, &r);
  const settings::Size size{r.right - r.left, r.bottom - r.top};
  const settings::Point centred =
      settings::CentredPosition({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, size);
  const settings::Settings stored = settings::ReadSettings(RegistryReader(key), centred);
  // A position that would leave the window on no monitor is given up for the centred one.
  const settings::Point position = settings::VisiblePosition(stored.position, size, WorkAreas(), centred);
  SetWindowPos(window, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  target.loadAtWinStart.SetChecked(stored.loadAtWinStart);
  target.startInTray.SetChecked(stored.startInTray);
  target.keepRunningWhenClosed.SetChecked(stored.keepRunningWhenClosed);
  firstRun = stored.firstTime;
}

}  // namespace

void LoadSettings(const SettingsForm& target) {
  bool firstRun = false;  // a key that cannot be opened shows no welcome
  if (std::optional<RegistryKey> key = OpenSettingsKey()) ApplyStoredSettings(target, *key, firstRun);
  UpdateRunKey(settings::kRunValueName, Narrow(ProgramFilePath()), "", !target.loadAtWinStart.Checked(), false);
  if (firstRun) {
    target.trayIcon.ShowBalloonHint(settings::WelcomeTitle(target.applicationTitle),
                                    settings::WelcomeText(target.applicationTitle), tray::BalloonIconKind::Info,
                                    kWelcomeSeconds);
  }
}

void SaveSettings(const SettingsForm& source) {
  std::optional<RegistryKey> key = OpenSettingsKey();
  if (!key) return;
  settings::Settings current;
  current.position = RestoredPosition(source.form.Handle());
  current.loadAtWinStart = source.loadAtWinStart.Checked();
  current.startInTray = source.startInTray.Checked();
  current.keepRunningWhenClosed = source.keepRunningWhenClosed.Checked();
  RegistryStore store(*key);
  settings::WriteSettings(store, current, source.form.GetWindowState() != WindowState::Maximized);
}

bool StoredStartInTray() {
  try {
    const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, settings::kSettingsKeyPath, RegistryAccess::Read);
    return ReadBoolDefault(key, settings::kStartInTray, true);
  } catch (const ERegistryException&) {
    return true;
  }
}

int ReadIntegerDefault(const RegistryKey& key, const std::string& name, int defaultValue) {
  return settings::ReadIntegerDefault(RegistryReader(key), name, defaultValue);
}

bool ReadBoolDefault(const RegistryKey& key, const std::string& name, bool defaultValue) {
  return settings::ReadBoolDefault(RegistryReader(key), name, defaultValue);
}

void UpdateRunKey(const std::string& valueName, const std::string& path, const std::string& parameters, bool remove,
                  bool once) {
  if (path.empty()) return;
  std::optional<RegistryKey> key;
  try {
    key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, settings::RunKeyPath(once));
  } catch (const ERegistryException&) {
    return;  // the entry stays as it is
  }
  if (!remove) {
    key->WriteString(valueName, settings::RunValueText(path, parameters));
  } else if (key->ValueExists(valueName)) {
    key->DeleteValue(valueName);
  }
}
