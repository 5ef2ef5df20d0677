// What: the mail encoders against known vectors (RFC 4648 for base64; vectors made with Python's
// base64 module for the rest). Why: a wrong bit here garbles every attachment, name and subject,
// and an over-long or badly folded line gets a mail refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/base64.h"
#include "mail/header_text.h"
#include "mail/mail_date.h"
#include "mail/quoted_printable.h"

namespace {

std::string AllBytes() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  return bytes;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0, end;
  while ((end = text.find("\r\n", start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  if (start < text.size()) lines.push_back(text.substr(start));  // an unterminated rest
  return lines;
}

std::string Unfold(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 2);
  return text;
}

TEST(MailEncoding, Base64KnownVectors) {
  const char* const kAllBytes =
      "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4OTo7PD0+P0BBQkNERUZHSElKS0xNTk9QUVJTVFVW"
      "V1hZWltcXV5fYGFiY2RlZmdoaWprbG1ub3BxcnN0dXZ3eHl6e3x9fn+AgYKDhIWGh4iJiouMjY6PkJGSk5SVlpeYmZqbnJ2en6ChoqOkpaanqKmqq6yt"
      "rq+wsbKztLW2t7i5uru8vb6/wMHCw8TFxsfIycrLzM3Oz9DR0tPU1dbX2Nna29zd3t/g4eLj5OXm5+jp6uvs7e7v8PHy8/T19vf4+fr7/P3+/w==";
  const struct {
    std::string bytes;
    std::string text;
  } cases[] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
               {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {AllBytes(), kAllBytes}};
  for (const auto& c : cases) EXPECT_EQ(mail::Base64Encode(c.bytes), c.text) << c.bytes;
}

TEST(MailEncoding, Base64WrapsAt76WithCrLfAfterEveryLine) {
  const struct {
    std::size_t size;
    std::vector<std::size_t> lineLengths;
  } cases[] = {{0, {}}, {1, {4}}, {57, {76}}, {58, {76, 4}}, {256, {76, 76, 76, 76, 40}}};
  for (const auto& c : cases) {
    const std::string bytes = AllBytes().substr(0, c.size);
    const std::string wrapped = mail::Base64Encode(bytes, mail::kBase64MimeLineLength);
    std::vector<std::size_t> lengths;
    for (const std::string& line : Lines(wrapped)) lengths.push_back(line.size());
    EXPECT_EQ(lengths, c.lineLengths) << c.size;
    EXPECT_TRUE(wrapped.empty() || wrapped.substr(wrapped.size() - 2) == "\r\n") << c.size;
    EXPECT_EQ(Unfold(wrapped), mail::Base64Encode(bytes)) << c.size;
  }
}

TEST(MailEncoding, QuotedPrintableKeepsLinesShortAndSevenBit) {
  const struct {
    const char* name;
    std::vector<std::string> lines;
    std::string encoded;
  } cases[] = {
      {"plain text", {"Hello, world.", ""}, "Hello, world.\r\n\r\n"},
      {"8-bit and equals sign", {"caf\xE9 a=b"}, "caf=E9 a=3Db\r\n"},
      {"space and tab at a line end", {"end ", "tab\t"}, "end=20\r\ntab=09\r\n"},
      {"zero and control bytes", {std::string("a\0b\x7F", 4)}, "a=00b=7F\r\n"},
      {"76 characters fit", {std::string(76, 'a')}, std::string(76, 'a') + "\r\n"},
      {"77 characters are split", {std::string(77, 'a')}, std::string(75, 'a') + "=\r\naa\r\n"},
      {"an escape is never split", {std::string(74, 'a') + "\xE9" "b"}, std::string(74, 'a') + "=\r\n=E9b\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(mail::QuotedPrintable(c.lines), c.encoded) << c.name;
  for (const std::string& line : Lines(mail::QuotedPrintable({std::string(3000, '\xE9')}))) EXPECT_LE(line.size(), 76u);
}

TEST(MailEncoding, HeaderTextsBecomeAtomsQuotedStringsOrEncodedWords) {
  const std::string u40 = [] { std::string s; for (int i = 0; i < 40; ++i) s += "\xC3\xBC"; return s; }();
  const struct {
    const char* name;
    std::string encoded;
    std::string expected;
  } cases[] = {
      {"atoms stay as they are", mail::EncodePhrase("John Smith"), "John Smith"},
      {"a comma needs quotes", mail::EncodePhrase("Smith, John"), "\"Smith, John\""},
      {"a lone full stop needs quotes", mail::EncodePhrase("."), "\".\""},
      {"quotes and backslashes escaped", mail::EncodePhrase("say \"hi\" \\o/"), "\"say \\\"hi\\\" \\\\o/\""},
      {"text that looks encoded is quoted", mail::EncodePhrase("=?x?="), "\"=?x?=\""},
      {"no name", mail::EncodePhrase(""), ""},
      {"non-ASCII name", mail::EncodePhrase("J\xC3\xB6rg"), "=?UTF-8?B?SsO2cmc=?="},
      {"non-ASCII subject", mail::EncodeUnstructured("Gr\xC3\xBC\xC3\x9F" "e", 9), "=?UTF-8?B?R3LDvMOfZQ==?="},
      {"plain subject", mail::EncodeUnstructured("Rowtender Support", 9), "Rowtender Support"},
      {"words split between characters", mail::EncodeWords(u40),
       "=?UTF-8?B?w7zDvMO8w7zDvMO8w7zDvMO8w7zDvMO8w7zDvMO8w7zDvMO8w7zDvMO8w7w=?=\r\n"
       " =?UTF-8?B?w7zDvMO8w7zDvMO8w7zDvMO8w7zDvMO8w7zDvMO8w7zDvMO8?="},
      {"a long run without spaces is encoded", mail::EncodeUnstructured(std::string(61, 'x'), 9).substr(0, 10), "=?UTF-8?B?"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.encoded, c.expected) << c.name;
}

TEST(MailEncoding, LongHeaderTextsFoldWithinTheirLimits) {
  std::string words;
  for (int i = 0; i < 40; ++i) words += "word" + std::to_string(i) + "  ";
  std::string accents;
  for (int i = 0; i < 300; ++i) accents += "\xC3\xA9";
  const struct {
    std::string text;
    std::size_t maxLine;  // "Subject: " included
    bool plain;           // folded at its own spaces, so unfolding gives it back
  } cases[] = {{words, 78, true}, {accents, 9 + 75, false}, {words + accents, 9 + 75, false}};
  for (const auto& c : cases) {
    const std::string folded = "Subject: " + mail::EncodeUnstructured(c.text, 9);
    EXPECT_NE(folded.find("\r\n "), std::string::npos) << "not folded: " << folded;
    for (const std::string& line : Lines(folded)) EXPECT_LE(line.size(), c.maxLine) << line;
    if (c.plain) {
      EXPECT_EQ(Unfold(folded), "Subject: " + c.text);
    }
  }
}

TEST(MailEncoding, DateHeaderCarriesWeekdayAndZone) {
  const struct {
    mail::CivilTime time;
    int offset;
    const char* expected;
  } cases[] = {
      {{2025, 3, 4, 14, 5, 9}, 60, "Tue, 04 Mar 2025 14:05:09 +0100"},
      {{2000, 2, 29, 0, 0, 0}, -300, "Tue, 29 Feb 2000 00:00:00 -0500"},
      {{1999, 12, 31, 23, 59, 59}, 0, "Fri, 31 Dec 1999 23:59:59 +0000"},
      {{2038, 1, 19, 3, 14, 8}, 330, "Tue, 19 Jan 2038 03:14:08 +0530"},
      {{1969, 12, 31, 12, 0, 0}, -210, "Wed, 31 Dec 1969 12:00:00 -0330"},
  };
  for (const auto& c : cases) EXPECT_EQ(mail::FormatMailDate(c.time, c.offset), c.expected);
}

}  // namespace
