// Texts in mail headers: names and subjects in any language reach the reader intact (RFC 2047
// encoded words in UTF-8 where plain ASCII will not do) and every header line stays short.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mail {

// "=?UTF-8?B?...?=" words of at most 75 characters, each holding whole characters, joined by
// CR LF and a space (a folded header line).
std::string EncodeWords(std::string_view utf8);

// A display name as a phrase before an address: atoms as they are, other ASCII as a quoted string,
// anything else (or anything long) as encoded words.
std::string EncodePhrase(std::string_view utf8);

// An unstructured header value (a subject) for a header whose name and ": " take `column`
// characters: printable ASCII folded at its spaces within 78 columns, anything else as encoded words.
std::string EncodeUnstructured(std::string_view utf8, std::size_t column);

}  // namespace mail
