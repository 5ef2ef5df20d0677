// The message loops of modal windows, and the pump that keeps windows painting while the program
// waits. Both run while the program may be failing: a quit request that arrives meanwhile is kept
// and posted again when the outermost modal loop ends, so that a dialog shown during shut-down
// (an error report) neither vanishes at once nor swallows the end of the program.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "ui/component_win.h"

// Handles the messages waiting in this thread's queue, then returns.
void ProcessWaitingMessages();

class ModalLoop {
 public:
  // Disables every other visible and enabled top-level window of this thread (the modal window's
  // owner among them), so that only the modal window takes input.
  explicit ModalLoop(HWND modalWindow);
  ModalLoop(const ModalLoop&) = delete;
  ModalLoop& operator=(const ModalLoop&) = delete;
  // Enables the windows again if that has not been done, and posts a kept quit request again when
  // this is the outermost loop.
  ~ModalLoop();

  // Handles messages until `done` holds or the modal window is gone. `preview` sees each message
  // first (keyboard navigation) and returns true when it has handled it.
  void Run(const std::function<bool()>& done, const std::function<bool(MSG&)>& preview);

  // Enables the disabled windows again. Done before the modal window is hidden, so that the system
  // gives the activation back to the owner and not to another program.
  void EnableWindows();

 private:
  HWND window_;
  std::vector<HWND> disabled_;
};

// A form's idle message pump: while a long operation blocks the GUI thread, calling Pump now and
// then keeps the form painting and its labels updating.
class IdlePump : public Component {
 public:
  using Component::Component;
  void Pump() { ProcessWaitingMessages(); }
};
