// What: the lenient reader of the hook library's text list. Why: item i must stay the text of
// entry i, quirks included, and the reader must never run past the payload.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/text_list.h"

namespace {

using taskbar::ReadTextList;
using Items = std::vector<std::string>;

// Q = quote byte 255, S = separator byte 254.
std::string Bytes(std::string text) {
  for (char& c : text) {
    if (c == 'Q') c = '\xFF';
    if (c == 'S') c = '\xFE';
  }
  return text;
}

Items Read(const std::string& text) { return ReadTextList(text.c_str(), text.size() + 1); }

struct Case {
  const char* name;
  std::string text;
  Items expected;
};

TEST(TextList, ReadsTheLenientDelimitedFormat) {
  const Case cases[] = {
      {"empty text", "", {}},
      {"only blanks", " \t\r\n", {}},
      {"quoted items", Bytes("QMailQSQEditorQ"), {"Mail", "Editor"}},
      {"quoted item keeps spaces", Bytes("QMy DocumentsQ"), {"My Documents"}},
      {"doubled quote becomes one", Bytes("QaQQbQ"), {"a\xFF" "b"}},
      {"empty quoted item", Bytes("QQSQxQ"), {"", "x"}},
      {"unquoted text with a space is two items", Bytes("QaQSMy DocsSQbQ"), {"a", "My", "Docs", "b"}},
      {"blanks around items skipped", Bytes("  QaQ \t S  QbQ  "), {"a", "b"}},
      {"trailing separator adds an empty item", Bytes("QaQS"), {"a", ""}},
      {"separator then blanks adds nothing", Bytes("QaQS  "), {"a"}},
      {"two separators give an empty item", Bytes("QaQSSQbQ"), {"a", "", "b"}},
      {"text after a closing quote is a new item", Bytes("QabQcdSQeQ"), {"ab", "cd", "e"}},
      {"unquoted item ends at control byte", "ab\x01" "cd", {"ab", "cd"}},
      {"quote inside an unquoted item is kept", Bytes("aQbSc"), {"a\xFF" "b", "c"}},
      {"unterminated quote runs to the end", Bytes("QabQQc"), {"ab\xFF" "c"}},
      {"high bytes are text", "\xE9t\xE9", {"\xE9t\xE9"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Read(c.text), c.expected) << c.name;
}

TEST(TextList, StopsAtTheFirstZeroByte) {
  const std::string text = Bytes("QaQSQbQ") + std::string(1, '\0') + Bytes("SQcQ");
  EXPECT_EQ(ReadTextList(text.data(), text.size()), (Items{"a", "b"}));
}

TEST(TextList, NeverReadsPastThePayloadWithoutTerminator) {
  // The buffer is exactly the payload: no terminating zero follows, so every path must stop at
  // the payload's end (AddressSanitizer guards the heap copy).
  const Case cases[] = {
      {"unquoted", "abc", {"abc"}},
      {"open quote", Bytes("Qab"), {"ab"}},
      {"trailing doubled quote", Bytes("QabQQ"), {"ab\xFF"}},
      {"trailing separator", Bytes("aS"), {"a", ""}},
      {"trailing blanks", "a  ", {"a"}},
  };
  for (const Case& c : cases) {
    std::vector<char> exact(c.text.begin(), c.text.end());
    EXPECT_EQ(ReadTextList(exact.data(), exact.size()), c.expected) << c.name;
  }
  EXPECT_TRUE(ReadTextList(nullptr, 100).empty());
}

}  // namespace
