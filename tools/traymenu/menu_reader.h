// The names the menu reader library (menu_reader_win.cpp) and its users (live_tray_menu_win.h) share.
#pragma once

#include <cstdint>

namespace menureader {

inline constexpr wchar_t kLibraryFileName[] = L"menu_reader.dll";
inline constexpr char kHookExport[] = "ReadMenuHook";
inline constexpr wchar_t kReadMenuMessage[] = L"RowtenderReadMenu";
inline constexpr std::uintptr_t kMenuReplyCode = 0x4D454E55;  // "MENU"

}  // namespace menureader
