#include "controls/link_target.h"

namespace controls {

void LinkTarget::CaptionChanged(const std::string& caption) {
  if (prevCaption_ == url_ || url_.empty()) url_ = caption;
  prevCaption_ = caption;
}

}  // namespace controls
