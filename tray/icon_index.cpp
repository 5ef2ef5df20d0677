#include "tray/icon_index.h"

namespace tray {

int ClampIconIndex(bool hasList, int count, int requested) {
  if (!hasList) return 0;
  if (requested >= count) return count - 1;
  return requested;
}

int NextIconIndex(bool hasList, int count, int index) {
  if (!hasList) return 0;
  return index < count - 1 ? index + 1 : 0;
}

}  // namespace tray
