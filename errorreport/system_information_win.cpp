#include "errorreport/system_information_win.h"

#include <windows.h>

#include <cwchar>
#include <memory>

#include "app/version/version_resource_win.h"
#include "app/version/windows_version_win.h"
#include "mail/code_page_charset.h"
#include "ui/strings.h"

namespace {

std::string ThousandsSeparator(const BodyEncoding& encoding) {
  wchar_t separator[8] = {};
  if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8)) return ",";
  return encoding.FromWide(separator);
}

report::MemoryStatus MemoryFigures() {
  MEMORYSTATUSEX status{sizeof(status)};
  report::MemoryStatus memory;
  if (!GlobalMemoryStatusEx(&status)) return memory;
  const auto bytes = [](DWORDLONG value) { return static_cast<std::int64_t>(value); };
  memory.totalPageFile = bytes(status.ullTotalPageFile);
  memory.availablePageFile = bytes(status.ullAvailPageFile);
  memory.totalPhysical = bytes(status.ullTotalPhys);
  memory.availablePhysical = bytes(status.ullAvailPhys);
  memory.totalVirtual = bytes(status.ullTotalVirtual);
  memory.availableVirtual = bytes(status.ullAvailVirtual);
  memory.load = status.dwMemoryLoad;
  return memory;
}

std::wstring Expanded(const std::wstring& entry) {
  const DWORD length = ExpandEnvironmentStringsW(entry.c_str(), nullptr, 0);
  if (length == 0) return entry;
  std::wstring expanded(length, L'\0');
  if (!ExpandEnvironmentStringsW(entry.c_str(), expanded.data(), length)) return entry;
  expanded.resize(expanded.find(L'\0'));
  return expanded;
}

struct FreeEnvironment {
  void operator()(wchar_t* block) const { FreeEnvironmentStringsW(block); }
};

std::vector<std::string> Environment(const BodyEncoding& encoding) {
  std::vector<std::string> entries;
  const std::unique_ptr<wchar_t, FreeEnvironment> block(GetEnvironmentStringsW());
  if (!block) return entries;
  for (const wchar_t* entry = block.get(); *entry; entry += wcslen(entry) + 1) {
    entries.push_back(encoding.FromWide(Expanded(entry)));
  }
  return entries;
}

}  // namespace

std::string BodyEncoding::FromWide(const std::wstring& text) const { return utf8 ? Narrow(text) : WideToAnsi(text); }

std::string BodyEncoding::FromUtf8(const std::string& text) const { return utf8 ? text : WideToAnsi(Widen(text)); }

BodyEncoding SystemBodyEncoding() {
  BodyEncoding encoding;
  encoding.charset = mail::CharsetOfCodePage(GetACP());
  if (encoding.charset.empty()) {
    encoding.charset = "utf-8";
    encoding.utf8 = true;
  }
  return encoding;
}

report::SystemInformation ReadSystemInformation(const std::string& applicationTitle, const BodyEncoding& encoding) {
  report::SystemInformation system;
  system.applicationTitle = encoding.FromUtf8(applicationTitle);
  system.windowsVersion = encoding.FromUtf8(WindowsVersionText());
  system.fileVersion = encoding.FromUtf8(FileVersionString());
  system.memory = MemoryFigures();
  system.thousandsSeparator = ThousandsSeparator(encoding);
  system.environment = Environment(encoding);
  return system;
}

std::optional<std::string> EnvironmentVariable(const char* name) {
  const std::wstring wideName = Widen(name);
  const DWORD length = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (length == 0) return std::nullopt;
  std::wstring value(length, L'\0');
  const DWORD copied = GetEnvironmentVariableW(wideName.c_str(), value.data(), length);
  value.resize(copied);
  return Narrow(value);
}
