// The entry texts that the hook library sends with each snapshot: a zero-terminated list of 8-bit
// texts in the system code page, each quoted with byte 255 and separated by byte 254, read by
// the lenient delimited-text rules (see ReadTextList). The Win32 side converts each item from the
// system code page to UTF-8 before the tree shows it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace taskbar {

// Reads at most `size` bytes of `data`, stopping earlier at a zero byte:
// - bytes 1..32 are skipped before the first item and after every item;
// - an item starting with the quote byte runs to the next quote that is not doubled, and its
//   doubled quotes become single ones; a quote never closed runs to the end of the text;
// - any other item ends before the first byte of value 32 or less or before the separator, so an
//   unquoted text with a space becomes two items;
// - a separator that is the text's last byte adds one empty item;
// - at most hook::kMaxEntries items are read, the rest of the text is left.
std::vector<std::string> ReadTextList(const char* data, std::size_t size);

}  // namespace taskbar
