#include "tray/tray_record.h"

#include <algorithm>
#include <cstring>

namespace tray {

TrayRecord MakeTrayRecord(std::uint32_t window, std::uint32_t id) {
  TrayRecord record;
  std::memset(&record, 0, sizeof(record));
  record.cbSize = sizeof(TrayRecord);
  record.hWnd = window;
  record.uID = id;
  record.uFlags = kBasicFlags;
  record.uCallbackMessage = kTrayCallbackMessage;
  return record;
}

void CopyCut(char* field, std::size_t size, std::string_view text) {
  if (size == 0) return;
  std::size_t length = std::min(text.size(), size - 1);
  if (length > 0) std::memcpy(field, text.data(), length);
  std::memset(field + length, 0, size - length);
}

void SetTip(TrayRecord& record, std::string_view hint, bool showHint) {
  CopyCut(record.szTip, showHint ? hint : std::string_view());
}

void PrepareHideBalloon(TrayRecord& record) {
  record.uFlags |= kFlagInfo;
  record.szInfo[0] = '\0';
}

void PrepareShowBalloon(TrayRecord& record, std::string_view title, std::string_view text, BalloonIconKind kind,
                        std::uint8_t timeoutSecs) {
  record.uFlags |= kFlagInfo;
  CopyCut(record.szInfo, text);
  CopyCut(record.szInfoTitle, title);
  record.uTimeoutOrVersion = static_cast<std::uint32_t>(timeoutSecs) * 1000;
  record.dwInfoFlags = static_cast<std::uint32_t>(kind);
}

void EndBalloon(TrayRecord& record) { record.uFlags = kBasicFlags; }

}  // namespace tray
