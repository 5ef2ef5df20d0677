// TAutoURLLabel: a label that acts as a link. Blue and underlined, a hand pointer over its
// caption, and a press with any button opens its URL with the shell. The URL follows the caption
// until it is set to something else (controls/link_target.h).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "controls/link_target.h"
#include "ui/standard_controls_win.h"

// The screen cursor number of the link hand.
inline constexpr int crURLHand = -1101;
inline constexpr COLORREF kLinkColor = 0xFF0000;  // blue, in blue-green-red order
inline constexpr int kLinkLabelWidth = 100;

// crURLHand's image: loaded from the module's cursor resource "AUTOURLLABELCURSOR" when the
// program starts and destroyed when it ends. A missing resource leaves it null (no image).
void LoadURLHandCursor(HMODULE module);
void FreeURLHandCursor();
HCURSOR URLHandCursor();

// Holds crURLHand for the program's lifetime.
class URLHandCursorScope {
 public:
  explicit URLHandCursorScope(HMODULE module) { LoadURLHandCursor(module); }
  URLHandCursorScope(const URLHandCursorScope&) = delete;
  URLHandCursorScope& operator=(const URLHandCursorScope&) = delete;
  ~URLHandCursorScope() { FreeURLHandCursor(); }
};

class TAutoURLLabel : public Label {
 public:
  // What a press does with the URL; the default asks the shell to open it.
  using Opener = std::function<void(const std::string& url)>;

  // A description without its own font gets the blue underlined one; without a width, 100.
  TAutoURLLabel(Form& form, const ui::ControlDescription& description);

  const std::string& URL() const { return target_.Url(); }
  void SetURL(const std::string& url);
  const std::string& PrevCaption() const { return target_.PrevCaption(); }

  // The pointer shown over the label: null (the ordinary arrow) until the mouse moves over a
  // caption, then crURLHand.
  HCURSOR CurrentCursor() const { return cursor_; }

  void SetOpener(Opener opener) { opener_ = std::move(opener); }

 protected:
  const wchar_t* ClassName() const override { return L"TAutoURLLabel"; }
  LRESULT HandleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void MouseMoved();
  void Pressed();
  void Repaint();

  controls::LinkTarget target_;
  HCURSOR cursor_ = nullptr;
  Opener opener_;
};

// Opens a document or web address with the shell ("open", no window, SW_RESTORE); the result is
// not checked.
void ShellOpen(const std::string& target);
