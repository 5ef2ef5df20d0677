// What a WM_COPYDATA payload from the hook library carries. The Win32 side's handler passes the
// copy-data code, the data pointer and its byte count, and the ids it registered for
// "WM_GETTASKTEXT", "WM_DOMOUSE" and "WM_GETTASKICON"; it then keeps a snapshot, replaces the
// texts, takes the buttons' pictures, or hands a mouse input to the taskbar drag. A payload that
// does not fit its format is ignored whole, so the last good snapshot and texts stay.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "app/hook_contract.h"
#include "app/icon_list.h"

namespace taskbar {

struct CopyDataCodes {
  std::uint32_t taskText = 0;  // id of "WM_GETTASKTEXT"
  std::uint32_t mouse = 0;     // id of "WM_DOMOUSE"
  std::uint32_t icons = 0;     // id of "WM_GETTASKICON"
};

// A forwarded mouse message of the taskbar's toolbar: move, left button down or left button up.
struct MouseInput {
  std::uint32_t message = 0;
  std::uint32_t wParam = 0;
  std::uint32_t lParam = 0;
};

using TextList = std::vector<std::string>;
using CopyDataPayload = std::variant<std::monostate, hook::TaskbarSnapshot, TextList, MouseInput, IconList>;

// std::monostate when the payload is to be ignored:
// - a snapshot is taken only with exactly sizeof(TaskbarSnapshot) bytes and a count of 0..257;
// - a text list longer than hook::kMaxTextListSize is refused, a shorter one read by ReadTextList;
// - a mouse record needs at least its first 16 bytes and one of the three mouse messages;
// - a picture list is taken as ReadIconList takes it;
// - other codes are ignored.
CopyDataPayload DecodeCopyData(std::uint32_t code, const void* data, std::size_t size,
                               const CopyDataCodes& codes);

}  // namespace taskbar
