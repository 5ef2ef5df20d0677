// What the running system tells an error report: the body's encoding, the versions, the memory
// figures and the environment.
#pragma once

#include <optional>
#include <string>

#include "errorreport/report_body.h"

// The body is 8-bit text in the system code page, with the charset name mail readers know for it;
// on a code page without such a name it is UTF-8.
struct BodyEncoding {
  std::string charset;
  bool utf8 = false;
  std::string FromWide(const std::wstring& text) const;
  std::string FromUtf8(const std::string& text) const;
};
BodyEncoding SystemBodyEncoding();

// The versions (Windows and this program's file), the global memory status (64-bit figures), the
// user's thousands separator and the environment block with its references expanded, each entry
// in the body's encoding.
report::SystemInformation ReadSystemInformation(const std::string& applicationTitle, const BodyEncoding& encoding);

// An environment variable of this process; nothing when it is not set.
std::optional<std::string> EnvironmentVariable(const char* name);
