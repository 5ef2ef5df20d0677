// Which image of the tray icon's image list is shown: the rules of the IconIndex property and the
// order of the icon animation.
#pragma once

namespace tray {

// The index stored for a request: 0 without a list; with one, at most count - 1 (-1 for an empty
// list). A negative request is kept as it is and selects no image.
int ClampIconIndex(bool hasList, int count, int requested);

// The index the animation moves to after `index`: the next one while it is inside the list, else 0.
int NextIconIndex(bool hasList, int count, int index);

// Whether `index` names an image of a list of `count` images.
inline bool IsImageIndex(int count, int index) { return index >= 0 && index < count; }

}  // namespace tray
