// What: the hook library's text list writer. Why: the program maps item i to toolbar button i,
// so one wrongly quoted text shifts every later entry's text.
#include "hookdll/text_list_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/text_list.h"

namespace {

hookdll::ToolbarEntries EntriesWithTexts(const std::vector<std::string>& texts) {
  hookdll::ToolbarEntries entries(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) entries[i].text = texts[i];
  return entries;
}

TEST(HookTextListWriter, QuotesEachTextDoublesQuoteBytesAndSeparates) {
  struct Case {
    std::vector<std::string> texts;
    std::string expected;
  };
  const Case cases[] = {
      {{}, ""},
      {{""}, "\xFF\xFF"},
      {{"Notepad"}, "\xFFNotepad\xFF"},
      {{"a b", "c"}, "\xFF" "a b\xFF\xFE\xFF" "c\xFF"},
      {{"\xFF"}, "\xFF\xFF\xFF\xFF"},
      {{"x\xFFy", ""}, "\xFFx\xFF\xFFy\xFF\xFE\xFF\xFF"},
      {{"sep\xFEinside"}, "\xFFsep\xFEinside\xFF"},
      {{std::string("nul\0byte", 8)}, "\xFFnulbyte\xFF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(hookdll::WriteTextList(EntriesWithTexts(c.texts)), c.expected);
  }
}

// Texts that the lenient reader would split or shorten if they travelled unquoted.
TEST(HookTextListWriter, ProgramReaderGetsEveryTextBack) {
  const std::vector<std::string> texts = {
      "Command Prompt", "", "  leading and trailing  ", "\xFF", "\xFF\xFF\xFF",
      "tab\there", "sep\xFEin", "\x01\x1F control", "last"};
  const std::string list = hookdll::WriteTextList(EntriesWithTexts(texts));
  EXPECT_EQ(taskbar::ReadTextList(list.c_str(), list.size() + 1), texts);
}

TEST(HookTextListWriter, WritesOneItemPerSnapshotSlotOnly) {
  const hookdll::ToolbarEntries entries = EntriesWithTexts(std::vector<std::string>(300, "t"));
  const std::string list = hookdll::WriteTextList(entries);
  EXPECT_EQ(taskbar::ReadTextList(list.c_str(), list.size() + 1).size(),
            static_cast<std::size_t>(hook::kMaxEntries));
}

}  // namespace
