// The tray calls that the stand-in taskbar forwarded to Wine's shell, parsed from its "traycalls"
// reply: one call a line, the request, the size and the bytes of Wine's call record in hex. The
// record's fields are read at their offsets (UTF-16 texts, 32-bit numbers). Shared by the
// Windows-side and the end-to-end tests.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

// Offsets in Wine's call record.
constexpr size_t kTrayWindowOffset = 0;
constexpr size_t kTrayIdOffset = 4;
constexpr size_t kTrayFlagsOffset = 8;
constexpr size_t kTrayInfoOffset = 280;
constexpr size_t kTrayTimeoutOffset = 792;
constexpr size_t kTrayInfoTitleOffset = 796;
constexpr size_t kTrayInfoFlagsOffset = 924;
constexpr std::uint32_t kTrayInfoFlag = 0x10;  // NIF_INFO: the call carries a balloon

struct RecordedTrayCall {
  unsigned request = 0;
  std::vector<unsigned char> bytes;

  bool Has(size_t offset, size_t size) const { return offset + size <= bytes.size(); }
  std::uint32_t At(size_t offset) const {
    if (!Has(offset, 4)) return 0;
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
  }
  // A zero-terminated UTF-16 text of ASCII characters.
  std::string Text(size_t offset) const {
    std::string text;
    for (size_t i = offset; i + 1 < bytes.size() && (bytes[i] || bytes[i + 1]); i += 2) text += static_cast<char>(bytes[i]);
    return text;
  }
  bool ShowsBalloon() const { return Has(kTrayInfoFlagsOffset, 4) && (At(kTrayFlagsOffset) & kTrayInfoFlag) && !Text(kTrayInfoOffset).empty(); }
};

// Every call line of a reply; other lines ("ok") are skipped.
inline std::vector<RecordedTrayCall> ParseTrayCalls(const std::string& reply) {
  std::vector<RecordedTrayCall> calls;
  std::istringstream lines(reply);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    RecordedTrayCall call;
    unsigned size = 0;
    std::string hex;
    if (!(words >> call.request >> size >> hex)) continue;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
      call.bytes.push_back(static_cast<unsigned char>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    calls.push_back(call);
  }
  return calls;
}

}  // namespace testsupport
