// The taskbar buttons' pictures, as the hook library sends them, made into icons of the program's
// own: the task list draws them like any window's icon.
#pragma once

#include <vector>

#include "app/icon_list.h"
#include "ui/handles.h"

// One icon per picture of the list, in its order; an entry stays empty when its icon cannot be
// made (the button then falls back to its window's icon).
std::vector<UniqueIcon> MakeTaskIcons(const taskbar::IconList& list);
