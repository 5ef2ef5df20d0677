// What the program, the hook library and the stand-in taskbar agree on: message names and
// numbers, copy-data codes and the byte layouts that cross the process boundary. Portable: no
// <windows.h>, so the layouts are checked on every compiler.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/saturated_arithmetic.h"

namespace hook {

// Registered window messages (RegisterWindowMessage names).
inline constexpr const char* kTakeHwndName = "WM_TAKEHWND";
inline constexpr const char* kGetTaskTextName = "WM_GETTASKTEXT";
inline constexpr const char* kGetTaskIconName = "WM_GETTASKICON";
inline constexpr const char* kDoMouseName = "WM_DOMOUSE";

inline constexpr const wchar_t* kTakeHwndNameW = L"WM_TAKEHWND";
inline constexpr const wchar_t* kGetTaskTextNameW = L"WM_GETTASKTEXT";
inline constexpr const wchar_t* kGetTaskIconNameW = L"WM_GETTASKICON";
inline constexpr const wchar_t* kDoMouseNameW = L"WM_DOMOUSE";

// Fixed message numbers.
inline constexpr std::uint32_t kWmApp = 0x8000;            // tree rebuild
inline constexpr std::uint32_t kRequestSnapshot = 0x8001;  // WM_APP + 1: snapshot request / refresh
inline constexpr std::uint32_t kSnapshotCopyDataCode = 0x8001;
inline constexpr std::uint32_t kTbMoveButton = 0x0452;     // TB_MOVEBUTTON
inline constexpr std::uint32_t kTbGetRows = 0x0428;        // TB_GETROWS

// Mouse messages forwarded from the toolbar.
inline constexpr std::uint32_t kMouseMove = 0x0200;
inline constexpr std::uint32_t kLeftButtonDown = 0x0201;
inline constexpr std::uint32_t kLeftButtonUp = 0x0202;

// Export names of the hook library.
inline constexpr const char* kHookProcExport = "GlobalMsgHook";
inline constexpr const char* kSetHookHandleExport = "SetHookHandle";
inline constexpr const wchar_t* kLibraryFileName = L"HookDll.dll";

// Taskbar window chain, outermost first.
inline constexpr const wchar_t* kTaskbarChain[] = {L"Shell_TrayWnd", L"ReBarWindow32",
                                                   L"MSTaskSwWClass", L"ToolbarWindow32"};

inline constexpr int kMaxEntries = 257;
inline constexpr std::uint32_t kStateHidden = 0x08;  // TBSTATE_HIDDEN

// The 20-byte button record: the size of the 32-bit TBBUTTON. Only Window is read.
struct ButtonRecord {
  std::int32_t bitmap;
  std::int32_t command;
  std::uint8_t state;
  std::uint8_t style;
  std::uint8_t reserved[2];
  std::uint32_t window;  // handle of the window the button stands for; 0 for a group button
  std::int32_t text;
};
static_assert(sizeof(ButtonRecord) == 20);
static_assert(offsetof(ButtonRecord, window) == 12);

struct Rect32 {
  std::int32_t left, top, right, bottom;
  // Saturated: a rectangle read from another process may span more than 32 bits.
  std::int32_t width() const { return taskbar::Difference(right, left); }
  std::int32_t height() const { return taskbar::Difference(bottom, top); }
  bool contains(std::int32_t x, std::int32_t y) const {
    return left <= x && x < right && top <= y && y < bottom;
  }
  friend bool operator==(const Rect32& a, const Rect32& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};
static_assert(sizeof(Rect32) == 16);

// The taskbar snapshot: a count and four parallel arrays of 257 slots, little-endian.
// Window and icon handles travel as 32-bit values (the significant part of a user handle).
struct TaskbarSnapshot {
  std::int32_t count;
  ButtonRecord buttons[kMaxEntries];
  Rect32 rects[kMaxEntries];
  std::uint32_t states[kMaxEntries];
  std::uint32_t icons[kMaxEntries];

  bool hidden(int i) const { return (states[i] & kStateHidden) != 0; }
};
static_assert(sizeof(TaskbarSnapshot) == 11312);
static_assert(offsetof(TaskbarSnapshot, buttons) == 4);
static_assert(offsetof(TaskbarSnapshot, rects) == 5144);
static_assert(offsetof(TaskbarSnapshot, states) == 9256);
static_assert(offsetof(TaskbarSnapshot, icons) == 10284);

// A forwarded mouse message: the first four fields of a 32-bit MSG record, then its time and
// pointer. Readers need only the first 16 bytes.
struct MouseRecord {
  std::uint32_t window;
  std::uint32_t message;
  std::uint32_t wParam;
  std::uint32_t lParam;
  std::uint32_t time;
  std::int32_t ptX;
  std::int32_t ptY;
};
static_assert(sizeof(MouseRecord) == 28);
inline constexpr std::size_t kMouseRecordMinSize = 16;

// Text list bytes.
inline constexpr char kTextQuote = '\xFF';
inline constexpr char kTextSeparator = '\xFE';

// The largest text list the library writes: kMaxEntries texts of at most kMaxTaskTextChars
// characters, each character up to three bytes in the system code page and every byte possibly a
// doubled quote, plus two quotes and a separator per text. A longer list is no list of ours.
inline constexpr std::size_t kMaxTaskTextChars = 511;
inline constexpr std::size_t kMaxTextListSize = kMaxEntries * (kMaxTaskTextChars * 3 * 2 + 3);

// The pictures the taskbar shows on its buttons (copy-data code = id of "WM_GETTASKICON"), sent
// after the texts and before WM_APP. Pixels rather than icon handles: nothing the library makes in
// the taskbar's process outlives the exchange, and the program can draw them in any case (an icon
// handle of another process cannot be drawn everywhere). Layout: the header, then one 32-bit
// picture index per entry (kNoPicture: the button shows none), then the distinct pictures, each
// width x height pixels of 32 bits, rows top down, blue-green-red-alpha, colour not premultiplied
// (as an icon's colour bitmap holds them).
struct IconListHeader {
  std::uint32_t count;     // entries: the snapshot's Count
  std::uint32_t width;     // of every picture, 1 .. kMaxIconSide
  std::uint32_t height;
  std::uint32_t pictures;  // distinct pictures, at most count
};
static_assert(sizeof(IconListHeader) == 16);
inline constexpr std::int32_t kNoPicture = -1;
inline constexpr std::uint32_t kMaxIconSide = 64;

}  // namespace hook
