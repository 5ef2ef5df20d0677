// Quoted-printable (RFC 2045) for a text body: 8-bit text and over-long lines travel as short
// 7-bit lines that a reader turns back into the original bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mail {

// The lines joined by CR LF (a CR LF after the last one too); every encoded line holds at most 76
// characters, longer ones are split by soft line breaks.
std::string QuotedPrintable(const std::vector<std::string>& lines);

}  // namespace mail
