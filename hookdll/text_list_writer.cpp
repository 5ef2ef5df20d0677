#include "hookdll/text_list_writer.h"

#include <algorithm>

namespace hookdll {

void AppendTaskText(std::string& list, std::string_view text) {
  if (!list.empty()) list += hook::kTextSeparator;
  list += hook::kTextQuote;
  for (char c : text) {
    if (c == '\0') continue;
    if (c == hook::kTextQuote) list += hook::kTextQuote;
    list += c;
  }
  list += hook::kTextQuote;
}

std::string WriteTextList(const ToolbarEntries& entries) {
  std::string list;
  const std::size_t count = std::min<std::size_t>(entries.size(), hook::kMaxEntries);
  for (std::size_t i = 0; i < count; ++i) AppendTaskText(list, entries[i].text);
  return list;
}

}  // namespace hookdll
