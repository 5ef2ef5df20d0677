// Base64 (RFC 4648), as MIME carries attachments: optionally broken into lines ended by CR LF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mail {

// The line length of base64 in a MIME body part.
constexpr std::size_t kBase64MimeLineLength = 76;

// With lineLength 0 the text is one run; otherwise every line, the last one too, holds at most
// lineLength characters (a multiple of 4) and ends with CR LF.
std::string Base64Encode(std::string_view bytes, std::size_t lineLength = 0);

}  // namespace mail
