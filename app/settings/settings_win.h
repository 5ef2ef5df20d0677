// The settings in the registry: loaded into the main window at start-up, saved from it at the end,
// the start-with-Windows entry brought in line, and the welcome balloon of the first run.
#pragma once

#include <windows.h>

#include <string>

#include "ui/registry_key_win.h"

class CheckBox;
class Form;
class TTrayIcon;

// The parts of the main window that show the settings.
struct SettingsForm {
  Form& form;
  CheckBox& loadAtWinStart;
  CheckBox& startInTray;
  CheckBox& keepRunningWhenClosed;
  TTrayIcon& trayIcon;
  std::string applicationTitle;
};

// Places the (hidden) window at the stored position, sets the check boxes, writes or removes the
// start-with-Windows entry and, on the first run, shows the welcome balloon.
void LoadSettings(const SettingsForm& target);
// Writes the settings from the window and its check boxes; nothing when the key cannot be opened.
void SaveSettings(const SettingsForm& source);

// "StartInTray" as stored, read before the main window exists; true when missing or unreadable.
bool StoredStartInTray();

// Reads of an open key that give the default when the value is missing, of another type or size,
// or cannot be read.
int ReadIntegerDefault(const RegistryKey& key, const std::string& name, int defaultValue);
bool ReadBoolDefault(const RegistryKey& key, const std::string& name, bool defaultValue);

// Writes (or with remove, deletes) valueName under HKEY_CURRENT_USER's Run key, or RunOnce with
// once. Nothing happens for an empty path or a key that cannot be opened.
void UpdateRunKey(const std::string& valueName, const std::string& path, const std::string& parameters, bool remove,
                  bool once);
