#include "controls/version_number.h"

namespace controls {

std::string DottedVersion(std::uint32_t number) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (!text.empty()) text += '.';
    text += std::to_string((number >> shift) & 0xFFu);
  }
  return text;
}

}  // namespace controls
