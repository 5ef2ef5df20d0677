#include "imaging/alpha_composite.h"

namespace imaging {

namespace {

std::uint8_t Blend(unsigned source, unsigned backdrop, unsigned alpha) {
  return static_cast<std::uint8_t>((source * alpha + backdrop * (255 - alpha) + 127) / 255);
}

}  // namespace

void CompositeOverBackground(std::uint8_t* pixels, std::size_t pixelCount, std::uint32_t background) {
  const unsigned red = background & 0xFFu;
  const unsigned green = (background >> 8) & 0xFFu;
  const unsigned blue = (background >> 16) & 0xFFu;
  for (std::size_t i = 0; i < pixelCount; ++i) {
    std::uint8_t* p = pixels + i * 4;
    const unsigned alpha = p[3];
    p[0] = Blend(p[0], blue, alpha);
    p[1] = Blend(p[1], green, alpha);
    p[2] = Blend(p[2], red, alpha);
    p[3] = 255;
  }
}

}  // namespace imaging
