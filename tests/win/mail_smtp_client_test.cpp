// What: the Winsock mail client against a real SMTP server (aiosmtpd, tests/peers), with what
// arrived read back by Python's email package. Why: only a real server and a real parser show that
// the mail is well-formed, that the bytes of every attachment arrive unchanged, that every fault
// of the server becomes an error the sending window can show, and that a silent server cannot
// hold the program beyond its time-out.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "mail/code_page_charset.h"
#include "mail/mail_errors.h"
#include "mail/smtp_client_win.h"
#include "tests/peers/smtp_peer_win.h"
#include "ui/strings.h"
#include "ui/timer_win.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

std::string AllBytes() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  return bytes;
}

std::string PseudoRandomBytes(std::size_t size) {
  std::string bytes;
  unsigned state = 12345;
  for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
  return bytes;
}

// The body's lines as the sending window has them: in the system code page.
std::vector<std::string> SystemCodePageLines(const std::vector<std::wstring>& lines) {
  std::vector<std::string> out;
  for (const std::wstring& line : lines) out.push_back(WideToAnsi(line));
  return out;
}

// A report as the sending window makes one.
mail::MailMessage Report(bool withAttachments) {
  mail::MailMessage message;
  message.from = {"J\xC3\xB6rg M\xC3\xBCller", "joerg@example.org"};
  message.sender = message.from;
  message.SetRecipient("support@kelvane.example");
  message.subject = "Rowtender Support \xE2\x80\x94 Gr\xC3\xBC\xC3\x9F" "e";
  message.body = SystemCodePageLines({L"Rowtender crashed.", L".leading dot", L"..", L".", L"caf\u00E9 \u20AC \u00FC",
                                      std::wstring(1500, L'x'), L"\tTab", L"", L"last"});
  message.bodyCharset = mail::CharsetOfCodePage(GetACP());
  message.extraHeaders = {{"X-Report-Id", "42"}};
  if (withAttachments) {
    message.AddAttachment("Errors.txt", "First error\r\n.A line that starts with a dot\r\n.\r\n");
    message.AddAttachment("bytes.bin", AllBytes());
    message.AddAttachment("screenshot.png", PseudoRandomBytes(30000));
    message.AddAttachment("Gr\xC3\xBC\xC3\x9F" "e.txt", "");
  }
  return message;
}

class SmtpClientTest : public testing::Test {
 protected:
  void SetUp() override {
    client.SetHost("127.0.0.1");
    client.SetMailAgent("Rowtender");
    client.OnStatus = [this](TSmtpClient&, TSmtpClient::Status, const std::string& text) { statuses.push_back(text); };
    client.OnDisconnected = [this](TSmtpClient&) { ++disconnects; };
    client.OnIdle = [this](TSmtpClient&) { ++idles; };
  }

  peers::SmtpPeer peer;
  TSmtpClient client;
  std::vector<std::string> statuses;
  int disconnects = 0;
  int idles = 0;
};

TEST_F(SmtpClientTest, DeliversAReportThatPythonsEmailReadsBackExactly) {
  const std::vector<std::string> bodyUtf8 = {"Rowtender crashed.", ".leading dot", "..", ".", "caf\xC3\xA9 \xE2\x82\xAC \xC3\xBC",
                                             std::string(1500, 'x'), "\tTab", "", "last"};
  for (bool withAttachments : {true, false}) {
    SCOPED_TRACE(withAttachments ? "with attachments" : "plain");
    const unsigned short port = peer.Serve();
    client.SetPort(port);
    statuses.clear();
    disconnects = 0;
    const mail::MailMessage message = Report(withAttachments);
    client.Connect();
    client.Send(message);
    client.Disconnect();
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(statuses, (std::vector<std::string>{"Resolving hostname 127.0.0.1.", "Connecting to [127.0.0.1].", "Connected.",
                                                  "Sending message.", "Disconnecting.", "Disconnected."}));
    EXPECT_EQ(disconnects, 1);

    ASSERT_EQ(peer.Count(port), 1);
    const peers::ReceivedMail mail = peer.Check(port, 0);
    EXPECT_EQ(mail.envelopeFrom, "joerg@example.org");
    EXPECT_EQ(mail.envelopeTo, std::vector<std::string>{"support@kelvane.example"});
    std::vector<std::string> headers = {"Date",     "From",        "Sender",       "To",          "Subject",
                                        "Message-ID", "X-Mailer", "X-Report-Id", "MIME-Version", "Content-Type"};
    if (!withAttachments) headers.push_back("Content-Transfer-Encoding");
    EXPECT_EQ(mail.HeaderNames(), headers) << "no header may be missing or added";
    EXPECT_EQ(mail.Header("From"), std::vector<std::string>{"J\xC3\xB6rg M\xC3\xBCller <joerg@example.org>"});
    EXPECT_EQ(mail.Header("Sender"), mail.Header("From"));
    EXPECT_EQ(mail.Header("To"), std::vector<std::string>{"support@kelvane.example"});
    EXPECT_EQ(mail.Header("Subject"), std::vector<std::string>{message.subject});
    EXPECT_EQ(mail.Header("X-Mailer"), std::vector<std::string>{"Rowtender"});
    ASSERT_EQ(mail.Header("Message-ID").size(), 1u);
    EXPECT_EQ(mail.Header("Message-ID")[0].find("@example.org>"), mail.Header("Message-ID")[0].size() - 13);
    EXPECT_LT(std::llabs(mail.dateAge), 300) << "the Date header names the time of sending, with its zone";
    EXPECT_EQ(mail.defects, std::vector<std::string>{}) << "the parser found the mail malformed";
    EXPECT_EQ(mail.bareLineBreaks, 0);
    EXPECT_LE(mail.maxLine, 998);
    EXPECT_EQ(mail.contentType, withAttachments ? "multipart/mixed" : "text/plain");
    EXPECT_EQ(mail.bodyCharset, message.bodyCharset);
    EXPECT_FALSE(message.bodyCharset.empty()) << "code page " << GetACP();
    EXPECT_EQ(mail.bodyLines, bodyUtf8);
    ASSERT_EQ(mail.attachments.size(), message.attachments.size());
    for (std::size_t i = 0; i < message.attachments.size(); ++i) {
      EXPECT_EQ(mail.attachments[i].name, message.attachments[i].name);
      EXPECT_TRUE(mail.attachments[i].bytes == message.attachments[i].bytes) << message.attachments[i].name;
    }
    peer.Stop(port);
  }
}

TEST_F(SmtpClientTest, EveryServerFaultIsAnErrorOfTheGeneralKindWithAUsefulText) {
  const TSmtpClient::Timeouts shortened{milliseconds(1500), milliseconds(1500), milliseconds(1500)};
  enum class Step { kConnect, kSend };
  const struct {
    const char* fault;
    Step failingStep;
    const char* className;
    std::vector<std::string> texts;  // each must be in the error's message
    bool connectedAfter;
    std::size_t extraBytes = 0;  // an attachment so big that it fills every buffer on the way
    const char* host = "127.0.0.1";
  } cases[] = {
      {"none", Step::kConnect, "ESocketError", {"The mail server rowtender-test.invalid could not be found"}, false, 0,
       "rowtender-test.invalid"},
      {"refuse", Step::kConnect, "ESocketError", {"Could not connect to 127.0.0.1 port", "(10061)"}, false},
      {"mail-451", Step::kSend, "ESmtpError", {"(MAIL FROM)", "451 4.3.0 Refused by the test server (MAIL)"}, true},
      {"mail-550", Step::kSend, "ESmtpError", {"(MAIL FROM)", "550 5.7.1 Refused by the test server (MAIL)"}, true},
      {"rcpt-450", Step::kSend, "ESmtpError", {"<support@kelvane.example> (RCPT TO)", "450 4.3.0 Refused"}, true},
      {"rcpt-550", Step::kSend, "ESmtpError", {"<support@kelvane.example> (RCPT TO)", "550 5.7.1 Refused"}, true},
      {"data-451", Step::kSend, "ESmtpError", {"(DATA)", "451 4.3.0 Refused by the test server (DATA)"}, true},
      {"data-554", Step::kSend, "ESmtpError", {"(DATA)", "554 5.7.1 Refused by the test server (DATA)"}, true},
      {"end-452", Step::kSend, "ESmtpError", {"refused the message", "452 4.3.0 Refused"}, true},
      {"end-552", Step::kSend, "ESmtpError", {"refused the message", "552 5.7.1 Refused"}, true},
      {"stall-greeting", Step::kConnect, "ESocketError", {"did not answer within 1500 ms (waiting for the greeting)"}, false},
      {"stall-mail", Step::kSend, "ESocketError", {"within 1500 ms (waiting for the reply to MAIL FROM)"}, false},
      {"stall-end", Step::kSend, "ESocketError", {"within 1500 ms (waiting for the reply to the end of the message)"}, false},
      {"stall-transfer", Step::kSend, "ESocketError", {"Sending the message to the mail server did not finish within 1500 ms"},
       false, 24 << 20},
      {"drop-transfer", Step::kSend, "ESocketError", {"mail server"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    const unsigned short port = peer.Serve(c.fault);
    TSmtpClient faulty;
    faulty.SetHost(c.host);
    faulty.SetPort(port);
    faulty.SetTimeouts(shortened);
    // The caller's idle pump handles its window messages, as the sending window's does: a timer
    // of a window of this thread keeps ticking while the client waits.
    int idleCalls = 0, ticks = 0;
    Timer timer(nullptr, 100);
    timer.OnTimer = [&ticks] { ++ticks; };
    faulty.OnIdle = [&idleCalls](TSmtpClient&) {
      ++idleCalls;
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    };
    const Clock::time_point start = Clock::now();
    try {
      faulty.Connect();
      ASSERT_EQ(c.failingStep, Step::kSend) << "connected";
      mail::MailMessage message = Report(true);
      if (c.extraBytes) message.AddAttachment("huge.bin", std::string(c.extraBytes, 'h'));
      faulty.Send(message);
      ADD_FAILURE() << "no error";
    } catch (const Exception& error) {  // the kind the sending window's retry loop catches
      EXPECT_STREQ(error.ClassName(), c.className) << error.Message();
      for (const std::string& text : c.texts) {
        EXPECT_NE(error.Message().find(text), std::string::npos) << error.Message();
      }
    }
    const auto elapsed = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
    if (std::string(c.fault).compare(0, 5, "stall") == 0) {
      std::printf("[ figure   ] %s ended after %lld ms (time-out 1500 ms), idle called %d times, %d timer ticks\n",
                  c.fault, static_cast<long long>(elapsed.count()), idleCalls, ticks);
      EXPECT_GE(elapsed, milliseconds(1500)) << "gave up before its time-out";
      EXPECT_LT(elapsed, milliseconds(15000)) << "a silent server held the client beyond its time-out";
      EXPECT_GE(idleCalls, 10) << "the caller's window must keep painting while the client waits";
      EXPECT_GE(ticks, 5) << "the caller's window messages were not handled while the client waited";
    }
    EXPECT_EQ(faulty.Connected(), c.connectedAfter);
    faulty.Disconnect();  // never fails, connected or not
    EXPECT_FALSE(faulty.Connected());
    EXPECT_EQ(peer.Count(port), 0);
    peer.Stop(port);
  }
}

TEST_F(SmtpClientTest, ALineBreakInANameAddsNoHeader) {
  const unsigned short port = peer.Serve();
  client.SetPort(port);
  client.Connect();
  mail::MailMessage message = Report(false);
  message.from.name = "Ann\r\nBcc: victim@example.org";
  try {
    client.Send(message);
    ADD_FAILURE() << "a name with a line break was sent";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.ClassName(), "EMailError");
    EXPECT_NE(error.Message().find("line break"), std::string::npos) << error.Message();
  }
  EXPECT_EQ(peer.Count(port), 0);
  // The refusal costs nothing: the connection stays usable, and the same text without the line
  // break is only a name.
  ASSERT_TRUE(client.Connected());
  message.from.name = "Ann Bcc: victim@example.org";
  client.Send(message);
  client.Disconnect();
  ASSERT_EQ(peer.Count(port), 1);
  const peers::ReceivedMail mail = peer.Check(port, 0);
  EXPECT_TRUE(mail.Header("Bcc").empty());
  EXPECT_EQ(mail.Header("From"), std::vector<std::string>{"\"Ann Bcc: victim@example.org\" <joerg@example.org>"});
  EXPECT_EQ(mail.envelopeTo, std::vector<std::string>{"support@kelvane.example"});
  peer.Stop(port);
}

}  // namespace
