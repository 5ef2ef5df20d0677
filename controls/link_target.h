// The link label's target: it follows the caption until it is set to something else.
#pragma once

#include <string>

namespace controls {

class LinkTarget {
 public:
  const std::string& Url() const { return url_; }
  void SetUrl(std::string url) { url_ = std::move(url); }
  // The caption as it was after the last change.
  const std::string& PrevCaption() const { return prevCaption_; }

  // A target that still equals the previous caption, or none, follows the new caption.
  void CaptionChanged(const std::string& caption);

  // Only a label that shows a caption acts as a link (hand pointer, opens on press).
  static bool ActsAsLink(const std::string& caption) { return !caption.empty(); }

 private:
  std::string prevCaption_;
  std::string url_;
};

}  // namespace controls
