#include "ui/system_error_win.h"

#include "ui/strings.h"

std::string SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (!text) return {};
  std::string message = Narrow(text);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  return message;
}

std::string SystemErrorText(DWORD code) {
  const std::string message = SystemMessage(code);
  return message.empty() ? std::to_string(code) : std::to_string(code) + ": " + message;
}
