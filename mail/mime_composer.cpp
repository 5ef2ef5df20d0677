#include "mail/mime_composer.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "mail/base64.h"
#include "mail/header_text.h"
#include "mail/mail_errors.h"
#include "mail/quoted_printable.h"

namespace mail {

namespace {

constexpr std::size_t kMaxLine = 998;
constexpr std::size_t kMaxAddress = 254;  // the longest mailbox SMTP carries
constexpr std::size_t kMaxPlainFileName = 60;
constexpr std::size_t kMaxHeaderName = 76;
constexpr int kBoundaryTries = 100;

[[noreturn]] void Refuse(const std::string& what, const char* why) {
  throw EMailError("The mail cannot be sent: " + what + " " + why + ".");
}

bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

bool IsControl(char c) { return (c >= 0 && c < 0x20 && c != '\t') || c == 0x7F; }

// Names, subject and header values: no line break or other control character may reach a header.
void CheckText(const std::string& what, std::string_view value) {
  for (char c : value) {
    if (c == '\r' || c == '\n') Refuse(what, "contains a line break");
    if (IsControl(c)) Refuse(what, "contains a control character");
  }
}

// An address appears inside "<...>" in a header and in the MAIL and RCPT commands.
void CheckAddress(const std::string& what, std::string_view address) {
  CheckText(what, address);
  if (address.empty()) Refuse(what, "is empty");
  if (address.size() > kMaxAddress) Refuse(what, "is too long");
  for (char c : address) {
    if (c == '<' || c == '>') Refuse(what, "contains an angle bracket");
    if (!IsAscii(c)) Refuse(what, "contains characters that mail addresses cannot carry");
  }
}

bool IsTokenText(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    (c != '\0' && std::strchr("!#$%&'*+-.^_`{|}~", c) != nullptr);
    if (!ok) return false;
  }
  return true;
}

void AddHeader(std::string& out, std::string_view name, const std::string& value) {
  out.append(name).append(": ").append(value).append("\r\n");
}

std::string Mailbox(const MailAddress& mailbox) {
  const std::string phrase = EncodePhrase(mailbox.name);
  return phrase.empty() ? mailbox.address : phrase + " <" + mailbox.address + ">";
}

std::string Join(const std::vector<std::string>& items, const char* separator) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : separator) + item;
  return out;
}

// The part of an address after its last "@" when it is a plain domain name, for the Message-ID.
std::string IdDomain(const std::string& address) {
  const std::size_t at = address.rfind('@');
  const std::string domain = at == std::string::npos ? "" : address.substr(at + 1);
  bool plain = !domain.empty();
  for (char c : domain) {
    const bool letterOrDigit = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    plain = plain && (letterOrDigit || c == '-' || c == '.');
  }
  return plain ? domain : "localhost";
}

std::string RandomText(const std::function<std::uint64_t()>& random, std::size_t length) {
  static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text += kChars[random() % (sizeof(kChars) - 1)];
  return text;
}

// Body lines split at any line break they carry, so that the mail has CR LF line ends only.
std::vector<std::string> SplitLines(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& line : lines) {
    std::size_t start = 0;
    for (;;) {
      const std::size_t end = line.find_first_of("\r\n", start);
      out.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
      if (end == std::string::npos) break;
      start = end + (line.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
  }
  return out;
}

struct Part {
  std::string headers;  // each line ended by CR LF
  std::string content;  // ends with CR LF unless empty
};

Part TextPart(const MailMessage& message) {
  if (!IsTokenText(message.bodyCharset) || message.bodyCharset.size() > 40) {
    Refuse("the body's charset name \"" + message.bodyCharset + "\"", "is no valid charset name");
  }
  const std::vector<std::string> lines = SplitLines(message.body);
  bool sevenBit = true;
  for (const std::string& line : lines) {
    sevenBit = sevenBit && line.size() <= kMaxLine;
    for (char c : line) sevenBit = sevenBit && c != 0 && IsAscii(c);
  }
  Part part;
  part.headers = "Content-Type: text/plain; charset=" + message.bodyCharset + "\r\n";
  if (sevenBit) {
    part.headers += "Content-Transfer-Encoding: 7bit\r\n";
    for (const std::string& line : lines) part.content += line + "\r\n";
  } else {
    part.headers += "Content-Transfer-Encoding: quoted-printable\r\n";
    part.content = QuotedPrintable(lines);
  }
  return part;
}

// RFC 2231 parameter: percent-encoded UTF-8, continued over several lines so that none is long.
std::string ExtendedFileName(std::string_view name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::vector<std::string> pieces(1, "UTF-8''");
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    std::string piece(1, c);
    if (!(IsTokenText(piece) && !std::strchr("%'*", c))) piece = {'%', kHex[u >> 4], kHex[u & 15]};
    if (pieces.back().size() + piece.size() > kMaxPlainFileName) pieces.emplace_back();
    pieces.back() += piece;
  }
  std::string out;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    out += ";\r\n filename*" + std::to_string(i) + "*=" + pieces[i];
  }
  return out;
}

Part AttachmentPart(const Attachment& attachment) {
  CheckText("the attachment name \"" + attachment.name + "\"", attachment.name);
  if (attachment.name.empty()) Refuse("an attachment", "has no file name");
  bool plain = attachment.name.size() <= kMaxPlainFileName;
  for (char c : attachment.name) plain = plain && IsAscii(c) && c != '"' && c != '\\';
  Part part;
  const std::string quoted = "\"" + attachment.name + "\"";
  part.headers = std::string("Content-Type: application/octet-stream") + (plain ? "; name=" + quoted : "") + "\r\n" +
                 "Content-Transfer-Encoding: base64\r\n" + "Content-Disposition: attachment" +
                 (plain ? "; filename=" + quoted : ExtendedFileName(attachment.name)) + "\r\n";
  part.content = Base64Encode(attachment.bytes, kBase64MimeLineLength);
  return part;
}

std::string NewBoundary(const std::vector<Part>& parts, const std::function<std::uint64_t()>& random) {
  for (int attempt = 0; attempt < kBoundaryTries; ++attempt) {
    // "=_" occurs in neither base64 nor quoted-printable text; the search covers plain text bodies.
    const std::string boundary = "=_Rowtender_" + RandomText(random, 24);
    bool found = false;
    for (const Part& part : parts) found = found || part.content.find(boundary) != std::string::npos;
    if (!found) return boundary;
  }
  throw EMailError("The mail cannot be sent: no MIME boundary could be found that is absent from its content.");
}

std::string Body(const MailMessage& message, const ComposeContext& context) {
  std::vector<Part> parts{TextPart(message)};
  if (message.attachments.empty()) return parts[0].headers + "\r\n" + parts[0].content;
  for (const Attachment& attachment : message.attachments) parts.push_back(AttachmentPart(attachment));
  const std::string boundary = NewBoundary(parts, context.random);
  std::string out = "Content-Type: multipart/mixed;\r\n boundary=\"" + boundary + "\"\r\n\r\n" +
                    "This is a multi-part message in MIME format.\r\n";
  // The line break before a delimiter belongs to the delimiter: each part's own last one is kept.
  for (const Part& part : parts) out += "\r\n--" + boundary + "\r\n" + part.headers + "\r\n" + part.content;
  return out + "\r\n--" + boundary + "--\r\n";
}

void CheckExtraHeader(const std::pair<std::string, std::string>& header) {
  static const char* const kOwnHeaders[] = {"date", "from",    "sender",     "to",       "cc",
                                            "bcc",  "subject", "message-id", "x-mailer", "mime-version"};
  const std::string& name = header.first;
  std::string lower;
  for (char c : name) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  bool valid = !name.empty() && name.size() <= kMaxHeaderName;
  for (char c : name) valid = valid && c > 0x20 && c < 0x7F && c != ':';
  if (!valid) Refuse("the header name \"" + name + "\"", "is no valid header name");
  for (const char* own : kOwnHeaders) {
    if (lower == own) Refuse("the header \"" + name + "\"", "is written by the message itself");
  }
  if (lower.compare(0, 8, "content-") == 0) Refuse("the header \"" + name + "\"", "is written by the message itself");
  CheckText("the header \"" + name + "\"", header.second);
}

}  // namespace

const std::string& ReversePath(const MailMessage& message) {
  return message.sender.address.empty() ? message.from.address : message.sender.address;
}

std::string ComposeMessage(const MailMessage& message, const ComposeContext& context) {
  CheckText("the sender's name", message.from.name);
  CheckAddress("the sender's address \"" + message.from.address + "\"", message.from.address);
  CheckText("the Sender name", message.sender.name);
  if (!message.sender.address.empty()) {
    CheckAddress("the Sender address \"" + message.sender.address + "\"", message.sender.address);
  }
  if (message.recipients.empty()) Refuse("the message", "has no recipient");
  for (const std::string& recipient : message.recipients) {
    CheckAddress("the recipient \"" + recipient + "\"", recipient);
  }
  CheckText("the subject", message.subject);
  CheckText("the mail agent text", context.mailer);
  CheckText("the date", context.date);
  for (const auto& header : message.extraHeaders) CheckExtraHeader(header);

  std::string out;
  if (!context.date.empty()) AddHeader(out, "Date", context.date);
  AddHeader(out, "From", Mailbox(message.from));
  if (!message.sender.address.empty()) AddHeader(out, "Sender", Mailbox(message.sender));
  AddHeader(out, "To", Join(message.recipients, ",\r\n "));
  AddHeader(out, "Subject", EncodeUnstructured(message.subject, std::strlen("Subject: ")));
  AddHeader(out, "Message-ID", "<" + RandomText(context.random, 32) + "@" + IdDomain(message.from.address) + ">");
  if (!context.mailer.empty()) {
    AddHeader(out, "X-Mailer", EncodeUnstructured(context.mailer, std::strlen("X-Mailer: ")));
  }
  for (const auto& header : message.extraHeaders) {
    AddHeader(out, header.first, EncodeUnstructured(header.second, header.first.size() + 2));
  }
  AddHeader(out, "MIME-Version", "1.0");
  return out + Body(message, context);
}

}  // namespace mail
