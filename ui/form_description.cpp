#include "ui/form_description.h"

namespace ui {

ControlDescription Describe(ControlKind kind, std::string name, std::string parent, std::string caption,
                            layout::Box box) {
  ControlDescription d;
  d.kind = kind;
  d.name = std::move(name);
  d.parent = std::move(parent);
  d.caption = std::move(caption);
  d.box = box;
  return d;
}

const ControlDescription* FormDescription::Find(const std::string& controlName) const {
  for (const auto& c : controls) {
    if (c.name == controlName) return &c;
  }
  return nullptr;
}

const MenuDescription* FormDescription::FindMenu(const std::string& menuName) const {
  for (const auto& m : menus) {
    if (m.name == menuName) return &m;
  }
  return nullptr;
}

std::vector<const ControlDescription*> FormDescription::ChildrenOf(const std::string& parentName) const {
  std::vector<const ControlDescription*> children;
  for (const auto& c : controls) {
    if (c.parent == parentName) children.push_back(&c);
  }
  return children;
}

namespace {

// The client size of a container placed at `outer`, given its kind and border.
DesignedSize ClientOf(const FormDescription& form, const ControlDescription& c, layout::Box outer) {
  DesignedSize size{outer.width - 2 * c.borderWidth, outer.height - 2 * c.borderWidth};
  if (c.kind == ControlKind::PageControl) {
    size.width = outer.width - form.pageInsetLeft - form.pageInsetRight;
    size.height = outer.height - form.pageInsetTop - form.pageInsetBottom;
  }
  return size;
}

// Walks from the form down to `target`, placing each level at its designed size.
bool Descend(const FormDescription& form, const std::string& parent, DesignedSize parentClient,
             const std::string& target, DesignedSize& result) {
  auto children = form.ChildrenOf(parent);
  std::vector<layout::Item> items;
  for (auto* c : children) items.push_back({c->align, c->anchors, c->box});
  auto boxes = layout::Arrange(items, parentClient.width, parentClient.height, parentClient.width,
                               parentClient.height);
  for (size_t i = 0; i < children.size(); ++i) {
    const ControlDescription& c = *children[i];
    layout::Box outer = boxes[i];
    if (c.kind == ControlKind::TabSheet) outer = {0, 0, parentClient.width, parentClient.height};
    DesignedSize client = ClientOf(form, c, outer);
    if (c.name == target) {
      result = client;
      return true;
    }
    if (Descend(form, c.name, client, target, result)) return true;
  }
  return false;
}

}  // namespace

DesignedSize DesignedClientSize(const FormDescription& form, const std::string& containerName) {
  DesignedSize formClient{form.clientWidth, form.clientHeight};
  if (containerName.empty()) return formClient;
  DesignedSize result;
  Descend(form, "", formClient, containerName, result);
  return result;
}

const char* ControlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::PageControl: return "TPageControl";
    case ControlKind::TabSheet: return "TTabSheet";
    case ControlKind::Panel: return "TPanel";
    case ControlKind::Button: return "TButton";
    case ControlKind::CheckBox: return "TCheckBox";
    case ControlKind::GroupBox: return "TGroupBox";
    case ControlKind::TreeView: return "TTreeView";
    case ControlKind::Label: return "TLabel";
    case ControlKind::Image: return "TImage";
    case ControlKind::Shape: return "TShape";
    case ControlKind::Bevel: return "TBevel";
    case ControlKind::TileBmp: return "TTileBmp";
    case ControlKind::URLLabel: return "TAutoURLLabel";
    case ControlKind::Edit: return "TEdit";
    case ControlKind::Memo: return "TMemo";
    case ControlKind::ProgressBar: return "TProgressBar";
    case ControlKind::RadioButton: return "TRadioButton";
  }
  return "TControl";
}

}  // namespace ui
