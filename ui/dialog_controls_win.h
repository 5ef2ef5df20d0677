// The control kinds of dialogs: edits and memos, progress bars and radio buttons.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/control_win.h"
#include "ui/handles.h"
#include "ui/standard_controls_win.h"

// A line of text the user types (or reads, when read-only), with an optional background colour.
class Edit : public Control {
 public:
  using Control::Control;
  std::string Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }
  HBRUSH BackgroundBrush(HDC dc) override;

 protected:
  HWND CreateWindowFor(HWND parentWindow, const RECT& r) override;
  virtual DWORD EditStyle() const { return ES_AUTOHSCROLL; }

 private:
  UniqueBrush brush_;  // for a background colour that is not one of the system's
};

// Lines of text: Enter starts a new line, long lines wrap.
class Memo : public Edit {
 public:
  using Edit::Edit;
  // The lines as the user sees them; a line break at the very end starts no further line.
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);

 protected:
  DWORD EditStyle() const override { return ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN; }
};

class ProgressBar : public Control {
 public:
  using Control::Control;
  int Position() const;
  void SetPosition(int position);

 protected:
  HWND CreateWindowFor(HWND parentWindow, const RECT& r) override;
};

// Radio buttons that follow each other in the description under one parent form a group: choosing
// one clears the others.
class RadioButton : public CheckBox {
 public:
  using CheckBox::CheckBox;

 protected:
  HWND CreateWindowFor(HWND parentWindow, const RECT& r) override;

 private:
  bool StartsGroup() const;
};

// The colour a description names: one of the system's, or red, green and blue.
COLORREF ColorOf(std::uint32_t color);
