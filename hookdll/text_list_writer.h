// The task text list sent with every snapshot: each text enclosed in byte 255 (a 255 inside is
// written twice), texts separated by byte 254. Every text is quoted, plain ones too, because the
// program's reader splits an unquoted text at spaces.
#pragma once

#include <string>
#include <string_view>

#include "hookdll/toolbar_entry.h"

namespace hookdll {

// Appends one quoted text (with its separator unless it is the first). Zero bytes are left out:
// the list travels zero-terminated.
void AppendTaskText(std::string& list, std::string_view text);

// The list for the first hook::kMaxEntries entries, so that item i matches snapshot entry i.
std::string WriteTextList(const ToolbarEntries& entries);

}  // namespace hookdll
