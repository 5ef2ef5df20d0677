#include "crash/screenshot_choice.h"

namespace crash {

std::string ChooseScreenshot(std::string colour, const std::function<std::string()>& makeGrey) {
  if (!colour.empty() && colour.size() <= kColourScreenshotLimit) return colour;
  std::string grey = makeGrey();
  if (!grey.empty() && (colour.empty() || grey.size() < colour.size())) return grey;
  return colour;
}

}  // namespace crash
