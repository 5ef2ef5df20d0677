// The charset name (as mail readers know it) of a Windows code page, for a body written in the
// system code page: CharsetOfCodePage(GetACP()).
#pragma once

#include <string>

namespace mail {

// "windows-1252" for 1252 and the like; empty for a code page without a well-known name (its text
// is better converted to UTF-8 and sent as "utf-8").
std::string CharsetOfCodePage(unsigned codePage);

}  // namespace mail
