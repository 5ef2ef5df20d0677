// What: every form of the program binds each handler its description names, a form whose
// description names a handler nothing is bound to refuses to be created, and a control fetched as
// the wrong kind or by a wrong name fails loudly.
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
#include "ui/form_win.h"
#include "ui/standard_controls_win.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Every form the program creates from a description; a new window adds its row.
struct ProgramForm {
  const char* name;
  std::function<std::unique_ptr<Form>()> make;
};
const ProgramForm kProgramForms[] = {
    {"frmRowtender", [] { return std::make_unique<TfrmRowtender>(); }},
};

TEST(FormBindings, EveryFormOfTheProgramBindsEveryHandlerItsDescriptionNames) {
  for (const ProgramForm& entry : kProgramForms) {
    SCOPED_TRACE(entry.name);
    std::unique_ptr<Form> form = entry.make();
    EXPECT_EQ(form->Description().name, entry.name);
    EXPECT_THAT(form->UnboundHandlers(), IsEmpty());
  }
}

ui::FormDescription BindingTestDescription() {
  ui::FormDescription d;
  d.name = "frmBindingTest";
  d.windowClass = "TfrmBindingTest";
  d.clientWidth = 200;
  d.clientHeight = 100;
  d.controls.push_back(ui::Describe(ui::ControlKind::Button, "btnGo", "", "Go", {0, 0, 75, 25}).OnClick("btnGoClick"));
  d.controls.push_back(ui::Describe(ui::ControlKind::TreeView, "tvList", "", "", {0, 30, 200, 70})
                           .OnMouse("tvListMouseDown", "", "tvListMouseUp"));
  return d;
}

class BindingTestForm : public Form {
 public:
  explicit BindingTestForm(const ui::FormDescription& d) : Form(d, &CreateControl) {}
  void BindGoAsClick() { BindClick("btnGoClick", [](Control&) {}); }
  void BindGoAsMouse() { BindMouse("btnGoClick", [](Control&, const ui::MouseEvent&) {}); }
  void BindTreeMouse() {
    for (const char* name : {"tvListMouseDown", "tvListMouseUp"}) {
      BindMouse(name, [](Control&, const ui::MouseEvent&) {});
    }
  }
};

TEST(FormBindings, AFormNamingAnUnboundHandlerIsNotCreated) {
  const ui::FormDescription description = BindingTestDescription();
  struct Case {
    const char* what;
    std::function<void(BindingTestForm&)> bind;
    std::vector<std::string> unbound;
  } cases[] = {
      {"nothing bound", [](BindingTestForm&) {},
       {"btnGo.OnClick = btnGoClick", "tvList.OnMouseDown = tvListMouseDown", "tvList.OnMouseUp = tvListMouseUp"}},
      {"the click bound as a mouse handler",
       [](BindingTestForm& f) {
         f.BindGoAsMouse();
         f.BindTreeMouse();
       },
       {"btnGo.OnClick = btnGoClick"}},
      {"everything bound",
       [](BindingTestForm& f) {
         f.BindGoAsClick();
         f.BindTreeMouse();
       },
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BindingTestForm form(description);
    c.bind(form);
    EXPECT_EQ(form.UnboundHandlers(), c.unbound);
    if (c.unbound.empty()) {
      EXPECT_NO_THROW(form.CreateForm());
      EXPECT_NE(form.Handle(), nullptr);
    } else {
      try {
        form.CreateForm();
        ADD_FAILURE() << "the form was created";
      } catch (const EInvalidOperation& e) {
        EXPECT_THAT(e.Message(), HasSubstr(c.unbound.front()));
      }
      EXPECT_EQ(form.Handle(), nullptr) << "a refused form has no window";
    }
  }
}

TEST(FormBindings, AControlFetchedAsTheWrongKindOrByAWrongNameFailsLoudly) {
  const ui::FormDescription description = BindingTestDescription();
  BindingTestForm form(description);
  form.BindGoAsClick();
  form.BindTreeMouse();
  form.CreateForm();
  EXPECT_EQ(form.ControlAs<Button>("btnGo").Handle(), form.ControlByName("btnGo").Handle());
  EXPECT_EQ(form.ControlAs<TreeView>("tvList").Handle(), form.ControlByName("tvList").Handle());
  std::vector<std::string> failures;
  for (const std::function<void()>& fetch : std::vector<std::function<void()>>{
           [&] { form.ControlAs<TreeView>("btnGo"); },
           [&] { form.ControlAs<CheckBox>("btnGo"); },  // a check box is a button, not the other way round
           [&] { form.ControlAs<Button>("btnGoo"); },
       }) {
    try {
      fetch();
      failures.push_back("none");
    } catch (const EInvalidOperation& e) {
      failures.push_back(e.Message());
    }
  }
  EXPECT_THAT(failures, ElementsAre(HasSubstr("btnGo is not"), HasSubstr("btnGo is not"), HasSubstr("btnGoo")));
}

}  // namespace
