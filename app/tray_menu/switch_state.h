// The On/Off switch of the tray menu: what each state shows and allows. On: the program listens to
// the taskbar, its list works and shows; Off: the hook library has no window to report to, and the
// list is hidden behind the notice "Rowtender is disabled.". Every start begins On.
#pragma once

namespace traymenu {

enum class Switch { On, Off };

struct SwitchItemState {
  const char* caption;
  bool enabled;
};

struct SwitchView {
  SwitchItemState onItem, offItem;  // MenuItemOn and MenuItemOff; the item of the state is disabled
  // Up, Down and Refresh are enabled and the tree takes presses. While Off this holds also when a
  // refresh tick comes, which otherwise ends the lock of a move.
  bool listWorks;
  bool listShown;        // the tree shows; else the notice behind it does
  bool handsOverWindow;  // "WM_TAKEHWND" carries the main window; else 0
};

SwitchView ViewOf(Switch state);

// Either switch item toggles: the item of the current state is disabled.
inline Switch Toggled(Switch state) { return state == Switch::On ? Switch::Off : Switch::On; }

}  // namespace traymenu
