#include "app/version/version_text.h"

namespace version {

VersionNumbers FromFixedInfo(std::uint32_t mostSignificant, std::uint32_t leastSignificant) {
  return {mostSignificant >> 16, mostSignificant & 0xFFFFu, leastSignificant >> 16, leastSignificant & 0xFFFFu};
}

std::string BuildLetter(unsigned build) {
  const unsigned digit = build % 10;
  // The letters start at c, not at a.
  return digit == 0 ? std::string() : std::string(1, static_cast<char>('c' + digit - 1));
}

std::string VersionText(const VersionNumbers& numbers, bool appendBuild, bool buildOnly, bool buildAsLetter) {
  if (buildOnly) return "Build " + std::to_string(numbers.build);
  std::string text =
      std::to_string(numbers.major) + "." + std::to_string(numbers.minor) + std::to_string(numbers.release);
  if (appendBuild) text += buildAsLetter ? BuildLetter(numbers.build) : " Build " + std::to_string(numbers.build);
  return text;
}

}  // namespace version
