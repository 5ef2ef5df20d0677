// The description of the main window: its properties and every control.
#pragma once

#include "ui/form_description.h"

const ui::FormDescription& MainWindowDescription();
