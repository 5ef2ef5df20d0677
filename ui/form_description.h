// A window described as data: the form's properties, a table of its controls, each with its kind,
// name, parent, caption, place in 96-dpi pixels, alignment, anchors, font and the names of its
// handlers, and its pop-up menus. Forms are created from these tables; tests read them to know
// where controls belong.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/layout.h"
#include "ui/menu_description.h"

namespace ui {

enum class ControlKind {
  PageControl,
  TabSheet,
  Panel,
  Button,
  CheckBox,
  GroupBox,
  TreeView,
  Label,
  Image,
  Shape,
  Bevel,
  TileBmp,
  URLLabel,
  Edit,         // one line of text the user types
  Memo,         // lines of text, typed or shown read-only
  ProgressBar,
  RadioButton,  // the radio buttons that follow each other under one parent form a group
};

// How a modal form ends: the result a button gives its form, or the form's answer to its caller.
enum class ModalResult { None = 0, OK = 1, Cancel = 2, Yes = 6, No = 7 };

// A bevel drawn as a line along its bottom edge, or as a sunken box around its area.
enum class BevelShape { BottomLine, Box };

enum class TextAlign { Left, Center, Right };

inline constexpr std::uint32_t kDefaultColor = 0xFFFFFFFFu;  // "use the system's colour"
// One of the system's colours by its index (COLOR_BTNFACE and the like), followed when the user
// changes the colour scheme.
constexpr std::uint32_t SystemColor(int index) { return 0x80000000u | static_cast<std::uint32_t>(index); }
inline constexpr std::uint32_t kButtonFace = SystemColor(15);

struct FontDescription {
  std::string name;  // empty: the parent's font
  int height = 0;    // negative: character height in pixels (as LOGFONT); 0: the parent's
  bool bold = false;
  bool underline = false;
  std::uint32_t color = kDefaultColor;  // 0x00BBGGRR
};

struct MouseEvent {
  enum class Button { Left, Right, Middle } button = Button::Left;
  unsigned shift = 0;  // MK_* bits of the mouse message
  int x = 0, y = 0;
};

struct ControlDescription {
  ControlKind kind = ControlKind::Panel;
  std::string name;
  std::string parent;  // empty: the form itself
  std::string caption;
  layout::Box box;
  layout::Align align = layout::Align::None;
  unsigned anchors = layout::kAnchorDefault;
  int borderWidth = 0;
  TextAlign textAlign = TextAlign::Left;
  bool visible = true;
  bool checked = false;
  bool wordWrap = false;
  bool transparent = false;
  bool parentFont = true;
  FontDescription font;
  std::string hint;
  std::string resource;  // picture or icon resource name
  std::uint32_t penColor = kDefaultColor;
  std::uint32_t color = kDefaultColor;  // background of edits and memos
  BevelShape bevelShape = BevelShape::BottomLine;
  // Buttons: the result the click gives a modal form; the Enter and Escape keys' buttons.
  ModalResult modalResult = ModalResult::None;
  bool isDefault = false, isCancel = false;
  // Edits and memos.
  bool readOnly = false, border = true, verticalScrollBar = false;
  int maximum = 100, position = 0;  // progress bars (from 0)
  // Handler names, bound by the form.
  std::string onClick, onMouseDown, onMouseMove, onMouseUp;

  // Chainable setters keep the tables readable.
  ControlDescription& Align(layout::Align a) { align = a; return *this; }
  ControlDescription& Anchors(unsigned a) { anchors = a; return *this; }
  ControlDescription& Border(int width) { borderWidth = width; return *this; }
  ControlDescription& Text(TextAlign a) { textAlign = a; return *this; }
  ControlDescription& Hidden() { visible = false; return *this; }
  ControlDescription& Checked(bool c = true) { checked = c; return *this; }
  ControlDescription& WordWrap() { wordWrap = true; return *this; }
  ControlDescription& Transparent() { transparent = true; return *this; }
  ControlDescription& Font(FontDescription f) { font = std::move(f); parentFont = false; return *this; }
  ControlDescription& Hint(std::string h) { hint = std::move(h); return *this; }
  ControlDescription& Resource(std::string r) { resource = std::move(r); return *this; }
  ControlDescription& Pen(std::uint32_t c) { penColor = c; return *this; }
  ControlDescription& Color(std::uint32_t c) { color = c; return *this; }
  ControlDescription& Bevel(BevelShape shape) { bevelShape = shape; return *this; }
  ControlDescription& Modal(ModalResult result) { modalResult = result; return *this; }
  ControlDescription& Default() { isDefault = true; return *this; }
  ControlDescription& Cancel() { isCancel = true; return *this; }
  ControlDescription& ReadOnly() { readOnly = true; return *this; }
  ControlDescription& NoBorder() { border = false; return *this; }
  ControlDescription& VerticalScrollBar() { verticalScrollBar = true; return *this; }
  ControlDescription& Progress(int max, int pos = 0) { maximum = max; position = pos; return *this; }
  ControlDescription& OnClick(std::string h) { onClick = std::move(h); return *this; }
  ControlDescription& OnMouse(std::string down, std::string move, std::string up) {
    onMouseDown = std::move(down); onMouseMove = std::move(move); onMouseUp = std::move(up);
    return *this;
  }
};

// The class name that a kind stands for ("TButton"), as error messages name it.
const char* ControlKindName(ControlKind kind);

ControlDescription Describe(ControlKind kind, std::string name, std::string parent, std::string caption,
                            layout::Box box);

// A window that the user sizes, or a dialog with a fixed frame.
enum class BorderStyle { Sizeable, Dialog };
// Where a form appears: in the middle of the screen, or of the window that owns it.
enum class FormPosition { ScreenCenter, OwnerCenter };

struct FormDescription {
  std::string name;
  std::string windowClass;
  std::string caption;
  int clientWidth = 0, clientHeight = 0;
  int borderWidth = 0;
  layout::SizeLimits limits;
  FontDescription font;
  BorderStyle borderStyle = BorderStyle::Sizeable;
  FormPosition position = FormPosition::ScreenCenter;
  bool systemMenu = true;  // the system menu and with it the close box
  bool minimizeBox = false, maximizeBox = false;
  // Where a page control's pages sit inside it at design time (tabs on top).
  int pageInsetLeft = 4, pageInsetTop = 24, pageInsetRight = 4, pageInsetBottom = 4;
  std::vector<ControlDescription> controls;  // parents before their children
  std::vector<MenuDescription> menus;

  const ControlDescription* Find(const std::string& controlName) const;
  const MenuDescription* FindMenu(const std::string& menuName) const;
  // The children of `parentName` (empty: the form), in table order.
  std::vector<const ControlDescription*> ChildrenOf(const std::string& parentName) const;
};

// The client size a container had in its description: where its children's anchors are measured
// from. Aligned containers take their size from the layout at the designed form size.
struct DesignedSize {
  int width = 0, height = 0;
};
DesignedSize DesignedClientSize(const FormDescription& form, const std::string& containerName);

}  // namespace ui
