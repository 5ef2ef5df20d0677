// Records, in order, the messages the stand-in's toolbar receives that tests care about: the
// hook contract's messages, the toolbar requests of moves and drags, paint requests sent from
// other threads, and mouse messages. The toolbar is our own, so it is simply subclassed.
#pragma once

#include <windows.h>

#include <string>

namespace testbar {

class ToolbarLog {
 public:
  explicit ToolbarLog(HWND toolbar);
  ~ToolbarLog();
  ToolbarLog(const ToolbarLog&) = delete;
  ToolbarLog& operator=(const ToolbarLog&) = delete;

  // One message a line: its name, then its arguments in decimal (see Describe).
  const std::string& Text() const { return text_; }
  void Clear() { text_.clear(); }

 private:
  static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);
  void Record(UINT message, WPARAM wParam, LPARAM lParam);

  HWND toolbar_;
  UINT takeMessage_;
  std::string text_;
};

}  // namespace testbar
