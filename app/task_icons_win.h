// The taskbar buttons' pictures, as the hook library sends them, made into icons of the program's
// own: the task list draws them like any window's icon.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "app/icon_list.h"
#include "ui/handles.h"

class TaskIcons {
 public:
  // The icon of each picture of `list`, in its order; null where none could be made (the button
  // then falls back to its window's icon). Making an icon is the costly step and a taskbar's
  // pictures seldom change between reports: pictures the previous list carried too keep their
  // icons, and the icons of pictures that are gone are destroyed.
  std::vector<HICON> Take(const taskbar::IconList& list);

 private:
  std::unordered_map<std::string, UniqueIcon> byPixels_;
};
