// What: a window description that names a control kind its factory cannot make is refused with
// EClassNotFound naming the kind and the control.
// Why: the error report handler logs that class quietly; a wrong class would show a dialog instead.
#include <gtest/gtest.h>

#include "ui/control_win.h"
#include "ui/exceptions.h"
#include "ui/form_description.h"
#include "ui/form_win.h"

namespace {

TEST(FormDescription, AKindTheFactoryCannotMakeIsAClassNotFound) {
  ui::FormDescription description;
  description.name = "frmKinds";
  description.windowClass = "TfrmKinds";
  description.clientWidth = 100;
  description.clientHeight = 50;
  description.controls = {ui::Describe(ui::ControlKind::URLLabel, "lblLink", "", "link", {0, 0, 50, 20})};
  Form form(description, &CreateStandardControl);  // the standard factory makes no link labels
  try {
    form.CreateForm();
    FAIL() << "the form was made";
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TAutoURLLabel not found (lblLink)");
  }
}

}  // namespace
