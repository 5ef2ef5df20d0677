// Which picture the error report's screenshot is: the 256-colour one, unless it is large and the
// 16-grey one is smaller.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace crash {

// A colour screenshot larger than this is worth a try in grey.
constexpr std::size_t kColourScreenshotLimit = 102400;

// `colour` is the encoded colour picture (empty when it could not be made). `makeGrey` encodes the
// grey picture (empty on failure) and is called only when `colour` exceeds the limit or is empty,
// since encoding costs time while an error is being reported. The smaller of the two wins; empty
// only when neither could be made.
std::string ChooseScreenshot(std::string colour, const std::function<std::string()>& makeGrey);

}  // namespace crash
