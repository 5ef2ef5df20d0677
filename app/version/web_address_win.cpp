#include "app/version/web_address_win.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>

#include "app/version/web_address.h"
#include "ui/exceptions.h"
#include "ui/registry_key_win.h"
#include "ui/strings.h"

namespace {

// The browser's command line for http. The user's own classes come first, as the merged classes
// root gives them on Windows (Wine's root holds only the machine's).
std::string BrowserCommand() {
  const std::pair<HKEY, const char*> places[] = {
      {HKEY_CURRENT_USER, "Software\\Classes\\http\\shell\\open\\command"},
      {HKEY_CLASSES_ROOT, "\\http\\shell\\open\\command"},
  };
  for (const auto& [root, path] : places) {
    try {
      std::string command = RegistryKey::Open(root, path, RegistryAccess::Read).ReadString("");
      if (!command.empty()) return command;
    } catch (const ERegistryException&) {
      // Not registered here: an unreadable command counts as empty.
    }
  }
  return {};
}

bool ShellOpened(HWND owner, const std::string& file, const std::string& parameters) {
  const std::wstring wideParameters = Widen(parameters);
  const HINSTANCE result = ShellExecuteW(owner, L"open", Widen(file).c_str(),
                                         wideParameters.empty() ? nullptr : wideParameters.c_str(), nullptr,
                                         SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

void OpenWebAddress(const std::string& address) {
  const std::string command = BrowserCommand();
  if (command.empty()) return;
  // A command without a quoted program path gives an empty one; the shell's own way then opens it.
  if (!ShellOpened(GetDesktopWindow(), version::BrowserProgram(command), address)) ShellOpened(nullptr, address, "");
}
