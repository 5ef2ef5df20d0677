// What a mail holds before it is written out: sender, recipients, subject, body lines, attached
// files and extra headers. Texts in names and subject are UTF-8; the body is 8-bit text in the
// charset the message names (the system code page's, as the caller has it).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace mail {

struct MailAddress {
  std::string name;     // display name, UTF-8; empty for none
  std::string address;  // the mailbox, e.g. "support@kelvane.example"
};

struct Attachment {
  std::string name;   // the file's name without its folder, UTF-8
  std::string bytes;  // the file's whole content
};

struct MailMessage {
  MailAddress from;
  MailAddress sender;  // the transmitting mailbox; its address is also the envelope's sender when set
  std::vector<std::string> recipients;
  std::string subject;
  std::vector<std::string> body;         // lines without their line ends
  std::string bodyCharset = "us-ascii";  // the charset the body's bytes are in, e.g. "windows-1252"
  std::vector<Attachment> attachments;   // sent in this order after the body
  std::vector<std::pair<std::string, std::string>> extraHeaders;  // name, value (UTF-8)

  void SetRecipient(const std::string& address) { recipients.assign(1, address); }
  void AddAttachment(std::string fileName, std::string content) {
    attachments.push_back({std::move(fileName), std::move(content)});
  }
  void ClearAttachments() { attachments.clear(); }
};

}  // namespace mail
