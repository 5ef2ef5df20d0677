#include "crash/error_log_win.h"

#include <windows.h>

#include "crash/error_log.h"
#include "ui/handles.h"
#include "ui/program_file_win.h"
#include "ui/strings.h"

namespace crash {
namespace {

std::string DateText(const SYSTEMTIME& time) {
  wchar_t text[128] = {};
  return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 128) ? Narrow(text) : std::string();
}

std::string TimeText(const SYSTEMTIME& time) {
  wchar_t text[128] = {};
  return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, 128) ? Narrow(text) : std::string();
}

}  // namespace

bool AppendErrorLog(const std::string& className, const std::string& message) noexcept {
  try {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const LocalTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    const std::string line = ErrorLogLine(time, DateText(now), TimeText(now), className, message);
    const std::wstring path = ProgramFolder() + Widen(kErrorLogFile);
    HANDLE opened = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    UniqueKernelHandle file(opened);
    DWORD written = 0;
    return WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size() && FlushFileBuffers(file.Get());
  } catch (...) {
    return false;  // out of memory while formatting
  }
}

}  // namespace crash
