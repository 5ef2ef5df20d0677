#include "app/tray_menu/switch_state.h"

namespace traymenu {

SwitchView ViewOf(Switch state) {
  if (state == Switch::On) return {{"&On (Current State)", false}, {"O&ff", true}, true, true, true};
  return {{"&On", true}, {"O&ff (Current State)", false}, false, false, false};
}

}  // namespace traymenu
