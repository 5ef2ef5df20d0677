// The shell's notification-area call with the component's 488-byte tray record. The record's
// layout is the 32-bit one; the 64-bit shell reads its own layout (wider handles, other offsets),
// and Wine's 64-bit shell takes a 488-byte record as the oldest layout at its own offsets, so the
// record is copied into the platform's NOTIFYICONDATAA at every call.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "tray/tray_record.h"

namespace tray {

HWND RecordWindow(const TrayRecord& record);
std::uint32_t RecordHandle(const void* handle);

// Shell_NotifyIconA with the record; whether the shell accepted it.
bool CallShell(ShellRequest request, const TrayRecord& record);

// The text in the system code page, as the record's fields hold it.
std::string ToRecordText(const std::string& utf8);

}  // namespace tray
