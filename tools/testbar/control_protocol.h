// The stand-in taskbar's control protocol. A client sends one text command (UTF-8) as
// WM_COPYDATA with kCommandCode to the stand-in's "Shell_TrayWnd", passing its own window in
// wParam; the stand-in answers, before the send returns, with WM_COPYDATA kReplyCode to that
// window. A reply's first line is "ok" or "error: <reason>", data lines follow.
//
// Commands (a word with spaces is written in double quotes, "" inside for a quote):
//   ping                          the stand-in is up
//   add TITLE [GROUP]             new window, lone (before the first group) or last in GROUP;
//                                 replies its window handle
//   group NAME expanded|collapsed new empty group at the end
//   remove WINDOW | retitle WINDOW TITLE | hang WINDOW (its thread stops answering)
//   ticker WINDOW MS TITLE        retitles WINDOW "TITLE 0" now, then "TITLE 1", "TITLE 2", ...
//                                 every MS milliseconds; MS 0 stops it
//   collapse NAME | expand NAME
//   move FROM TO                  TB_MOVEBUTTON on the toolbar
//   rows N                        narrows the toolbar so that its visible buttons take N rows
//   order                         one line per button: index, window, "group"|"window",
//                                 hidden 0|1, left,top,right,bottom, text (tab separated)
//   picture INDEX                 the picture button INDEX shows, over the window background: one
//                                 line per row of RRGGBB pixels (hex, blank separated)
//   messages | clear              what the toolbar received, in order | forget it
//   traycalls                     the WM_COPYDATA calls forwarded to the shell: dwData cbData hex
//   toolbar                       the toolbar's window handle
//   quit
// Window handles are written in decimal.
#pragma once

#include <cstdint>

namespace testbar {

inline constexpr std::uintptr_t kCommandCode = 0x54424331;  // "TBC1"
inline constexpr std::uintptr_t kReplyCode = 0x54424332;    // "TBC2"
// The stand-in's Shell_TrayWnd carries this title so that clients tell it from the shell's own.
inline constexpr const wchar_t* kBarTitle = L"Rowtender test taskbar";

}  // namespace testbar
