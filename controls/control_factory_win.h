// The control factory of the program's forms: the banner and link label kinds made here, every
// other kind by the standard factory.
#pragma once

#include <memory>

#include "ui/control_win.h"

std::unique_ptr<Control> CreateControl(Form& form, const ui::ControlDescription& description);
