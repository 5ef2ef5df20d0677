// What: every form of the program binds each handler its description names (its controls' and
// its menus' items'), a form whose description names a handler nothing is bound to refuses to be
// created, and a control fetched as the wrong kind or by a wrong name fails loudly.
// Why: handlers and controls are wired by name; "OK" once did nothing because its handler was
// never bound, and nothing said so.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "controls/control_factory_win.h"
#include "ui/exceptions.h"
#include "ui/popup_menu_win.h"
#include "ui/standard_controls_win.h"

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Every form the program creates from a description; a new window adds its row.
const struct {
  const char* name;
  std::function<std::unique_ptr<Form>()> make;
} kProgramForms[] = {
    {"frmRowtender", [] { return std::make_unique<TfrmRowtender>(); }},
};

TEST(FormBindings, EveryFormOfTheProgramBindsEveryHandlerItsDescriptionNames) {
  for (const auto& entry : kProgramForms) {
    std::unique_ptr<Form> form = entry.make();
    EXPECT_EQ(form->Description().name, entry.name);
    EXPECT_THAT(form->UnboundHandlers(), IsEmpty()) << entry.name;
  }
}

// A button with a click handler and a tree with two mouse handlers; the test binds some of them.
class BindingTestForm : public Form {
 public:
  BindingTestForm() : Form(description_, &CreateControl) {}
  void BindGo(bool asClick) {
    if (asClick) return BindClick("btnGoClick", [](Control&) {});
    BindMouse("btnGoClick", [](Control&, const ui::MouseEvent&) {});
  }
  void BindTree() {
    for (const char* name : {"tvListMouseDown", "tvListMouseUp"}) {
      BindMouse(name, [](Control&, const ui::MouseEvent&) {});
    }
  }
  void Fill(PopupMenu& menu, const std::string& name) { FillMenu(menu, name); }
  void BindMenu(bool asMenuClick) {
    if (asMenuClick) return BindMenuClick("miGoClick", [] {});
    BindClick("miGoClick", [](Control&) {});
  }

 private:
  static ui::FormDescription Describe() {
    ui::FormDescription d;
    d.name = "frmBindingTest";
    d.windowClass = "TfrmBindingTest";
    d.clientWidth = 200;
    d.clientHeight = 100;
    d.controls.push_back(ui::Describe(ui::ControlKind::Button, "btnGo", "", "Go", {0, 0, 75, 25}).OnClick("btnGoClick"));
    d.controls.push_back(ui::Describe(ui::ControlKind::TreeView, "tvList", "", "", {0, 30, 200, 70})
                             .OnMouse("tvListMouseDown", "", "tvListMouseUp"));
    d.menus.push_back({"pmTest", {ui::DescribeItem("miGo", "&Go").OnClick("miGoClick"), ui::DescribeItem("N1", "-")}});
    return d;
  }
  static inline const ui::FormDescription description_ = Describe();
};

TEST(FormBindings, AFormNamingAnUnboundHandlerIsNotCreated) {
  const struct {
    const char* what;
    std::function<void(BindingTestForm&)> bind;
    std::vector<std::string> unbound;
  } cases[] = {
      {"nothing bound", [](BindingTestForm&) {},
       {"btnGo.OnClick = btnGoClick", "tvList.OnMouseDown = tvListMouseDown", "tvList.OnMouseUp = tvListMouseUp",
        "pmTest.miGo.OnClick = miGoClick"}},
      {"the click bound as a mouse handler",
       [](BindingTestForm& f) {
         f.BindGo(false);
         f.BindTree();
         f.BindMenu(true);
       },
       {"btnGo.OnClick = btnGoClick"}},
      {"the menu item's handler bound as a control's click",
       [](BindingTestForm& f) {
         f.BindGo(true);
         f.BindTree();
         f.BindMenu(false);
       },
       {"pmTest.miGo.OnClick = miGoClick"}},
      {"everything bound",
       [](BindingTestForm& f) {
         f.BindGo(true);
         f.BindTree();
         f.BindMenu(true);
       },
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    BindingTestForm form;
    c.bind(form);
    EXPECT_EQ(form.UnboundHandlers(), c.unbound);
    std::string refusal;
    try {
      form.CreateForm();
    } catch (const EInvalidOperation& e) {
      refusal = e.Message();
    }
    if (c.unbound.empty()) {
      EXPECT_EQ(refusal, "");
    } else {
      EXPECT_THAT(refusal, HasSubstr(c.unbound.front()));
    }
    EXPECT_EQ(form.Handle() != nullptr, c.unbound.empty()) << "a refused form has no window";
  }
}

TEST(FormBindings, AControlFetchedAsTheWrongKindOrByAWrongNameFailsLoudly) {
  BindingTestForm form;
  form.BindGo(true);
  form.BindTree();
  form.BindMenu(true);
  form.CreateForm();
  EXPECT_EQ(form.ControlAs<Button>("btnGo").Handle(), form.ControlByName("btnGo").Handle());
  EXPECT_EQ(form.ControlAs<TreeView>("tvList").Handle(), form.ControlByName("tvList").Handle());
  EXPECT_THROW(form.ControlAs<TreeView>("btnGo"), EInvalidOperation);
  EXPECT_THROW(form.ControlAs<CheckBox>("btnGo"), EInvalidOperation);  // a check box is a button, not the reverse
  EXPECT_THROW(form.ControlAs<Button>("btnGoo"), EInvalidOperation);
  // So do a menu and a menu item of a wrong name.
  PopupMenu menu(&form);
  EXPECT_THROW(form.Fill(menu, "pmTesst"), EInvalidOperation);
  form.Fill(menu, "pmTest");
  EXPECT_EQ(menu.Item("miGo").caption, "&Go");
  EXPECT_THROW(menu.Item("miGoo"), EInvalidOperation);
}

}  // namespace
