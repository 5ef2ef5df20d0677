// What: the client's side of SMTP against scripted server replies. Why: every refusal must end as
// an error carrying the server's own text (never as a silent success), a reply may arrive in any
// number of pieces, and the message must reach the server with its leading dots doubled.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/mail_errors.h"
#include "mail/smtp_conversation.h"

namespace {

using mail::SmtpConversation;
using mail::SmtpStage;

const char kMessage[] = "Subject: t\r\n\r\n.hidden\r\nline\r\n..two\r\n";

// One exchange: what the server says (or "<mail>" / "<quit>": what the client is told to do), then
// what the client must send.
struct Step {
  std::string server;
  std::string client;
};

// The whole conversation of one accepted message to two recipients.
const std::vector<Step> kHappyPath = {
    {"220 mx.test ESMTP ready\r\n", "EHLO [127.0.0.1]\r\n"},
    {"250-mx.test\r\n250-SIZE 1000000\r\n250 8BITMIME\r\n", ""},
    {"<mail>", "MAIL FROM:<ann@example.org>\r\n"},
    {"250 2.1.0 Ok\r\n", "RCPT TO:<support@kelvane.example>\r\n"},
    {"251 2.1.5 will forward\r\n", "RCPT TO:<copy@kelvane.example>\r\n"},
    {"250 2.1.5 Ok\r\n", "DATA\r\n"},
    {"354 End data with <CR><LF>.<CR><LF>\r\n", "Subject: t\r\n\r\n..hidden\r\nline\r\n...two\r\n.\r\n"},
    {"250 2.0.0 Ok: queued\r\n", ""},
    {"<quit>", "QUIT\r\n"},
    {"221 2.0.0 Bye\r\n", ""},
};

// Feeds the server's text in pieces of `piece` bytes (0: whole).
void Play(SmtpConversation& conversation, const Step& step, std::size_t piece) {
  if (step.server == "<mail>") {
    conversation.StartMail("ann@example.org", {"support@kelvane.example", "copy@kelvane.example"}, kMessage);
  } else if (step.server == "<quit>") {
    conversation.Quit();
  } else {
    const std::size_t size = piece ? piece : step.server.size();
    for (std::size_t at = 0; at < step.server.size(); at += size) conversation.Receive(step.server.substr(at, size));
  }
}

TEST(SmtpConversation, DeliversAMessageWhateverThePiecesTheRepliesComeIn) {
  for (std::size_t piece : {0, 1, 2, 5}) {
    SmtpConversation conversation("[127.0.0.1]");
    conversation.Open();
    for (const Step& step : kHappyPath) {
      Play(conversation, step, piece);
      EXPECT_EQ(conversation.TakeOutput(), step.client) << "piece " << piece << " after " << step.server;
    }
    EXPECT_EQ(conversation.Stage(), SmtpStage::kClosed);
    EXPECT_EQ(conversation.MessagesAccepted(), 1);
  }
}

TEST(SmtpConversation, EveryRefusalIsAnErrorWithTheServersText) {
  struct Case {
    std::size_t step;  // the step of kHappyPath whose reply is replaced
    std::string reply;
    SmtpStage after;
    const char* what;
  };
  std::vector<Case> cases;
  const struct {
    std::size_t step;
    SmtpStage after;
    const char* what;
  } points[] = {{0, SmtpStage::kClosed, "refused the connection"},
                {3, SmtpStage::kReady, "refused the sender address <ann@example.org> (MAIL FROM)"},
                {4, SmtpStage::kReady, "refused the recipient <support@kelvane.example> (RCPT TO)"},
                {5, SmtpStage::kReady, "refused the recipient <copy@kelvane.example> (RCPT TO)"},
                {6, SmtpStage::kReady, "refused to take the message (DATA)"},
                {7, SmtpStage::kReady, "refused the message"}};
  for (const auto& point : points) {
    cases.push_back({point.step, "451 4.3.0 Try again later\r\n", point.after, point.what});
    cases.push_back({point.step, "554-5.7.1 Rejected\r\n554 5.7.1 see the policy\r\n", point.after, point.what});
    cases.push_back({point.step, "421 4.4.2 Shutting down\r\n", SmtpStage::kClosed, point.what});
  }
  cases.push_back({1, "421 4.4.2 Shutting down\r\n", SmtpStage::kClosed, "refused the greeting (EHLO)"});
  cases.push_back({1, "451 4.3.0 Not now\r\n", SmtpStage::kClosed, "refused the greeting (EHLO)"});

  for (const Case& c : cases) {
    SmtpConversation conversation("[127.0.0.1]");
    conversation.Open();
    for (std::size_t i = 0; i < c.step; ++i) Play(conversation, kHappyPath[i], 0);
    conversation.TakeOutput();
    try {
      Play(conversation, {c.reply, ""}, 3);
      ADD_FAILURE() << c.what << " " << c.reply << ": no error";
    } catch (const ESmtpError& error) {  // of the program's general kind, as the sending window catches
      const std::string text = error.Message();
      const std::string firstLine = c.reply.substr(0, c.reply.find("\r\n"));
      EXPECT_NE(text.find(c.what), std::string::npos) << text;
      EXPECT_NE(text.find(firstLine.substr(0, 3) + " " + firstLine.substr(4)), std::string::npos) << text;
      EXPECT_EQ(error.ReplyCode(), std::stoi(c.reply)) << text;
    }
    EXPECT_EQ(conversation.Stage(), c.after) << c.what << " " << c.reply;
    EXPECT_EQ(conversation.TakeOutput(), "") << "nothing sent after a refusal";
  }
}

TEST(SmtpConversation, FallsBackToHeloAndResetsAfterAFailedTransaction) {
  SmtpConversation conversation("[10.0.0.2]");
  conversation.Open();
  const std::vector<Step> script = {
      {"220 old.test\r\n", "EHLO [10.0.0.2]\r\n"},
      {"502 5.5.2 Command not recognized\r\n", "HELO [10.0.0.2]\r\n"},
      {"250 old.test\r\n", ""},
      {"<mail>", "MAIL FROM:<ann@example.org>\r\n"},
      {"250 Ok\r\n", "RCPT TO:<support@kelvane.example>\r\n"},
  };
  for (const Step& step : script) {
    Play(conversation, step, 0);
    EXPECT_EQ(conversation.TakeOutput(), step.client);
  }
  EXPECT_THROW(conversation.Receive("550 5.1.1 No such user\r\n"), ESmtpError);
  // The server still holds the half-done transaction: the next message starts with RSET.
  Play(conversation, {"<mail>", ""}, 0);
  EXPECT_EQ(conversation.TakeOutput(), "RSET\r\n");
  conversation.Receive("250 Ok\r\n");
  EXPECT_EQ(conversation.TakeOutput(), "MAIL FROM:<ann@example.org>\r\n");
}

TEST(SmtpConversation, WhatIsNoReplyIsAnErrorNotAHang) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"text without a code", "hello there\r\n"},
      {"a code out of range", "999 what\r\n"},
      {"no separator after the code", "220x\r\n"},
      {"lines disagree on the code", "250-one\r\n251 two\r\n"},
      {"an endless line", std::string(5000, '2')},
      {"endless continuation lines", [] { std::string s; for (int i = 0; i < 300; ++i) s += "250-x\r\n"; return s; }()},
      {"a reply nobody asked for", "220 hi\r\n250 ok\r\n250 extra\r\n"},
  };
  for (const auto& c : cases) {
    SmtpConversation conversation("[127.0.0.1]");
    conversation.Open();
    EXPECT_THROW(conversation.Receive(c.bytes), ESmtpError) << c.name;
  }
}

TEST(SmtpConversation, DotStuffingDoublesLeadingDotsAndEndsTheMessage) {
  const struct {
    std::string text;
    std::string sent;
  } cases[] = {{"", ".\r\n"},
               {".\r\n", "..\r\n.\r\n"},
               {"a\r\n.b\r\nc.d\r\n", "a\r\n..b\r\nc.d\r\n.\r\n"},
               {"..\r\n", "...\r\n.\r\n"},
               {"no line end", "no line end\r\n.\r\n"}};
  for (const auto& c : cases) EXPECT_EQ(mail::DotStuff(c.text), c.sent) << c.text;
}

}  // namespace
