// Writes a MailMessage as the bytes of an Internet mail: headers, then a plain text body, or with
// attachments a multipart/mixed body whose first part is the text. The result has CR LF line ends
// only and no line over 998 characters; names, addresses and subject never add a header line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "mail/mail_message.h"

namespace mail {

// What the writer takes from outside the message: the clock and chance.
struct ComposeContext {
  std::string mailer;                     // the "X-Mailer" text; empty for no such header
  std::string date;                       // the "Date" value, as FormatMailDate writes it
  std::function<std::uint64_t()> random;  // random bits for the Message-ID and the boundary
};

// Throws EMailError when a value cannot be written safely: a line break (or another control
// character) in a name, address, subject, header, file name or charset; an address with angle
// brackets or non-ASCII characters; no sender or no recipient.
std::string ComposeMessage(const MailMessage& message, const ComposeContext& context);

// The envelope's sender: the Sender's address when given, otherwise the From address.
const std::string& ReversePath(const MailMessage& message);

}  // namespace mail
