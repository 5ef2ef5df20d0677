// A top-level form built from a description table: its controls, their layout, its components
// and the form events of the component framework (create, show, activate, close query, close,
// destroy).
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/control_win.h"
#include "ui/form_description.h"
#include "ui/handles.h"
#include "ui/window_win.h"

class Button;
class Component;
class Control;
class PopupMenu;

enum class WindowState { Normal, Minimized, Maximized };
enum class FormStyle { Normal, MDIForm };
enum class CloseAction { None, Hide, Free };

class Form : public Window {
 public:
  using Handler = std::function<void(Control& sender)>;
  using MouseHandler = std::function<void(Control& sender, const ui::MouseEvent& event)>;

  Form(const ui::FormDescription& description, ControlFactory factory);
  ~Form() override;

  // Creates the window (hidden) and its controls, tells the components that loading is done, then
  // runs the creation handler. A creation handler that throws is reported; the form lives on.
  void CreateForm();

  const ui::FormDescription& Description() const { return description_; }
  Control* FindControl(const std::string& name) const;
  Control& ControlByName(const std::string& name) const;  // throws EInvalidOperation if missing
  // The control of that name as the kind the caller expects; throws EInvalidOperation when there
  // is none or it is of another kind, so a misspelt name or a wrong kind is never used unchecked.
  template <typename Kind>
  Kind& ControlAs(const std::string& name) const {
    auto* control = dynamic_cast<Kind*>(&ControlByName(name));
    if (!control) ThrowWrongKind(name);
    return *control;
  }

  // The handler names of the description that nothing is bound to, each as "control.event" or
  // "menu.item.OnClick" (click handlers must be bound as clicks, mouse handlers as mouse handlers,
  // menu items' handlers as menu clicks). CreateForm refuses a form that has any.
  std::vector<std::string> UnboundHandlers() const;
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  bool Visible() const;
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  WindowState GetWindowState() const;
  void SetWindowState(WindowState state);
  FormStyle Style() const { return FormStyle::Normal; }
  void SetCaption(const std::string& caption);

  // A close request: asks CloseQuery, then runs OnClose and, for the main form, ends the application.
  // A modal form's close ends its modal loop with the result Cancel.
  void Close();

  // The window this form's window belongs to (it stays above it and is centred on it when the
  // description asks); set before CreateForm. Without one, the application's window.
  void SetOwnerWindow(HWND owner) { ownerWindow_ = owner; }

  // Shows the form and handles messages until it has a modal result (a button's, SetModalResult's,
  // or Cancel from a close), with every other window of the program disabled meanwhile; then hides
  // it and returns that result. Escape clicks the description's Cancel button, Enter the focused or
  // default button, Tab moves between the controls. Works while the program is failing: a quit
  // request that arrives meanwhile is kept until the end, a mouse capture is released.
  ui::ModalResult ShowModal();
  ui::ModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(ui::ModalResult result) { modalResult_ = result; }
  bool Modal() const { return modal_; }

  // The form's own font name (controls taking the parent's font follow it).
  std::string FontName() const { return fontName_; }
  void SetFontName(const std::string& name);

  void AddComponent(Component* component);
  void RemoveComponent(Component* component);
  const std::vector<Component*>& Components() const { return components_; }

  // Re-applies the layout to the whole control tree.
  void Relayout();

 protected:
  // Handler binding: the description names handlers; a form registers them by name.
  void BindClick(const std::string& handlerName, Handler handler);
  void BindMouse(const std::string& handlerName, MouseHandler handler);
  void BindEvent(const std::string& eventName, std::function<void()> handler);
  void BindMenuClick(const std::string& handlerName, std::function<void()> handler);
  // Fills a menu component with the items of the description's menu of that name; each item's
  // click runs the menu click handler its description names. Throws EInvalidOperation when the
  // description has no such menu.
  void FillMenu(PopupMenu& menu, const std::string& menuName);

  // Form events; the defaults allow every close and do nothing else.
  virtual bool OnCloseQuery() { return true; }
  virtual void OnClose(CloseAction& /*action*/) {}

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 public:
  // Called by controls: dispatches a named handler of the description.
  void FireClick(const std::string& handlerName, Control& sender);
  void FireMouse(const std::string& handlerName, Control& sender, const ui::MouseEvent& event);
  bool HasHandler(const std::string& handlerName) const;
  void FireEvent(const std::string& eventName);
  void FireMenuClick(const std::string& handlerName);

 private:
  [[noreturn]] static void ThrowWrongKind(const std::string& name);
  void CheckHandlersBound() const;
  void CreateWindowHandle();
  HWND OwnerWindow() const;
  void CenterOnOwner();
  bool HandleDialogMessage(MSG& message);
  // A modal form gives the focus back to the control that had it when the form is activated again
  // (the system alone would leave it on the form itself).
  void RememberFocus();
  void RestoreFocus();
  // The first push button whose description has `flag` set (isDefault, isCancel).
  Button* FindButton(bool ui::ControlDescription::*flag) const;
  void CreateControls();
  void ApplyFonts();
  void Arrange(const std::string& containerName, const RECT& area, const std::vector<Control*>& children);
  bool RouteToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void PaintBorder();

  ControlFactory factory_;

  const ui::FormDescription& description_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Component*> components_;
  std::map<std::string, Handler> clickHandlers_;
  std::map<std::string, MouseHandler> mouseHandlers_;
  std::map<std::string, std::function<void()>> eventHandlers_;
  std::map<std::string, std::function<void()>> menuHandlers_;
  std::string fontName_;
  bool closing_ = false;
  HWND ownerWindow_ = nullptr;
  bool modal_ = false;
  HWND lastFocus_ = nullptr;
  ui::ModalResult modalResult_ = ui::ModalResult::None;
};
