// The controls a form is built from. A Control wraps one child window: either a system control
// (button, tree view, tab control) or a window of our own that paints itself. Every control
// window carries its Control in a window property, so containers route notifications to it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/form_description.h"
#include "ui/window_win.h"

class Form;

class Control {
 public:
  Control(Form& form, const ui::ControlDescription& description);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  static Control* FromHandle(HWND window);
  // The control a WM_NOTIFY comes from, with its header; null for a notification that is not
  // one of our controls' own: no header, or one sent from another thread (its pointer means
  // nothing here), or naming a window that is no control of ours.
  static Control* FromNotify(LPARAM lParam, const NMHDR*& header);

  // Creates the control's window as a child of parentWindow. The window's control id is `id`
  // (the form gives each control its place in the description, from 1), so that another process
  // can tell the controls apart.
  void CreateHandle(HWND parentWindow, int id);

  HWND Handle() const { return handle_; }
  const ui::ControlDescription& Description() const { return description_; }
  const std::string& Name() const { return description_.name; }
  Form& OwnerForm() const { return form_; }

  Control* Parent() const { return parent_; }
  void SetParent(Control* parent) { parent_ = parent; }
  const std::vector<Control*>& Children() const { return children_; }
  void AddChild(Control* child) { children_.push_back(child); }

  std::string Caption() const;
  virtual void SetCaption(const std::string& caption);
  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  // Position relative to the parent's client area.
  layout::Box Bounds() const;
  void SetBounds(const layout::Box& box);

  // The window that children are created in, and the part of it they are laid out in.
  virtual HWND ChildParentWindow() const { return handle_; }
  virtual RECT ChildArea() const;

  // Fonts: a control taking its parent's font follows the form's font.
  bool ParentFont() const { return parentFont_; }
  const ui::FontDescription& Font() const { return font_; }
  std::string FontName() const { return font_.name; }
  void SetFontName(const std::string& name);
  // Applies the form's font (for parent-font controls) or the control's own.
  void ApplyFont(const ui::FontDescription& formFont);

  // Notifications routed from the parent window.
  virtual void HandleCommand(WORD /*code*/) {}
  virtual bool HandleNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  // Background colour request of a system control (WM_CTLCOLOR*); null: default.
  virtual HBRUSH BackgroundBrush(HDC /*dc*/) { return nullptr; }

 protected:
  virtual HWND CreateWindowFor(HWND parentWindow, const RECT& r) = 0;
  // The colour of the control's text, honouring its font colour.
  COLORREF TextColor() const;
  HFONT CurrentFont() const { return fontHandle_; }

 private:
  Form& form_;
  ui::ControlDescription description_;
  HWND handle_ = nullptr;
  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  bool parentFont_;
  ui::FontDescription font_;
  HFONT fontHandle_ = nullptr;
  bool ownsFont_ = false;
};

// A control whose window is ours: it paints itself and routes its children's notifications.
class PaintedControl : public Control {
 public:
  using Control::Control;
  ~PaintedControl() override;

 protected:
  HWND CreateWindowFor(HWND parentWindow, const RECT& r) override;
  // Window class name for this kind; styles.
  virtual const wchar_t* ClassName() const { return L"TRowtenderControl"; }
  virtual DWORD ExtraStyle() const { return 0; }
  virtual HCURSOR Cursor() const { return nullptr; }

  virtual void Paint(HDC dc, const RECT& client);
  // Messages of the control's own window; set handled to stop the default handling.
  virtual LRESULT HandleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  void FillParentBackground(HDC dc, const RECT& r) const;

 private:
  // The control's own window: forwards everything to the control.
  class Surface : public Window {
   public:
    explicit Surface(PaintedControl& owner) : owner_(owner) {}
    HWND Make(HWND parent, const RECT& r);

   protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

   private:
    PaintedControl& owner_;
  };
  std::unique_ptr<Surface> surface_;
};

// Creates the control for a description of one of the standard kinds; null for other kinds.
using ControlFactory = std::unique_ptr<Control> (*)(Form& form, const ui::ControlDescription& description);
std::unique_ptr<Control> CreateStandardControl(Form& form, const ui::ControlDescription& description);

// Makes an HFONT for a description (name, height, bold, underline).
HFONT CreateFontFor(const ui::FontDescription& font, const ui::FontDescription& fallback);
