// The standard control kinds of the program's windows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "ui/control_win.h"
#include "ui/handles.h"

// A system control's window (class `className`) as a visible child; r holds left, top, width and
// height. Null on failure.
HWND CreateSystemControl(const wchar_t* className, DWORD style, HWND parent, const RECT& r, const std::string& caption,
                         DWORD exStyle = 0);

// Plain containers: a background, an optional centred caption, children laid out inside.
class Panel : public PaintedControl {
 public:
  using PaintedControl::PaintedControl;

 protected:
  void Paint(HDC dc, const RECT& client) override;
};

class TabSheet : public PaintedControl {
 public:
  using PaintedControl::PaintedControl;
};

class PageControl : public Control {
 public:
  using Control::Control;
  int ActivePageIndex() const;
  void SetActivePage(int index);
  int PageCount() const;
  RECT ChildArea() const override;
  bool HandleNotify(const NMHDR& header, LRESULT& result) override;
  // Adds a tab for each sheet child; called once the sheets exist.
  void AddTabs();

 protected:
  HWND CreateWindowFor(HWND parentWindow, const RECT& r) override;
};

class Button : public Control {
 public:
  using Control::Control;
  void HandleCommand(WORD code) override;
  // What a click does: the description's modal result goes to the form, then the click handler runs.
  void Click();

 protected:
  HWND CreateWindowFor(HWND parentWindow, const RECT& r) override;
};

class CheckBox : public Button {
 public:
  using Button::Button;
  bool Checked() const;
  void SetChecked(bool checked);

 protected:
  HWND CreateWindowFor(HWND parentWindow, const RECT& r) override;
};

class GroupBox : public PaintedControl {
 public:
  using PaintedControl::PaintedControl;
  RECT ChildArea() const override;

 protected:
  void Paint(HDC dc, const RECT& client) override;
};

class TreeView : public Control {
 public:
  using Control::Control;
  // Mouse events are forwarded to the handlers the description names; the press handler can be
  // detached and attached again (the list is locked while a move runs).
  void SetMouseDownAttached(bool attached) { mouseDownAttached_ = attached; }
  bool MouseDownAttached() const { return mouseDownAttached_; }
  // Called when the tree loses the mouse capture (WM_CAPTURECHANGED), ours to end a drag with.
  std::function<void()> OnCaptureLost;

  // A bulk update: nothing is drawn or measured until it ends, and then the tree and its scroll
  // bars are repainted in the next paint cycle instead of inside the update.
  void BeginUpdate();
  void EndUpdate();

 protected:
  HWND CreateWindowFor(HWND parentWindow, const RECT& r) override;

 private:
  static LRESULT MouseProc(void* context, HWND, UINT, WPARAM, LPARAM, bool& handled);
  void AddHint(HWND tree);
  ControlSubclass subclass_;
  bool mouseDownAttached_ = true;
  bool visibleBeforeUpdate_ = false;
  HWND tooltip_ = nullptr;
};

class Label : public PaintedControl {
 public:
  using PaintedControl::PaintedControl;

 protected:
  void Paint(HDC dc, const RECT& client) override;
};

class Image : public PaintedControl {
 public:
  using PaintedControl::PaintedControl;
  ~Image() override;
  void SetIcon(HICON icon);  // not owned
  HICON Icon() const { return icon_; }

 protected:
  HWND CreateWindowFor(HWND parentWindow, const RECT& r) override;
  void Paint(HDC dc, const RECT& client) override;

 private:
  void LoadPicture();
  HICON icon_ = nullptr;
  UniqueIcon ownedIcon_;
  UniqueBitmap bitmap_;
};

class Shape : public PaintedControl {
 public:
  using PaintedControl::PaintedControl;

 protected:
  void Paint(HDC dc, const RECT& client) override;
};

class Bevel : public PaintedControl {
 public:
  using PaintedControl::PaintedControl;

 protected:
  void Paint(HDC dc, const RECT& client) override;
};

// Pictures named "GIF:<resource>" in a description are decoded by this loader (the imaging
// library registers it at start-up); without one, such pictures stay empty.
using PictureLoader = HBITMAP (*)(HMODULE module, const wchar_t* resourceName);
void SetPictureLoader(PictureLoader loader);
