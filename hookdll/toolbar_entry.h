// One toolbar button as the hook library reads it inside the taskbar's process: the 32-bit button
// record (with the window handle taken from the button's data), its item rectangle and its text in
// the system code page.
#pragma once

#include <string>
#include <vector>

#include "app/hook_contract.h"

namespace hookdll {

struct ToolbarEntry {
  hook::ButtonRecord record{};
  hook::Rect32 rect{};
  std::string text;  // system code page bytes
};

using ToolbarEntries = std::vector<ToolbarEntry>;

}  // namespace hookdll
