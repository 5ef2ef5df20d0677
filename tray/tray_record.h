// The tray record: the shell's NOTIFYICONDATAA in its 488-byte layout (the one that ends with
// dwInfoFlags), as the component keeps it between shell calls. Portable, so the layout is checked
// on every compiler; the Win32 side copies it into the platform's own record at each call, because
// the 64-bit shell reads pointer-sized handles where this layout has 32-bit ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tray {

// uFlags bits.
inline constexpr std::uint32_t kFlagMessage = 0x01;  // NIF_MESSAGE
inline constexpr std::uint32_t kFlagIcon = 0x02;     // NIF_ICON
inline constexpr std::uint32_t kFlagTip = 0x04;      // NIF_TIP
inline constexpr std::uint32_t kFlagInfo = 0x10;     // NIF_INFO
inline constexpr std::uint32_t kBasicFlags = kFlagMessage | kFlagIcon | kFlagTip;

// The icon's callback message on the shared tray window (WM_USER + 1024).
inline constexpr std::uint32_t kTrayCallbackMessage = 0x800;

// Shell_NotifyIcon requests.
enum class ShellRequest : std::uint32_t { Add = 0, Modify = 1, Delete = 2, SetVersion = 4 };

// The icon of a balloon hint; the values are the dwInfoFlags the shell expects.
enum class BalloonIconKind : std::uint32_t { None = 0, Info = 1, Warning = 2, Error = 3 };

struct TrayRecord {
  std::uint32_t cbSize;
  std::uint32_t hWnd;  // user handles are 32-bit values on every Windows
  std::uint32_t uID;
  std::uint32_t uFlags;
  std::uint32_t uCallbackMessage;
  std::uint32_t hIcon;
  char szTip[128];
  std::uint32_t dwState;
  std::uint32_t dwStateMask;
  char szInfo[256];
  std::uint32_t uTimeoutOrVersion;  // the union uTimeout / uVersion
  char szInfoTitle[64];
  std::uint32_t dwInfoFlags;
};
static_assert(sizeof(TrayRecord) == 488);
static_assert(offsetof(TrayRecord, hWnd) == 4);
static_assert(offsetof(TrayRecord, uID) == 8);
static_assert(offsetof(TrayRecord, uFlags) == 12);
static_assert(offsetof(TrayRecord, uCallbackMessage) == 16);
static_assert(offsetof(TrayRecord, hIcon) == 20);
static_assert(offsetof(TrayRecord, szTip) == 24);
static_assert(offsetof(TrayRecord, dwState) == 152);
static_assert(offsetof(TrayRecord, szInfo) == 160);
static_assert(offsetof(TrayRecord, uTimeoutOrVersion) == 416);
static_assert(offsetof(TrayRecord, szInfoTitle) == 420);
static_assert(offsetof(TrayRecord, dwInfoFlags) == 484);

// A zero-filled record for the icon `id` whose notifications go to `window`.
TrayRecord MakeTrayRecord(std::uint32_t window, std::uint32_t id);

// Copies at most size - 1 bytes of text into field and zero-fills the rest.
void CopyCut(char* field, std::size_t size, std::string_view text);
template <std::size_t N>
void CopyCut(char (&field)[N], std::string_view text) {
  CopyCut(field, N, text);
}

// The tooltip: the first 127 characters of hint when it is shown, else an empty field.
void SetTip(TrayRecord& record, std::string_view hint, bool showHint);

// The two halves of a balloon: hiding one asks the shell for an empty balloon text; showing one
// fills text (255), title (63), timeout and icon. EndBalloon puts the flags back for plain updates.
void PrepareHideBalloon(TrayRecord& record);
void PrepareShowBalloon(TrayRecord& record, std::string_view title, std::string_view text, BalloonIconKind kind,
                        std::uint8_t timeoutSecs);
void EndBalloon(TrayRecord& record);

}  // namespace tray
